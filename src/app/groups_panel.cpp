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

    horizontalPosition =
        addGroup<HorizontalPosition>(state, HorizontalPosition::Controls{.window = this,
                                                                         .CWButton29 = CWButton29,
                                                                         .CWButton30 = CWButton30,
                                                                         .mnuTH10 = mnuTH10,
                                                                         .mnuTH50 = mnuTH50,
                                                                         .mnuTH90 = mnuTH90,
                                                                         .CWKnob2 = CWKnob2,
                                                                         .CWSlide6 = CWSlide6,
                                                                         .labSetHTrg = labSetHTrg,
                                                                         .Autoscale = Autoscale});

    sidePanels = addGroup<SidePanels>(SidePanels::Controls{.window = this,
                                                           .picCursor = picCursor,
                                                           .picFile = picFile,
                                                           .picMeasure = picMeasure,
                                                           .picTrigger = picTrigger,
                                                           .imgCF = imgCF,
                                                           .imgCM = imgCM,
                                                           .imgCT = imgCT,
                                                           .imgFC = imgFC,
                                                           .imgFM = imgFM,
                                                           .imgFT = imgFT,
                                                           .imgMC = imgMC,
                                                           .imgMF = imgMF,
                                                           .imgMT = imgMT,
                                                           .imgTC = imgTC,
                                                           .imgTM = imgTM,
                                                           .imgFS = imgFS,
                                                           .Image1 = Image1,
                                                           .Picture4 = Picture4,
                                                           .CWButton18 = CWButton18,
                                                           .CWButton26 = CWButton26,
                                                           .Options = Options,
                                                           .CWButton1 = CWButton1,
                                                           .CheckCOM = CheckCOM,
                                                           .lblSearchPort = lblSearchPort,
                                                           .btnSelectCOMPort = btnSelectCOMPort,
                                                           .btnSearchCOMPort = btnSearchCOMPort,
                                                           .Label4 = Label4});

    attenuators = addGroup<Attenuators>(state, global, dialogs,
                                        Attenuators::Controls{.window = this,
                                                              .CH1ATT = CH1ATT,
                                                              .CH2ATT = CH2ATT,
                                                              .LEDATT1 = LEDATT1,
                                                              .LEDATT2 = LEDATT2,
                                                              .LEDATT1b = LEDATT1b,
                                                              .LEDATT2b = LEDATT2b});

    const VoltsDiv::Controls voltsDivControls{.CWKnob1 = CWKnob1,
                                              .PeriodVAL = PeriodVAL,
                                              .PeriodVAL2 = PeriodVAL2,
                                              .CH1Button = CH1Button,
                                              .CH2Button = CH2Button,
                                              .CWSlide3 = CWSlide3,
                                              .CWSlide4 = CWSlide4,
                                              .CWGraph1 = CWGraph1,
                                              .TriggerTimer = TriggerTimer,
                                              .mnuVCH1100mv = mnuVCH1100mv,
                                              .mnuVCH1200mV = mnuVCH1200mV,
                                              .mnuVCH1500mV = mnuVCH1500mV,
                                              .mnuVch11V = mnuVch11V,
                                              .mnuVch12V = mnuVch12V,
                                              .mnuVCH15V = mnuVCH15V,
                                              .mnuVch2100mV = mnuVch2100mV,
                                              .mnuVch2200mV = mnuVch2200mV,
                                              .mnuVch2500mV = mnuVch2500mV,
                                              .mnuVch21V = mnuVch21V,
                                              .mnuVch22V = mnuVch22V,
                                              .mnuVch25V = mnuVch25V};
    voltsDiv = addGroup<VoltsDiv>(state, global, voltsDivControls, *readOuts, *triggerLevel);

    const TimeDiv::Controls timeDivControls{.CWKnob2 = CWKnob2,
                                            .CWButton1 = CWButton1,
                                            .mnuH50us = mnuH50us,
                                            .mnuH100us = mnuH100us,
                                            .mnuH200us = mnuH200us,
                                            .mnuH500us = mnuH500us,
                                            .mnuH1ms = mnuH1ms,
                                            .mnuH2ms = mnuH2ms,
                                            .mnuH5ms = mnuH5ms,
                                            .mnuH10ms = mnuH10ms,
                                            .mnuH20ms = mnuH20ms,
                                            .mnuH50ms = mnuH50ms,
                                            .mnuH100ms = mnuH100ms,
                                            .mnuH200ms = mnuH200ms,
                                            .mnuH500ms = mnuH500ms,
                                            .mnuH1s = mnuH1s};
    timeDiv =
        addGroup<TimeDiv>(state, global, CWSerial1, timeDivControls, *cursors, *horizontalPosition);

    channels = addGroup<Channels>(state, global,
                                  Channels::Controls{.CH1Button = CH1Button,
                                                     .CH2Button = CH2Button,
                                                     .CWButton8 = CWButton8,
                                                     .mnuC1 = mnuC1,
                                                     .mnuC2 = mnuC2,
                                                     .mnuCO = mnuCO,
                                                     .LED1 = LED1,
                                                     .LED2 = LED2,
                                                     .LED5 = LED5,
                                                     .CWButton22 = CWButton22,
                                                     .CWButton25 = CWButton25,
                                                     .PeriodVAL = PeriodVAL,
                                                     .PeriodVAL2 = PeriodVAL2,
                                                     .CHDISP = CHDISP,
                                                     .CWKnob1 = CWKnob1,
                                                     .CWKnob2 = CWKnob2,
                                                     .CWGraph1 = CWGraph1,
                                                     .CWSlide4 = CWSlide4,
                                                     .CWSlide5 = CWSlide5,
                                                     .CWButton21 = CWButton21,
                                                     .Autoscale = Autoscale,
                                                     .lblVREF = lblVREF,
                                                     .lblHREF = lblHREF},
                                  *readOuts, *cursors, *triggerSource);

    menuMarks = addGroup<MenuMarks>(
        MenuMarks::Controls{.CWButton12 = CWButton12,
                            .CWButton13 = CWButton13,
                            .CWSlide5 = CWSlide5,
                            .CWButton4 = CWButton4,
                            .PeriodVAL = PeriodVAL,
                            .PeriodVAL2 = PeriodVAL2,
                            .CWKnob2 = CWKnob2,
                            .mnuTRising = mnuTRising,
                            .mnuTFalling = mnuTFalling,
                            .mnuTAuto = mnuTAuto,
                            .mnuTNormal = mnuTNormal,
                            .mnuTSCh1 = mnuTSCh1,
                            .mnuTSCh2 = mnuTSCh2,
                            .mnuTSExt = mnuTSExt,
                            .mnuASingle = mnuASingle,
                            .mnuAContinuous = mnuAContinuous,
                            .horizontalItems = horizontalMenuItems(timeDivControls),
                            .verticalItemsCH1 = verticalMenuItems(voltsDivControls, 1),
                            .verticalItemsCH2 = verticalMenuItems(voltsDivControls, 2)},
        *horizontalPosition);
}

} // namespace kv
