#pragma once

#include "spectrum/spectrum_math.h"

#include <span>

namespace kv {

// The period and frequency estimate of the measurement read-outs, by the peak of the
// (unwindowed) amplitude spectrum of the counts.
struct FrequencyMeasurement
{
    double estimate = 0.0;                     // hertz; 0 when no frequency was found
    SpectrumError error = SpectrumError::None; // a failed spectrum request, to be reported
};

// counts sampled every dt seconds. spectrum holds the spectrum and bin width of the latest
// estimate: it is replaced by the new spectrum, or kept when the request fails, and the estimate
// is then made from the spectrum held. With i the index of the largest bin (the first one on
// ties), the estimate is i * df unless i is 0 or 1; then bin 0 (the constant part) is cleared
// and the search repeated: i = 1 gives 0, any other i gives i * df. So the estimate is a whole
// multiple of df and never bin 1; a flat record, and an empty spectrum, give 0.
FrequencyMeasurement MeasureFrequency(std::span<const double> counts, double dt, Spectrum& spectrum,
                                      FftPlanCache& plans = FftPlanCache::shared());

} // namespace kv
