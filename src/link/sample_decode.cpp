#include "link/sample_decode.h"

#include "platform/runtime_rules.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv {

namespace {

// The runtime's "Case 1 To 3" / "Case 4 To 6" test of a volts/div index.
int rangeGroup(const Variant& vdivIndex)
{
    const double index = vdivIndex.toNumber();
    if (index >= 1 && index <= 3)
        return 1;
    if (index >= 4 && index <= 6)
        return 2;
    return 0;
}

std::int16_t roundedOffset(const Variant& offset)
{
    const double value = roundHalfEven(offset.toNumber());
    if (!std::isfinite(value))
        return 0;
    return static_cast<std::int16_t>(std::clamp(value, -32768.0, 32767.0));
}

} // namespace

bool isGoodRecord(std::string_view reply)
{
    return reply.size() >= static_cast<std::size_t>(DataFrameLength) && reply.front() == DataSync;
}

ChannelDecode channelDecode(const ScopeState& s, const GlobalV& g, int channel)
{
    const bool one = channel == 1;
    const Variant& index = one ? s.VdivIndexCH1 : s.VdivIndexCH2;
    const Variant& lo = one ? s.CalOffsetCH1Lo : s.CalOffsetCH2Lo;
    const Variant& hi = one ? s.CalOffsetCH1Hi : s.CalOffsetCH2Hi;
    ChannelDecode d;
    switch (rangeGroup(index)) {
    case 1: d.offset = roundedOffset(lo); break;
    case 2: d.offset = roundedOffset(hi); break;
    default: d.offset = 0; break;
    }
    d.gain = one ? g.GainCH1 : g.GainCH2;
    d.attFactor = one ? g.ATTFactorCH1 : g.ATTFactorCH2;
    d.plotScale = one ? s.PlotScaleCH1 : s.PlotScaleCH2;
    d.vpos = one ? s.FrameVPosCH1 : s.FrameVPosCH2;
    return d;
}

std::int32_t decodeCount(std::uint8_t byte, const ChannelDecode& c)
{
    const auto raw = static_cast<std::int16_t>(byte - SampleZero - c.offset);
    const double count = roundHalfEven(c.gain * raw * c.attFactor);
    if (!std::isfinite(count))
        return 0;
    // A gain from a damaged settings file must not overflow the count.
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(count, lo, hi));
}

void decodeSpan(std::string_view record, SampleSpan span, const ChannelDecode& channel,
                std::span<double> counts, std::span<double> trace)
{
    const std::string_view bytes = record.substr(static_cast<std::size_t>(span.firstDataByte),
                                                 static_cast<std::size_t>(span.count));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::int32_t count = decodeCount(static_cast<std::uint8_t>(bytes[i]), channel);
        counts[i] = count;
        trace[i] = count * channel.plotScale + channel.vpos;
    }
}

} // namespace kv
