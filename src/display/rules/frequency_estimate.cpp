#include "display/rules/frequency_estimate.h"

#include "display/rules/trace_statistics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace kv {

namespace {

// The index of the largest bin; 0 for an empty spectrum.
std::size_t PeakIndex(std::span<const double> bins)
{
    const auto extremes = Extremes(bins);
    return extremes ? extremes->largestIndex : 0;
}

// The frequency, in bins, of the tone whose spectrum peaks at bin `peak`, refined between the
// neighbouring bins. The record, less its mean, is weighted with the Hann window, whose peak
// over a tone at peak + d (0 <= d <= 1) and its neighbour on that side stand in the ratio
// a = (1 + d) / (2 - d); so d = (2a - 1) / (a + 1). The Hann window also keeps the constant
// part to bins 0 and 1 and the tone's mirror image at -f from reaching the bins used, which
// holds for two periods in the record and more. The refined peak stays within a bin of the
// first one and never below bin 2.
double RefinedPeak(std::span<const double> counts, std::size_t peak, FftPlanCache& plans)
{
    // The window of each record length, and one buffer: the read-outs run after each record.
    static std::map<std::size_t, std::vector<double>> windows;
    static std::vector<double> record;
    std::vector<double>& window = windows[counts.size()];
    if (window.empty())
        window = ApplyWindow(std::vector<double>(counts.size(), 1.0), WindowFunction::Hann);
    const double mean = Mean(counts).value_or(0.0);
    record.resize(counts.size());
    for (std::size_t n = 0; n < record.size(); ++n)
        record[n] = (counts[n] - mean) * window[n];
    const auto bins = plans.planFor(record.size()).transform(record);
    const std::size_t last = bins.size() - 1;
    const auto magnitude = [&](std::size_t k) { return std::abs(bins[k]); };
    if (peak < 2 || peak > last)
        return static_cast<double>(peak);
    // The windowed spectrum may peak one bin beside the plain one.
    std::size_t j = peak;
    for (std::size_t k = std::max<std::size_t>(peak - 1, 2); k <= std::min(peak + 1, last); ++k)
        if (magnitude(k) > magnitude(j))
            j = k;
    const double centre = magnitude(j);
    const double below = magnitude(j - 1);
    const double above = j < last ? magnitude(j + 1) : 0.0;
    if (centre <= 0.0)
        return static_cast<double>(j);
    const bool up = above > below;
    const double a = std::min((up ? above : below) / centre, 1.0);
    const double d = std::max((2.0 * a - 1.0) / (a + 1.0), 0.0);
    return static_cast<double>(j) + (up ? d : -d);
}

} // namespace

FrequencyMeasurement MeasureFrequency(std::span<const double> counts, double dt, Spectrum& spectrum,
                                      FftPlanCache& plans)
{
    FrequencyMeasurement result;
    result.error = ComputeSpectrum(counts, dt, spectrum, plans);
    std::size_t i = PeakIndex(spectrum.bins);
    if (i <= 1) {
        if (!spectrum.bins.empty()) {
            spectrum.bins[0] = 0.0;
        }
        i = PeakIndex(spectrum.bins);
        if (i == 1) {
            return result;
        }
    }
    // The record itself refines the peak; a spectrum held from an earlier record cannot.
    const bool fresh =
        result.error == SpectrumError::None && counts.size() / 2 + 1 == spectrum.bins.size();
    const double bin = fresh && i >= 2 ? RefinedPeak(counts, i, plans) : static_cast<double>(i);
    result.estimate = bin * spectrum.df;
    return result;
}

} // namespace kv
