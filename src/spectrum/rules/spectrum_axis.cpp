#include "spectrum/rules/spectrum_axis.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace kv {

std::string HertzAxisLabel(double hz)
{
    if (!std::isfinite(hz)) {
        return "";
    }
    const double magnitude = std::fabs(hz);
    const char* prefix = "";
    double scaled = hz;
    if (magnitude >= 1e6) {
        prefix = "M";
        scaled = hz / 1e6;
    } else if (magnitude >= 1e3) {
        prefix = "k";
        scaled = hz / 1e3;
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.3g%sHz", scaled + 0.0, prefix);
    return text.data();
}

double ShownFirstFrequency(int firstBin, double df)
{
    return firstBin * df;
}

} // namespace kv
