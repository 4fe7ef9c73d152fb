// The front-panel groups: they call the display groups and each other, callees first.
#include "app/main_window.h"
#include "panel/attenuators.h"
#include "panel/channels.h"
#include "panel/horizontal_position.h"
#include "panel/menu_marks.h"
#include "panel/side_panels.h"
#include "panel/time_div.h"
#include "panel/trigger_level.h"
#include "panel/trigger_source.h"
#include "panel/volts_div.h"

namespace kv {

void Main::createPanelGroups()
{
    triggerLevel =
        addGroup<TriggerLevel>(state, TriggerLevel::Controls{.window = this,
                                                             .CWSlide3 = CWSlide3,
                                                             .CWSlide4 = CWSlide4,
                                                             .CWSlide5 = CWSlide5,
                                                             .CWGraph1 = CWGraph1,
                                                             .TriggerTimer = TriggerTimer,
                                                             .lblTrg = lblTrg,
                                                             .CWButton21 = CWButton21,
                                                             .CH1Button = CH1Button,
                                                             .CH2Button = CH2Button,
                                                             .ImgRiseing = ImgRiseing,
                                                             .ImgFalling = ImgFalling});

    triggerSource = addGroup<TriggerSource>(state,
                                            TriggerSource::Controls{.CWSlide5 = CWSlide5,
                                                                    .CWButton12 = CWButton12,
                                                                    .CWButton13 = CWButton13,
                                                                    .CWSlide3 = CWSlide3,
                                                                    .CWGraph1 = CWGraph1,
                                                                    .TriggerTimer = TriggerTimer,
                                                                    .Label19 = Label19,
                                                                    .Label20 = Label20,
                                                                    .mnuTSCh1 = mnuTSCh1,
                                                                    .mnuTSCh2 = mnuTSCh2,
                                                                    .mnuTSExt = mnuTSExt,
                                                                    .mnuTRising = mnuTRising,
                                                                    .mnuTFalling = mnuTFalling,
                                                                    .mnuTAuto = mnuTAuto,
                                                                    .mnuTNormal = mnuTNormal},
                                            *triggerLevel);

    horizontalPosition = addGroup<HorizontalPosition>(*this);

    sidePanels = addGroup<SidePanels>(*this);

    attenuators = addGroup<Attenuators>(*this);

    voltsDiv = addGroup<VoltsDiv>(*this);

    timeDiv = addGroup<TimeDiv>(*this);

    channels = addGroup<Channels>(*this);

    menuMarks = addGroup<MenuMarks>(*this);
}

} // namespace kv
