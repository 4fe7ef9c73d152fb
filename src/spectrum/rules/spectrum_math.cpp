#include "spectrum/rules/spectrum_math.h"

#include "state/timebase_table.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kv {

namespace {

using WindowTerms = std::array<double, 4>;

WindowTerms TermsOf(WindowFunction window)
{
    switch (window) {
    case WindowFunction::Hann:
        return {0.5, 0.5, 0.0, 0.0};
    case WindowFunction::Hamming:
        return {0.54, 0.46, 0.0, 0.0};
    case WindowFunction::BlackmanHarris:
        return {0.35875, 0.48829, 0.14128, 0.01168};
    case WindowFunction::Rectangular:
        break;
    }
    return {1.0, 0.0, 0.0, 0.0};
}

// The shortest text of a number with at most 15 significant digits, "." as decimal point.
std::string NumberText(double value)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.15g", value + 0.0); // + 0.0 turns -0 into 0
    return text.data();
}

} // namespace

std::vector<double> ApplyWindow(std::span<const double> record, WindowFunction window)
{
    std::vector<double> windowed(record.begin(), record.end());
    if (window == WindowFunction::Rectangular) {
        return windowed;
    }
    const auto [a0, a1, a2, a3] = TermsOf(window);
    const double step = 2.0 * std::numbers::pi / static_cast<double>(record.size());
    for (std::size_t n = 0; n < windowed.size(); ++n) {
        // cos(2x) and cos(3x) from cos(x): one cosine per sample.
        const double c1 = std::cos(step * static_cast<double>(n));
        const double c2 = 2.0 * c1 * c1 - 1.0;
        const double c3 = c1 * (2.0 * c2 - 1.0);
        windowed[n] *= a0 - a1 * c1 + a2 * c2 - a3 * c3;
    }
    return windowed;
}

SpectrumError ComputeSpectrum(std::span<const double> record, double dt, Spectrum& spectrum,
                              FftPlanCache& plans)
{
    if (record.empty()) {
        return SpectrumError::EmptyRecord;
    }
    if (!std::isfinite(dt) || dt <= 0.0) {
        return SpectrumError::BadSampleInterval;
    }
    const std::size_t n = record.size();
    const auto transform = plans.planFor(n).transform(record);
    const double edgeScale = 1.0 / static_cast<double>(n);
    spectrum.bins.resize(transform.size());
    for (std::size_t k = 0; k < transform.size(); ++k) {
        // Bin 0 and, for an even length, the last bin have no mirror image to fold in.
        const bool edge = k == 0 || 2 * k == n;
        const double scale = edge ? edgeScale : 2.0 * edgeScale;
        const std::complex<double> x = transform[k];
        spectrum.bins[k] = scale * std::sqrt(x.real() * x.real() + x.imag() * x.imag());
    }
    spectrum.df = 1.0 / (static_cast<double>(n) * dt);
    return SpectrumError::None;
}

std::optional<FftRecordChoice> ChooseFftRecord(int activeChannel, int timeDivPosition,
                                               bool bothShown)
{
    const auto timebase = timebaseRow(timeDivPosition);
    if ((activeChannel != 1 && activeChannel != 2) || !timebase) {
        return std::nullopt;
    }
    const bool channel1 = activeChannel == 1;
    if (timeDivPosition == 1 && bothShown) {
        // Both channels at 500 kS/s each in the 750-point arrays.
        return FftRecordChoice{
            channel1 ? FftSource::Counts750CH1 : FftSource::Counts750CH2, 119, 512, 2e-6f, 2, 254};
    }
    FftRecordChoice choice{FftSource::CountsCH1, 237, 1024, timebase->samplePeriod, 2, 510};
    // At position 1 with one trace the shown channel is captured into the channel 1 arrays.
    if (!channel1 && timeDivPosition != 1) {
        choice.source = FftSource::CountsCH2;
        if (timeDivPosition == 7) {
            choice.firstBin = 0;
            choice.binCount = 512;
        }
    }
    return choice;
}

std::string CursorFrequencyText(bool cursorOn, double x)
{
    if (!cursorOn) {
        return "0.000 Hz";
    }
    if (!std::isfinite(x)) {
        return "0 Hz";
    }
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double rounded = std::nearbyint(x);
    if (x >= 1000.0) {
        return NumberText(rounded * 0.001) + " kHz";
    }
    return NumberText(rounded) + " Hz";
}

} // namespace kv
