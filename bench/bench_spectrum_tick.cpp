// One tick of the spectrum window: record choice, window function, spectrum, subset, plot and
// cursor read-out, with the window loaded hidden (as the Run/Stop switch loads it) and shown.
#include "spectrum/spectrum_window.h"

#include <QApplication>
#include <QRadioButton>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

namespace {

class BenchSource : public kv::SpectrumSource
{
  public:
    BenchSource()
    {
        auto& counts = g.Samples.CountsCH1;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            const double t = static_cast<double>(i);
            counts[i] = std::round(60.0 * std::sin(2.0 * std::numbers::pi * 37.3 * t / 1024.0) +
                                   static_cast<double>(i * 7919 % 5) - 2.0);
        }
        g.ActiveChannel = 1;
    }
    const kv::GlobalV& global() const override { return g; }
    int timeDivPosition() const override { return 2; }
    bool bothTracesShown() const override { return false; }
    void setRun(bool) override {}

    kv::GlobalV g;
};

void BM_SpectrumTick(benchmark::State& state)
{
    BenchSource source;
    kv::SpectrumWindow window(source);
    window.bkharis->setChecked(true);
    if (state.range(0) != 0) {
        window.show();
    }
    window.Timer1_Timer(); // plans the transform, as the first tick does
    for (auto _ : state) {
        window.Timer1_Timer();
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) != 0 ? "shown" : "hidden");
}
BENCHMARK(BM_SpectrumTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
