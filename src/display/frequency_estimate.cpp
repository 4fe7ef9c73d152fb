#include "display/frequency_estimate.h"

#include "display/trace_statistics.h"

namespace kv {

namespace {

// The index of the largest bin; 0 for an empty spectrum.
std::size_t PeakIndex(std::span<const double> bins)
{
    const auto extremes = Extremes(bins);
    return extremes ? extremes->largestIndex : 0;
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
    result.estimate = static_cast<double>(i) * spectrum.df;
    return result;
}

} // namespace kv
