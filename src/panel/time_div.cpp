#include "panel/time_div.h"

#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "display/cursors.h"
#include "link/rules/command_frame.h"
#include "panel/horizontal_position.h"
#include "panel/menu_marks.h"

#include <QAction>

namespace kv {

std::array<QAction*, TimeDivPositions> horizontalMenuItems(const TimeDiv::Controls& c)
{
    return {c.mnuH50us, c.mnuH100us, c.mnuH200us, c.mnuH500us, c.mnuH1ms,   c.mnuH2ms,   c.mnuH5ms,
            c.mnuH10ms, c.mnuH20ms,  c.mnuH50ms,  c.mnuH100ms, c.mnuH200ms, c.mnuH500ms, c.mnuH1s};
}

TimeDiv::TimeDiv(ScopeState& state, GlobalV& global, SerialControl& serial,
                 const Controls& controls, Cursors& cursors, HorizontalPosition& horizontalPosition)
    : state_(state), global_(global), serial_(serial), ui(controls), cursors_(cursors),
      horizontalPosition_(horizontalPosition)
{
    connect(ui.CWKnob2, &CwKnob::pointerValueChanged, this,
            [this](int, double) { CWKnob2_PointerValueChanged(); });
    const std::array<void (TimeDiv::*)(), TimeDivPositions> handlers{
        &TimeDiv::mnuH50us_Click,  &TimeDiv::mnuH100us_Click, &TimeDiv::mnuH200us_Click,
        &TimeDiv::mnuH500us_Click, &TimeDiv::mnuH1ms_Click,   &TimeDiv::mnuH2ms_Click,
        &TimeDiv::mnuH5ms_Click,   &TimeDiv::mnuH10ms_Click,  &TimeDiv::mnuH20ms_Click,
        &TimeDiv::mnuH50ms_Click,  &TimeDiv::mnuH100ms_Click, &TimeDiv::mnuH200ms_Click,
        &TimeDiv::mnuH500ms_Click, &TimeDiv::mnuH1s_Click};
    const auto items = horizontalMenuItems(ui);
    for (std::size_t i = 0; i < items.size(); ++i)
        connect(items[i], &QAction::triggered, this, handlers[i]);
}

void TimeDiv::CWKnob2_PointerValueChanged()
{
    // A pending capture of the old timebase is abandoned; the next tick sends a fresh request.
    SendData(serial_, StopCmd);
    state_.AwaitingFrame = false;
    const int p = ui.CWKnob2->position();
    if (const auto setting = timeDivSetting(p)) {
        state_.TimebaseCode = setting->timebaseCode;
        checkOnly(horizontalMenuItems(ui), p - 1);
    }
    updateSampleTime(p);
    cursors_.Cursor();
    horizontalPosition_.HTrigPos();
}

void TimeDiv::updateSampleTime(int position)
{
    const Variant& active = global_.ActiveChannel;
    if (active == Variant(1) || active == Variant(2)) {
        const auto setting = timeDivSetting(position);
        if (setting && ui.CWButton1->value())
            state_.SampleTime = setting->samplePeriod;
    } else if (active == Variant(ReferenceChannel)) {
        if (const auto period = samplePeriodOfRefText(state_.HREFLabel.toText()))
            state_.SampleTime = *period;
    }
}

void TimeDiv::select(int position)
{
    ui.CWKnob2->setPosition(position);
}

} // namespace kv
