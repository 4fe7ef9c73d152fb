// The acquisition cycle headless: the processing of one two-channel record (poll, reads, decode,
// both read-out updates, both plots, cursor read-outs, window update) against a link that always
// has a record waiting, and records per second end to end against the in-process simulated
// instrument answering at once, with passes run back to back and from the 1 ms timer.
#include "app/main_window.h"
#include "bench_main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_timer.h"
#include "instrument-sim/in_process_serial.h"
#include "link/acquisition.h"
#include "link/rules/sample_decode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

using namespace kv;

// A link on which a whole record is always waiting: a pass never waits and always decodes.
class RecordWaiting : public SerialControl
{
  public:
    RecordWaiting()
    {
        record_.assign(1, DataSync);
        for (int i = 0; i < 3000; ++i) {
            const double v = 0.4 * std::sin(2 * std::numbers::pi * 30 * (i % 1500) / 1500.0);
            record_.push_back(static_cast<char>(std::lround(127 - v * 255 / 4)));
        }
    }
    void PortNumber(int number) override { port_ = number; }
    int PortNumber() const override { return port_; }
    void ReplyLength(int) override {}
    void WriteByte(std::uint8_t) override {}
    std::string ReadBytes(int n) override
    {
        const std::string chunk = record_.substr(at_, static_cast<std::size_t>(n));
        at_ = (at_ + chunk.size()) % record_.size();
        return chunk;
    }
    std::int16_t BytesWaiting() override { return DataFrameLength; }
    void FlushInput() override { at_ = 0; }
    void PortSetup() override {}
    void PortReset() override {}

  private:
    std::string record_;
    std::size_t at_ = 0;
    int port_ = 1;
};

// The main window without its start-up, set for two-channel records at 1 ms/div, Run on.
struct Bench
{
    explicit Bench(SerialControl& serial) : window(serial, dir.path())
    {
        w.CWKnob2->setPosition(5);
        w.CWKnob1->setPosition(2);
        w.state.TimebaseCode = "00110";
        w.state.VdivIndex = 2;
        w.state.VdivIndexCH1 = 2;
        w.state.VdivIndexCH2 = 2;
        w.state.CH1EnableBits = "0001";
        w.state.CH2EnableBits = "0001";
        w.global.ActiveChannel = 1;
        w.global.ModelGainLo = w.global.ModelGainHi = 1.0f;
        w.global.GainCH1 = w.global.GainCH2 = 1.0f;
        w.global.ATTFactorCH1 = w.global.ATTFactorCH2 = 1.0f;
        w.state.PlotScaleCH2 = 3.90625;
        for (const char* cursor : {"A", "B", "T"})
            w.CWGraph1->addCursor(QString::fromLatin1(cursor));
        w.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
        w.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), true);
        w.CWButton4->setValue(false);
        w.CWButton1->setValue(true);
    }

    QTemporaryDir dir;
    bench::Window window;
    Main& w = window.w;
};

// Processing of one two-channel record.
void BM_ProcessRecord(benchmark::State& state)
{
    RecordWaiting serial;
    Bench bench(serial);
    bench.w.acquisition->AcquireFrame(); // plans and first plot before timing
    for (auto _ : state)
        bench.w.acquisition->AcquireFrame();
    benchmark::DoNotOptimize(bench.w.global.Samples.CountsCH1.data());
}
BENCHMARK(BM_ProcessRecord)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// Records per second against the in-process instrument answering at once, passes back to back
// (the cost of a record with the instrument's own work, no timer).
void BM_RecordsInProcess(benchmark::State& state)
{
    InProcessSerial serial;
    serial.PortSetup();
    serial.instrument().setHonourChannelEnable(false);
    Bench bench(serial);
    const int first = serial.instrument().requestCount();
    for (auto _ : state)
        bench.w.acquisition->Timer1_Timer();
    const int records = serial.instrument().requestCount() - first;
    state.counters["records_per_s"] = benchmark::Counter(records, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecordsInProcess)->Unit(benchmark::kMicrosecond);

// The same from the 1 ms acquisition timer in the event loop, over one second.
void BM_RecordsFromTimer(benchmark::State& state)
{
    InProcessSerial serial;
    serial.PortSetup();
    serial.instrument().setHonourChannelEnable(false);
    Bench bench(serial);
    for (auto _ : state) {
        const int first = serial.instrument().requestCount();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.counters["records_per_s"] =
            (serial.instrument().requestCount() - first) * 1000.0 / clock.elapsed();
    }
}
BENCHMARK(BM_RecordsFromTimer)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    bench::offscreenUnlessSet();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
