#include "link/rules/calibration_phases.h"

#include "link/rules/command_frame.h"
#include "link/rules/sample_decode.h"

namespace kv {

namespace {

constexpr int ChannelBytes = 1500;

} // namespace

CaptureKind ClassifyCapture(std::string_view reply)
{
    if (reply.empty())
        return CaptureKind::LinkFailed;
    if (static_cast<int>(reply.size()) < DataFrameLength || reply.front() != DataSync)
        return CaptureKind::Bad;
    return CaptureKind::Good;
}

float CaptureMean(std::string_view record, int channel, std::span<double> raw)
{
    const std::size_t first = channel == 1 ? 1 : 1 + ChannelBytes;
    double sum = 0;
    for (std::size_t i = 0; i < ChannelBytes; ++i) {
        const double value = static_cast<std::uint8_t>(record[first + i]) - SampleZero;
        if (i < raw.size())
            raw[i] = value;
        sum += value;
    }
    return static_cast<float>(sum / ChannelBytes);
}

std::optional<double> PhaseOffset(std::span<const std::optional<float>> captures)
{
    double sum = 0;
    int good = 0;
    for (const std::optional<float>& c : captures) {
        if (c) {
            sum += *c;
            ++good;
        }
    }
    if (good == 0)
        return std::nullopt;
    return sum / good;
}

} // namespace kv
