// One spectrum as the spectrum window computes it on a tick: the window function applied to the
// record, then the amplitude spectrum. Plans are made before timing, as the program makes them
// on the first tick.
#include "display/rules/frequency_estimate.h"
#include "spectrum/rules/spectrum_math.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

std::vector<double> Record(std::size_t length)
{
    std::vector<double> record(length);
    for (std::size_t n = 0; n < length; ++n) {
        const double t = static_cast<double>(n);
        record[n] = 3.0 + 40.0 * std::sin(2.0 * std::numbers::pi * 37.3 * t / 1500.0) +
                    static_cast<double>(n * 7919 % 5) - 2.0;
    }
    return record;
}

void BM_Spectrum(benchmark::State& state)
{
    const auto length = static_cast<std::size_t>(state.range(0));
    const auto window = static_cast<kv::WindowFunction>(state.range(1));
    const auto record = Record(length);
    kv::Spectrum spectrum;
    kv::ComputeSpectrum(record, 1e-6, spectrum);
    for (auto _ : state) {
        const auto windowed = kv::ApplyWindow(record, window);
        kv::ComputeSpectrum(windowed, 1e-6, spectrum);
        benchmark::DoNotOptimize(spectrum.bins.data());
    }
}

// The frequency estimate of one trace's read-outs (unwindowed spectrum and two peak searches).
void BM_MeasureFrequency(benchmark::State& state)
{
    const auto record = Record(static_cast<std::size_t>(state.range(0)));
    kv::Spectrum spectrum;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kv::MeasureFrequency(record, 1e-6, spectrum).estimate);
    }
}

} // namespace

BENCHMARK(BM_Spectrum)
    ->ArgNames({"points", "window"})
    ->ArgsProduct({{512, 750, 1024, 1500}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeasureFrequency)
    ->ArgName("points")
    ->Arg(750)
    ->Arg(1500)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
