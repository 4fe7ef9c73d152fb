#include "panel/time_div.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "display/cursors.h"
#include "link/command_frame.h"
#include "panel/horizontal_position.h"
#include "panel/menu_marks.h"

#include <QAction>

namespace kv {

std::array<QAction*, TimeDivPositions> horizontalMenuItems(const Main& m)
{
    return {m.mnuH50us, m.mnuH100us, m.mnuH200us, m.mnuH500us, m.mnuH1ms,   m.mnuH2ms,   m.mnuH5ms,
            m.mnuH10ms, m.mnuH20ms,  m.mnuH50ms,  m.mnuH100ms, m.mnuH200ms, m.mnuH500ms, m.mnuH1s};
}

TimeDiv::TimeDiv(Main& main) : HandlerGroup(main)
{
    connect(m.CWKnob2, &CwKnob::pointerValueChanged, this,
            [this](int, double) { CWKnob2_PointerValueChanged(); });
    const auto items = horizontalMenuItems(m);
    for (std::size_t i = 0; i < items.size(); ++i)
        connect(items[i], &QAction::triggered, this, [this, i] { select(int(i) + 1); });
}

void TimeDiv::CWKnob2_PointerValueChanged()
{
    // A pending capture of the old timebase is abandoned; the next tick sends a fresh request.
    SendData(m.CWSerial1, StopCmd);
    m.state.AwaitingFrame = false;
    const int p = m.CWKnob2->position();
    if (const auto setting = timeDivSetting(p)) {
        m.state.TimebaseCode = setting->timebaseCode;
        checkOnly(horizontalMenuItems(m), p - 1);
    }
    updateSampleTime(p);
    if (m.cursors)
        m.cursors->Cursor();
    if (m.horizontalPosition)
        m.horizontalPosition->HTrigPos();
}

void TimeDiv::updateSampleTime(int position)
{
    const Variant& active = m.global.ActiveChannel;
    if (active == Variant(1) || active == Variant(2)) {
        const auto setting = timeDivSetting(position);
        if (setting && m.CWButton1->value())
            m.state.SampleTime = setting->samplePeriod;
    } else if (active == Variant(5)) {
        if (const auto period = samplePeriodOfRefText(m.state.HREFLabel.toText()))
            m.state.SampleTime = *period;
    }
}

void TimeDiv::select(int position)
{
    m.CWKnob2->setPosition(position);
}

} // namespace kv
