#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <cstddef>
#include <optional>
#include <span>

namespace kv {

// Statistics and array operations on sampled traces, as the measurement read-outs, the
// calibration and the spectrum window use them. An operation that has no defined result for
// its input (an empty array, a subset outside the array) returns nullopt: the caller treats
// that as the failed request it is.

// The largest and the smallest element of an array with their indexes. On ties the first
// (lowest) index is reported. NaN elements never count as largest or smallest, unless every
// element is NaN (then both are element 0).
struct ArrayExtremes
{
    double largest = 0.0;
    std::size_t largestIndex = 0;
    double smallest = 0.0;
    std::size_t smallestIndex = 0;
};

std::optional<ArrayExtremes> Extremes(std::span<const double> values);

// True RMS: the square root of the mean of the squares. nullopt for an empty array.
std::optional<double> TrueRms(std::span<const double> values);

// Arithmetic mean. nullopt for an empty array.
std::optional<double> Mean(std::span<const double> values);

// Sum of the elements, 0 for an empty array. Single-precision tables are summed in double.
double Sum(std::span<const double> values);
double Sum(std::span<const float> values);

// The count elements from index first; nullopt when they do not all lie inside the array.
// A count of 0 at any first index up to the array's size gives an empty span.
std::optional<std::span<const double>> Subset(std::span<const double> values, std::size_t first,
                                              std::size_t count);

// The five amplitude read-outs of a trace of calibrated counts at k volts per count. The
// converter counts down as the voltage rises, so a voltage is minus the count times k: the
// largest count gives the minimum voltage. k is the 32-bit value the read-outs hold, applied
// in double precision.
struct TraceReadouts
{
    double minimum = 0.0;    // -k * largest count
    double maximum = 0.0;    // -k * smallest count
    double peakToPeak = 0.0; // |k * smallest - k * largest|
    double rms = 0.0;        // k * true RMS of the counts, not negated
    double mean = 0.0;       // -k * mean of the counts
};

std::optional<TraceReadouts> ComputeTraceReadouts(std::span<const double> counts, float k);

} // namespace kv
