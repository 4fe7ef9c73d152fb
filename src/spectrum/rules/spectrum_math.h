#pragma once

// Pure rules (library kv_rules): the standard library, QtCore and FFTW only; no QObject, widget,
// control or window.

#include "spectrum/rules/fft_plan_cache.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kv {

// Window functions of the spectrum, in their periodic (DFT-even) form over N samples,
// w[n] = a0 - a1 cos(2 pi n / N) + a2 cos(4 pi n / N) - a3 cos(6 pi n / N):
// Hann 0.5, 0.5; Hamming 0.54, 0.46; Blackman-Harris the 4-term minimum (-92 dB) form
// 0.35875, 0.48829, 0.14128, 0.01168. Rectangular leaves the record as it is.
enum class WindowFunction
{
    Rectangular,
    Hann,
    Hamming,
    BlackmanHarris
};

// The windowed record, of the same length as record.
std::vector<double> ApplyWindow(std::span<const double> record, WindowFunction window);

// A single-sided amplitude spectrum: bins[k] lies at k * df hertz, bin 0 is the constant part
// (the mean of the record), every other bin the peak amplitude of its frequency, so an on-bin
// sine of amplitude A reads A (times the window's coherent gain when the record was windowed).
// N samples give N / 2 + 1 bins and df = 1 / (N * dt). A constant record has exactly 0 outside
// bin 0.
struct Spectrum
{
    std::vector<double> bins;
    double df = 0.0;
};

// Why a spectrum could not be computed; the number is what an error message shows.
enum class SpectrumError
{
    None = 0,
    EmptyRecord = 1,
    BadSampleInterval = 2
};

// The spectrum of record sampled every dt seconds. On an error, spectrum is left as it was.
SpectrumError ComputeSpectrum(std::span<const double> record, double dt, Spectrum& spectrum,
                              FftPlanCache& plans = FftPlanCache::shared());

// The arrays the spectrum window takes its record from.
enum class FftSource
{
    CountsCH1,
    CountsCH2,
    Counts750CH1,
    Counts750CH2
};

// What the spectrum window computes on a tick: length values of source from index first,
// sampled every sampleTime seconds (a 32-bit value), and the binCount bins shown from
// firstBin.
struct FftRecordChoice
{
    FftSource source = FftSource::CountsCH1;
    std::size_t first = 0;
    std::size_t length = 0;
    float sampleTime = 0.0f;
    int firstBin = 0;
    int binCount = 0;
};

// The record for the active channel (1 or 2) at time/div position 1 to 14; bothShown when the
// traces of both channels are visible. nullopt for any other channel (the reference) or
// position: the window then keeps the record of its last tick.
std::optional<FftRecordChoice> ChooseFftRecord(int activeChannel, int timeDivPosition,
                                               bool bothShown);

// The cursor frequency read-out for a cursor at x hertz: "0.000 Hz" when the cursor is off;
// otherwise x rounded to a whole number (halves to even) and shown in kHz from 1000 on (the
// test is made before rounding) or in Hz below, with no fixed number of decimals:
// 999.5 gives "1000 Hz", 1234.5 gives "1.234 kHz".
std::string CursorFrequencyText(bool cursorOn, double x);

} // namespace kv
