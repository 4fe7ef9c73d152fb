#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <optional>

namespace kv {

// The trigger level of a channel from its zero-line pointer and its trigger pointer (graph
// units, growing downward as the inverted counts do).
struct TrigLevelResult
{
    double level = 0;            // counts 0..255, unrounded; clipped to 0 or 255
    std::optional<double> volts; // nullopt when the level is clipped (shown as "----")
};

// level = (V - T + A/2) x 255 / A with A = 50 x full scale / volts per division. nullopt for a
// volts/div index outside 1..6.
std::optional<TrigLevelResult> computeTrigLevel(int vdivIndex, double zeroLine, double trigPointer);

} // namespace kv
