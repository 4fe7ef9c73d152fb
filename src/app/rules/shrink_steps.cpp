#include "app/rules/shrink_steps.h"

#include <cmath>

namespace kv {

std::vector<ShrinkStep> ShrinkSteps(double left, double top, double width, double height)
{
    std::vector<ShrinkStep> steps;
    for (int i = 0; i < 25; ++i) {
        width = std::fabs(width - 359.3);
        left = std::fabs(left + 179.65);
        steps.push_back({left, top, width, height, true});
    }
    for (int i = 0; i < 31; ++i) {
        height = std::fabs(height - 360);
        top = std::fabs(top + 180);
        steps.push_back({left, top, width, height, false});
    }
    return steps;
}

} // namespace kv
