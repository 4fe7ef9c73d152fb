#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The fourteen positions of the time/div knob and what each one means: its caption, the
// timebase code sent to the instrument, the time per division, the sample period (the record
// holds 50 samples a division), the sample rate and the texts other parts show for it.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kv {

struct TimebaseRow
{
    const char* label;        // knob label and menu caption, "50us" .. "1s"
    const char* timebaseCode; // five bits, most significant first
    double timePerDiv;        // seconds
    float samplePeriod;       // seconds: time per division / 50
    const char* refText;      // the time/div text of a reference waveform file, "50uS" .. "1S"
    int sampleRate;           // samples per second: 1 / sample period
    const char* rateCaption;  // the sample-rate read-out, "1M s/S" .. "50 s/S"
};

inline constexpr int TimebasePositions = 14;

inline constexpr std::array<TimebaseRow, TimebasePositions> TimebaseTable{{
    {"50us", "00011", 0.00005, 0.000001f, "50uS", 1000000, "1M s/S"},
    {"100us", "00011", 0.0001, 0.000002f, "100uS", 500000, "500K s/S"},
    {"200us", "00100", 0.0002, 0.000004f, "200uS", 250000, "250K s/S"},
    {"500us", "00101", 0.0005, 0.00001f, "500uS", 100000, "100K s/S"},
    {"1ms", "00110", 0.001, 0.00002f, "1mS", 50000, "50K s/S"},
    {"2ms", "00111", 0.002, 0.00004f, "2mS", 25000, "25K s/S"},
    {"5ms", "01000", 0.005, 0.0001f, "5mS", 10000, "10K s/S"},
    {"10ms", "01001", 0.01, 0.0002f, "10mS", 5000, "5K s/S"},
    {"20ms", "01010", 0.02, 0.0004f, "20mS", 2500, "2.5K s/S"},
    {"50ms", "01011", 0.05, 0.001f, "50mS", 1000, "1K s/S"},
    {"100ms", "01100", 0.1, 0.002f, "100mS", 500, "500 s/S"},
    {"200ms", "01101", 0.2, 0.004f, "200mS", 250, "250 s/S"},
    {"500ms", "01110", 0.5, 0.01f, "500mS", 100, "100 s/S"},
    {"1s", "01111", 1.0, 0.02f, "1S", 50, "50 s/S"},
}};

// The row of time/div position 1..14; nullopt for any other position.
constexpr std::optional<TimebaseRow> timebaseRow(int position)
{
    if (position < 1 || position > TimebasePositions)
        return std::nullopt;
    return TimebaseTable[std::size_t(position - 1)];
}

// The position 1..14 whose reference text is exactly `refText` (case included); nullopt for none.
constexpr std::optional<int> timebasePositionOfRefText(std::string_view refText)
{
    for (std::size_t i = 0; i < TimebaseTable.size(); ++i)
        if (refText == TimebaseTable[i].refText)
            return int(i) + 1;
    return std::nullopt;
}

} // namespace kv
