#include "panel/menu_marks.h"

#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "panel/horizontal_position.h"

#include <QAction>
#include <QLabel>

namespace kv {

MenuMarks::MenuMarks(const Controls& controls, HorizontalPosition& horizontalPosition)
    : ui(controls), horizontalPosition_(horizontalPosition)
{
}

void MenuMarks::MenuSync()
{
    checkOnly({ui.mnuTRising, ui.mnuTFalling}, ui.CWButton12->value() ? 0 : 1);
    checkOnly({ui.mnuTAuto, ui.mnuTNormal}, ui.CWButton13->value() ? 0 : 1);
    checkOnly({ui.mnuTSCh1, ui.mnuTSCh2, ui.mnuTSExt}, ui.CWSlide5->position() - 1);
    checkOnly({ui.mnuASingle, ui.mnuAContinuous}, ui.CWButton4->value() ? 0 : 1);
    checkOnly(ui.verticalItemsCH1, voltsDivCaptionIndex(ui.PeriodVAL->text()));
    checkOnly(ui.verticalItemsCH2, voltsDivCaptionIndex(ui.PeriodVAL2->text()));
    checkOnly(ui.horizontalItems, ui.CWKnob2->position() - 1);
    horizontalPosition_.TrigPosMenu();
}

} // namespace kv
