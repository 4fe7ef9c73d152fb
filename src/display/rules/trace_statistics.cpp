#include "display/rules/trace_statistics.h"

#include <cmath>
#include <numeric>

namespace kv {

std::optional<ArrayExtremes> Extremes(std::span<const double> values)
{
    if (values.empty()) {
        return std::nullopt;
    }
    ArrayExtremes result{values[0], 0, values[0], 0};
    for (std::size_t i = 1; i < values.size(); ++i) {
        const double v = values[i];
        // A NaN at index 0 gives way to the first real number.
        if (v > result.largest || (std::isnan(result.largest) && !std::isnan(v))) {
            result.largest = v;
            result.largestIndex = i;
        }
        if (v < result.smallest || (std::isnan(result.smallest) && !std::isnan(v))) {
            result.smallest = v;
            result.smallestIndex = i;
        }
    }
    return result;
}

std::optional<double> TrueRms(std::span<const double> values)
{
    if (values.empty()) {
        return std::nullopt;
    }
    const double squares = std::inner_product(values.begin(), values.end(), values.begin(), 0.0);
    return std::sqrt(squares / static_cast<double>(values.size()));
}

std::optional<double> Mean(std::span<const double> values)
{
    if (values.empty()) {
        return std::nullopt;
    }
    return Sum(values) / static_cast<double>(values.size());
}

double Sum(std::span<const double> values)
{
    return std::accumulate(values.begin(), values.end(), 0.0);
}

double Sum(std::span<const float> values)
{
    return std::accumulate(values.begin(), values.end(), 0.0,
                           [](double sum, float v) { return sum + static_cast<double>(v); });
}

std::optional<std::span<const double>> Subset(std::span<const double> values, std::size_t first,
                                              std::size_t count)
{
    if (first > values.size() || count > values.size() - first) {
        return std::nullopt;
    }
    return values.subspan(first, count);
}

std::optional<TraceReadouts> ComputeTraceReadouts(std::span<const double> counts, float k)
{
    const auto extremes = Extremes(counts);
    if (!extremes) {
        return std::nullopt;
    }
    const double kd = static_cast<double>(k);
    TraceReadouts r;
    r.minimum = -kd * extremes->largest;
    r.maximum = -kd * extremes->smallest;
    r.peakToPeak = std::abs(kd * extremes->smallest - kd * extremes->largest);
    r.rms = kd * *TrueRms(counts);
    r.mean = -kd * *Mean(counts);
    return r;
}

} // namespace kv
