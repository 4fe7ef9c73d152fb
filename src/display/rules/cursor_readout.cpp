#include "display/rules/cursor_readout.h"

#include "display/rules/value_format.h"
#include "platform/rules/runtime_rules.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"
#include "state/voltsdiv_table.h"

#include <array>
#include <cmath>

namespace kv {

namespace {

double number(const Variant& value)
{
    return value.toNumber();
}
double number(const std::string& text)
{
    return Variant(text).toNumber();
}
// Time per record point (the sample period) in the read-outs' time unit, by time/div position.
constexpr std::array<const char*, TimebasePositions> TimePerPointTexts{
    "1", "2", "4", "10", "0.02", "0.04", "0.1", "0.2", "0.4", "1", "2", "4", "10", "0.02"};

TimeScale timeScaleAt(int position)
{
    TimeScale s;
    s.timePerPointText = TimePerPointTexts[std::size_t(position - 1)];
    if (position <= 4) {
        s.unitText = "uS";
        s.unitFactor = 1e-6;
    } else if (position <= 13) {
        s.unitText = "mS";
        s.unitFactor = 0.001;
    } else {
        s.unitText = "S";
        s.unitFactor = 1.0;
    }
    return s;
}

} // namespace

// ---- Pure read-out rules ----------------------------------------------------------------------

std::string CutFive(double value)
{
    const std::string text = formatPattern(value, "##0.000");
    const auto point = text.find('.');
    const std::size_t keep = point == std::string::npos ? 5 : std::max<std::size_t>(5, point);
    return text.substr(0, keep);
}

std::optional<TimeScale> KnobTimeScale(int position)
{
    if (!timebaseRow(position))
        return std::nullopt;
    return timeScaleAt(position);
}

std::optional<TimeScale> ReferenceTimeScale(std::string_view text)
{
    if (const auto position = timebasePositionOfRefText(text))
        return timeScaleAt(*position);
    return std::nullopt;
}

std::optional<VoltScale> CursorVoltScale(int vdivIndex)
{
    static constexpr std::array<float, 6> perUnit{1.9678f,    3.94f,    9.84f,
                                                  -0.019678f, -0.0394f, -0.0984f};
    if (vdivIndex < 1 || vdivIndex > 6)
        return std::nullopt;
    return VoltScale{perUnit[vdivIndex - 1],
                     voltsRangeOf(vdivIndex) == VoltsRange::Low ? "mV" : "V"};
}

std::optional<int> VdivIndexOfCaption(std::string_view caption)
{
    return voltsDivPositionOfLabel(caption);
}

int TimeOrigin(int hTrigPosition)
{
    switch (hTrigPosition) {
    case 1:
        return 150;
    case 2:
        return 750;
    case 3:
        return 1350;
    default:
        return 0;
    }
}

bool TimeDeltaIsZero(const Variant& cursorAX, const Variant& cursorBX)
{
    return number(CutFive(std::abs(number(cursorBX) - number(cursorAX)))) == 0;
}

namespace {

// Millivolt band: the reading is minus the scaled units, in V above 999 mV.
void millivoltReadout(const CursorInput& in, CursorReadout& r)
{
    const double a = -1 * number(CutFive(in.voltsPerCount * in.ay));
    const double b = -1 * number(CutFive(in.voltsPerCount * in.by));
    const auto label = [](double mv) {
        return std::abs(mv) > 999 ? doubleToText(mv / 1000) + "V" : doubleToText(mv) + "mV";
    };
    r.CursorAY = a;
    r.CursorBY = b;
    r.lblYPos = label(a);
    r.lblYpos2 = label(b);
    const double d = std::abs(a - b);
    r.lblYDelta = d > 999 ? CutFive(d / 1000) + "V" : CutFive(d) + "mV";
}

void voltReadout(const CursorInput& in, CursorReadout& r)
{
    const std::string a = CutFive(in.voltsPerCount * in.ay);
    const std::string b = CutFive(in.voltsPerCount * in.by);
    r.CursorAY = a;
    r.CursorBY = b;
    r.lblYPos = CutFive(number(a)) + "V";
    r.lblYpos2 = CutFive(number(b)) + "V";
    r.lblYDelta = CutFive(std::abs(number(b) - number(a))) + in.voltUnitText;
}

} // namespace

CursorReadout ComputeCursorReadout(const CursorInput& in)
{
    CursorReadout r;
    const double perPoint = number(in.timePerPointText);
    const std::string ax = CutFive((in.ax - in.origin) * perPoint);
    const std::string bx = CutFive((in.bx - in.origin) * perPoint);
    r.CursorAX = ax;
    r.CursorBX = bx;
    r.lblXpos = ax + in.timeUnitText;
    r.lblXPos2 = bx + in.timeUnitText;

    const VoltsRange range = voltsRangeOf(in.vdivIndex);
    if (range == VoltsRange::Low) {
        r.voltages = true;
        millivoltReadout(in, r);
    } else if (range == VoltsRange::High) {
        r.voltages = true;
        voltReadout(in, r);
    }

    const std::string t = CutFive(std::abs(number(bx) - number(ax)));
    r.lblXDelta = t + in.timeUnitText;
    if (in.graphModeValue == 1 || in.graphModeValue == 2) {
        const double delta = number(t);
        if (delta != 0) {
            r.frequency = FrequencyShow::Value;
            r.frequencyText = doubleToText(1 / (delta * in.timeUnitFactor));
        } else {
            r.frequency = FrequencyShow::Infinite;
        }
    }
    return r;
}

} // namespace kv
