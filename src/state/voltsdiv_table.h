#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The six positions of the volts/div knob: caption, volts per division, the range bit sent to
// the instrument and the converter's full scale in that range.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kv {

struct VoltsDivRow
{
    const char* label;    // knob label and caption, "100mV" .. "5V"
    double voltsPerDiv;   // 0.1 .. 5
    const char* rangeBit; // "0" low range, "1" high range
    double fullScale;     // volts spanned by the converter's 256 steps: 4 or 20
};

inline constexpr int VoltsDivPositions = 6;

inline constexpr std::array<VoltsDivRow, VoltsDivPositions> VoltsDivTable{{
    {"100mV", 0.1, "0", 4.0},
    {"200mV", 0.2, "0", 4.0},
    {"500mV", 0.5, "0", 4.0},
    {"1V", 1.0, "1", 20.0},
    {"2V", 2.0, "1", 20.0},
    {"5V", 5.0, "1", 20.0},
}};

// The row of volts/div position 1..6; nullopt for any other position.
constexpr std::optional<VoltsDivRow> voltsDivRow(int position)
{
    if (position < 1 || position > VoltsDivPositions)
        return std::nullopt;
    return VoltsDivTable[std::size_t(position - 1)];
}

// The position 1..6 whose caption is exactly `label` (case included); nullopt for none.
constexpr std::optional<int> voltsDivPositionOfLabel(std::string_view label)
{
    for (std::size_t i = 0; i < VoltsDivTable.size(); ++i)
        if (label == VoltsDivTable[i].label)
            return int(i) + 1;
    return std::nullopt;
}

} // namespace kv
