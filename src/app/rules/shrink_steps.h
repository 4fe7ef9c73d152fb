#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <vector>

namespace kv {

// One step of the closing animation: the window's geometry in twips.
struct ShrinkStep
{
    double left, top, width, height;
    bool repaint; // the narrowing steps repaint the window, the flattening steps do not
};

// The closing animation from a geometry in twips: 25 steps narrowing the window about its
// centre line, then 31 flattening it about its middle; a size that would go negative bounces
// back from 0.
std::vector<ShrinkStep> ShrinkSteps(double left, double top, double width, double height);

} // namespace kv
