#include "link/rules/sample_decode.h"

#include "platform/rules/runtime_rules.h"
#include "state/channel_fields.h"
#include "state/global_v.h"
#include "state/scope_state.h"
#include "state/voltsdiv_range.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv {

namespace {

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
    const auto ch = channelState(s, channel);
    const auto shared = channelShared(g, channel);
    ChannelDecode d;
    switch (voltsRangeOf(ch.VdivIndex.toNumber())) {
    case VoltsRange::Low:
        d.offset = roundedOffset(ch.CalOffsetLo);
        break;
    case VoltsRange::High:
        d.offset = roundedOffset(ch.CalOffsetHi);
        break;
    case VoltsRange::None:
        d.offset = 0;
        break;
    }
    d.gain = shared.Gain;
    d.attFactor = shared.ATTFactor;
    d.plotScale = ch.PlotScale;
    d.vpos = ch.FrameVPos;
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
