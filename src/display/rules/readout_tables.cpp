#include "display/rules/readout_tables.h"

#include "platform/rules/runtime_rules.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"
#include "state/voltsdiv_table.h"

namespace kv {

namespace {

constexpr float LowRangeVoltsPerCount = 0.01569f;
constexpr float HighRangeVoltsPerCount = 0.076825f;

} // namespace

std::optional<SampleRateEntry> SampleRateForPosition(int position, bool bothShown)
{
    const auto row = timebaseRow(position);
    if (!row)
        return std::nullopt;
    SampleRateEntry entry{row->rateCaption, row->sampleRate};
    if (position == 1 && bothShown)
        entry.caption = BothShownCaption;
    return entry;
}

std::optional<float> MeasVoltsPerCountFor(const Variant& vdivIndex)
{
    switch (voltsRangeOf(vdivIndex.toNumber())) {
    case VoltsRange::Low:
        return LowRangeVoltsPerCount;
    case VoltsRange::High:
        return HighRangeVoltsPerCount;
    case VoltsRange::None:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<float> RefVoltsPerCount(const Variant& VREFLabel)
{
    if (!VREFLabel.isText())
        return std::nullopt;
    const auto position = voltsDivPositionOfLabel(VREFLabel.toText());
    if (!position)
        return std::nullopt;
    return voltsRangeOf(*position) == VoltsRange::Low ? LowRangeVoltsPerCount
                                                      : HighRangeVoltsPerCount;
}

std::optional<int> RefSampleRate(const Variant& HREFLabel)
{
    if (!HREFLabel.isText())
        return std::nullopt;
    if (const auto position = timebasePositionOfRefText(HREFLabel.toText()))
        return timebaseRow(*position)->sampleRate;
    return std::nullopt;
}

double Mean2Value(double m)
{
    const std::string cut = formatPattern(m, "###0.000").substr(0, 6);
    const double value = parseNumberText(cut).value_or(0.0);
    return value == 0.0 ? 0.0 : -value; // a mean that rounds to zero carries no minus sign
}

} // namespace kv
