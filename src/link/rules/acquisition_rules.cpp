#include "link/rules/acquisition_rules.h"

#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"

#include <algorithm>
#include <cmath>

namespace kv {

std::optional<float> SampleTimeForPosition(int position)
{
    if (const auto row = timebaseRow(position))
        return row->samplePeriod;
    return std::nullopt;
}

AcquireVariant ChooseVariant(int timeDivPosition, bool bothTracesShown)
{
    if (timeDivPosition != 1)
        return AcquireVariant::TwoChannel;
    return bothTracesShown ? AcquireVariant::FastDual : AcquireVariant::FastSingle;
}

std::string FastChannelBitsFor(int activeChannel, bool pch1Shown, bool pch2Shown,
                               const std::string& current)
{
    switch (activeChannel) {
    case 1:
        return "01";
    case 2:
        return "10";
    case 5:
        if (pch1Shown)
            return "01";
        if (pch2Shown)
            return "10";
        return current;
    default:
        return current;
    }
}

std::chrono::milliseconds ReplyDeadline(double sampleSeconds)
{
    const double captureMs = 1500.0 * std::max(0.0, sampleSeconds) * 1000.0;
    return std::chrono::milliseconds(std::llround(captureMs)) + ReplyMargin;
}

std::chrono::milliseconds ReplyDeadlineOfCode(std::string_view timebaseCode)
{
    float ofCode = 0;
    float slowest = 0;
    for (const TimebaseRow& row : TimebaseTable) {
        slowest = std::max(slowest, row.samplePeriod);
        if (timebaseCode == row.timebaseCode)
            ofCode = std::max(ofCode, row.samplePeriod);
    }
    return ReplyDeadline(ofCode > 0 ? ofCode : slowest);
}

std::optional<double> RangeSpanVolts(double vdivIndex)
{
    switch (voltsRangeOf(vdivIndex)) {
    case VoltsRange::Low:
        return 4.0;
    case VoltsRange::High:
        return 20.0;
    case VoltsRange::None:
        break;
    }
    return std::nullopt;
}

} // namespace kv
