#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// Seconds per sample for time/div position 1 to 14 (the time per division over 50); nullopt
// outside the table.
std::optional<float> SampleTimeForPosition(int position);

// Which pass runs on a tick.
enum class AcquireVariant
{
    TwoChannel, // AcquireFrame: both channels, time/div positions 2 to 14
    FastSingle, // AcquireFrameSingle: one channel at 1 MS/s, position 1
    FastDual    // ReceiveData: both channels at 500 kS/s, position 1 with both traces shown
};
AcquireVariant ChooseVariant(int timeDivPosition, bool bothTracesShown);

// FastChannelBits for the selected channel: 1 "01", 2 "10", 5 the first shown trace's ("01"
// for PCH1, else "10" for PCH2); otherwise, and for 5 with neither shown, the current bits.
std::string FastChannelBitsFor(int activeChannel, bool pch1Shown, bool pch2Shown,
                               const std::string& current);

// Converter span in volts by volts/div position: 4 (1 to 3), 20 (4 to 6); nullopt otherwise.
std::optional<double> RangeSpanVolts(double vdivIndex);

// How long an outstanding request waits without a byte coming in before it is sent again: the
// record's own capture time (1500 samples) plus ReplyMargin.
inline constexpr std::chrono::milliseconds ReplyMargin{1000};
std::chrono::milliseconds ReplyDeadline(double sampleSeconds);
// The deadline of a request that carries this timebase code (five bits, as the command frame
// sends it): ReplyDeadline of the longest sample period the code stands for. A code outside the
// table gets the table's slowest, so that no record is asked for again while it may be coming.
std::chrono::milliseconds ReplyDeadlineOfCode(std::string_view timebaseCode);

} // namespace kv
