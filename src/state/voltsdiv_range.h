#pragma once

// The range group of a volts/div position: positions 1 to 3 measure in the low range (4 V
// full scale), 4 to 6 in the high range (20 V). Every rule that picks a value per range asks
// this one.

#include "state/voltsdiv_table.h"

#include <string_view>

namespace kv {

enum class VoltsRange
{
    None,
    Low,
    High
};

inline constexpr int LowRangeLastPosition = 3;

// The range of a volts/div index: 1 to 3 low, 4 to 6 high (both ends included); a number
// between 3 and 4, outside 1..6, or NaN has none.
constexpr VoltsRange voltsRangeOf(double vdivIndex)
{
    if (vdivIndex >= 1 && vdivIndex <= LowRangeLastPosition)
        return VoltsRange::Low;
    if (vdivIndex >= LowRangeLastPosition + 1 && vdivIndex <= VoltsDivPositions)
        return VoltsRange::High;
    return VoltsRange::None;
}

// The table's range bits agree with the rule.
constexpr bool rangeBitsAgree()
{
    for (int p = 1; p <= VoltsDivPositions; ++p) {
        const std::string_view bit = voltsDivRow(p)->rangeBit;
        if ((voltsRangeOf(p) == VoltsRange::Low) != (bit == "0"))
            return false;
    }
    return true;
}
static_assert(rangeBitsAgree());

} // namespace kv
