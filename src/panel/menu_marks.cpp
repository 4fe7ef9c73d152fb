#include "panel/menu_marks.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "panel/horizontal_position.h"
#include "panel/time_div.h"
#include "panel/volts_div.h"

#include <QAction>
#include <QLabel>

namespace kv {

MenuMarks::MenuMarks(Main& main) : HandlerGroup(main) {}

void MenuMarks::MenuSync()
{
    checkOnly({m.mnuTRising, m.mnuTFalling}, m.CWButton12->value() ? 0 : 1);
    checkOnly({m.mnuTAuto, m.mnuTNormal}, m.CWButton13->value() ? 0 : 1);
    checkOnly({m.mnuTSCh1, m.mnuTSCh2, m.mnuTSExt}, m.CWSlide5->position() - 1);
    checkOnly({m.mnuASingle, m.mnuAContinuous}, m.CWButton4->value() ? 0 : 1);
    syncVertical(1, m.PeriodVAL->text());
    syncVertical(2, m.PeriodVAL2->text());
    checkOnly(horizontalMenuItems(m), m.CWKnob2->position() - 1);
    if (m.horizontalPosition)
        m.horizontalPosition->TrigPosMenu();
}

void MenuMarks::syncVertical(int channel, const QString& caption)
{
    checkOnly(verticalMenuItems(m, channel), voltsDivCaptionIndex(caption));
}

} // namespace kv
