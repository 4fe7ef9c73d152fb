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

namespace {

constexpr std::array<TimeDivSetting, TimeDivPositions> TimeDivTable{{
    {"50us", "00011", 0.00005, 0.000001f, "50uS"},
    {"100us", "00011", 0.0001, 0.000002f, "100uS"},
    {"200us", "00100", 0.0002, 0.000004f, "200uS"},
    {"500us", "00101", 0.0005, 0.00001f, "500uS"},
    {"1ms", "00110", 0.001, 0.00002f, "1mS"},
    {"2ms", "00111", 0.002, 0.00004f, "2mS"},
    {"5ms", "01000", 0.005, 0.0001f, "5mS"},
    {"10ms", "01001", 0.01, 0.0002f, "10mS"},
    {"20ms", "01010", 0.02, 0.0004f, "20mS"},
    {"50ms", "01011", 0.05, 0.001f, "50mS"},
    {"100ms", "01100", 0.1, 0.002f, "100mS"},
    {"200ms", "01101", 0.2, 0.004f, "200mS"},
    {"500ms", "01110", 0.5, 0.01f, "500mS"},
    {"1s", "01111", 1.0, 0.02f, "1S"},
}};

} // namespace

std::optional<TimeDivSetting> timeDivSetting(int position)
{
    if (position < 1 || position > TimeDivPositions)
        return std::nullopt;
    return TimeDivTable[std::size_t(position - 1)];
}

std::optional<float> samplePeriodOfRefText(std::string_view refText)
{
    for (const TimeDivSetting& row : TimeDivTable)
        if (refText == row.refText)
            return row.samplePeriod;
    return std::nullopt;
}

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
