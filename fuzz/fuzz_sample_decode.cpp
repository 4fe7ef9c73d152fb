// The pure record decoding: isGoodRecord and decodeSpan over every span of the three cycle
// variants, with decode parameters taken from the input (as a damaged settings file or a bad
// calibration could leave them).

#include "link/rules/sample_decode.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

using namespace kv;

constexpr SampleSpan Spans[] = {TwoChannelSpanCH1, TwoChannelSpanCH2, FastSingleSpan, FastSpanCH1,
                                FastSpanCH2};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    ChannelDecode channel;
    channel.offset = in.ConsumeIntegral<std::int16_t>();
    channel.gain = in.ConsumeFloatingPoint<double>();
    channel.attFactor = in.ConsumeFloatingPoint<double>();
    channel.plotScale = in.ConsumeFloatingPoint<double>();
    channel.vpos = in.ConsumeIntegral<std::int16_t>();
    const std::string record = in.ConsumeRemainingBytesAsString();

    for (int byte = 0; byte < 256; ++byte)
        (void)decodeCount(static_cast<std::uint8_t>(byte), channel);
    if (!isGoodRecord(record))
        return 0;
    std::array<double, 1500> counts{};
    std::array<double, 1500> trace{};
    for (const SampleSpan& span : Spans) {
        decodeSpan(record, span, channel, counts, trace);
        // A count is a whole number within the 32-bit range, whatever the parameters.
        for (int i = 0; i < span.count; ++i) {
            const double count = counts[static_cast<std::size_t>(i)];
            if (!(std::nearbyint(count) == count && std::abs(count) <= 2147483648.0))
                std::abort();
        }
    }
    return 0;
}
