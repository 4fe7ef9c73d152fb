#pragma once

// Pure rules (library kv_rules): the standard library, QtCore and FFTW only; no QObject, widget,
// control or window.

#include "spectrum/rules/spectrum_math.h"

#include <span>

namespace kv {

// The period and frequency estimate of the measurement read-outs, by the peak of the
// (unwindowed) amplitude spectrum of the counts, refined between its neighbouring bins.
struct FrequencyMeasurement
{
    double estimate = 0.0;                     // hertz; 0 when no frequency was found
    SpectrumError error = SpectrumError::None; // a failed spectrum request, to be reported
};

// counts sampled every dt seconds. spectrum holds the spectrum and bin width of the latest
// estimate: it is replaced by the new spectrum, or kept when the request fails, and the estimate
// is then made from the spectrum held. With i the index of the largest bin (the first one on
// ties), the peak is i unless i is 0 or 1; then bin 0 (the constant part) is cleared and the
// search repeated: i = 1 (fewer than two periods in the record) gives 0, any other i is the
// peak. The peak of a fresh spectrum is then refined between its neighbouring bins from the
// Hann-windowed record, so that a sine of two periods or more reads within a small part of a
// bin of its frequency; the estimate is the peak times df. A flat record, and an empty
// spectrum, give 0.
FrequencyMeasurement MeasureFrequency(std::span<const double> counts, double dt, Spectrum& spectrum,
                                      FftPlanCache& plans = FftPlanCache::shared());

} // namespace kv
