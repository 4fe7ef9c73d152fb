#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kv {

// ---- The four calibration phases ----------------------------------------------------------------

// One phase: the fixed command frame it sends and the channel whose data bytes it measures.
struct CalFrame
{
    std::array<std::uint8_t, 9> bytes;
    int channel; // 1: data bytes 1-1500, 2: data bytes 1501-3000
};

// Channel 1 low and high range, channel 2 low and high range.
inline constexpr std::array<CalFrame, 4> CalFrames{{
    {{0xAA, 0x72, 0xB1, 0x1C, 0x02, 0xF0, 0x05, 0xEF, 0x03}, 1},
    {{0xAA, 0x65, 0xF1, 0x1C, 0x02, 0xF0, 0x05, 0xEF, 0x03}, 1},
    {{0xAA, 0x80, 0x30, 0x1D, 0x02, 0xF0, 0x05, 0xEF, 0x03}, 2},
    {{0xAA, 0x66, 0xF0, 0x1D, 0x02, 0xF0, 0x05, 0xEF, 0x03}, 2},
}};

inline constexpr int CapturesPerPhase = 50;

// What one capture's reply gives.
enum class CaptureKind
{
    Good,      // a whole record starting with "U"
    Bad,       // a record without "U" or cut short: not measured, the next capture follows
    LinkFailed // nothing came: no instrument answers, the calibration ends
};
CaptureKind ClassifyCapture(std::string_view reply);

// Mean of (byte - 127) over the channel's 1500 data bytes of a good record, as a 32-bit float;
// the raw values go to `raw` (1500 elements) when it is given.
float CaptureMean(std::string_view record, int channel, std::span<double> raw = {});

// A phase's offset: the mean of its good captures; nullopt when none was good (the old offset
// then stays).
std::optional<double> PhaseOffset(std::span<const std::optional<float>> captures);

} // namespace kv
