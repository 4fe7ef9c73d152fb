// End to end over a pseudo-terminal against the simulator program: records per second with the
// instrument answering at once, CPU used while a slow record (1 s/div, 30 s a record) is awaited,
// and the start-up time to the splash window.
#include "../tests/e2e/sim_program.h"
#include "bench_main_window.h"
#include "platform/qt_serial_control.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace kv;
using namespace kv::bench;

// The main window on the real serial control, COM10 linked to the simulator program.
struct OverPty
{
    explicit OverPty(const QStringList& simArgs) : sim(simProgramPath())
    {
        started = sim.start(dir.path(), simArgs);
    }

    QTemporaryDir dir;
    SimProgram sim;
    bool started = false;
    QtSerialControl port{dir.path()};
    CountingSerial serial{port};
    std::unique_ptr<Window> window;
};

// Records a second from the main window's own 1 ms timer, over one second of the event loop;
// with `shown`, the splash window is closed so the main window paints its records.
void recordsPerSecondFromTimer(benchmark::State& state, bool shown)
{
    OverPty link({});
    if (!link.started) {
        state.SkipWithError("the simulator program did not start");
        return;
    }
    link.window = std::make_unique<Window>(link.serial, link.dir.path());
    link.window->start();
    if (shown)
        link.window->w.frmSplash().CloseSplash();
    link.window->w.CWButton1->setValue(true);
    pump(200); // first records, plots laid out
    for (auto _ : state) {
        const long first = link.serial.records();
        QElapsedTimer clock;
        clock.start();
        pump(1000);
        state.counters["records_per_s"] =
            (link.serial.records() - first) * 1000.0 / clock.elapsed();
    }
    link.window->w.CWButton1->setValue(false);
}

void BM_RecordsPerSecondOverPty(benchmark::State& state)
{
    recordsPerSecondFromTimer(state, false);
}
BENCHMARK(BM_RecordsPerSecondOverPty)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RecordsPerSecondShownOverPty(benchmark::State& state)
{
    recordsPerSecondFromTimer(state, true);
}
BENCHMARK(BM_RecordsPerSecondShownOverPty)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same with the passes run back to back (no timer): what the link and the processing
// allow.
void BM_RecordsBackToBackOverPty(benchmark::State& state)
{
    OverPty link({});
    if (!link.started) {
        state.SkipWithError("the simulator program did not start");
        return;
    }
    link.window = std::make_unique<Window>(link.serial, link.dir.path());
    link.window->start();
    link.window->w.CWButton1->setValue(true);
    link.window->w.Timer1->setEnabled(false);
    Acquisition& acquisition = *link.window->w.acquisition;
    const long first = link.serial.records();
    for (auto _ : state)
        acquisition.Timer1_Timer();
    state.counters["records_per_s"] =
        benchmark::Counter(double(link.serial.records() - first), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecordsBackToBackOverPty)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// CPU while a record at 1 s/div is awaited (the real pace: 1500 samples at 20 ms), over 5 s of
// the event loop with the 1 ms tick polling: a percentage of one core.
void BM_CpuAwaitingSlowRecord(benchmark::State& state)
{
    OverPty link({QStringLiteral("--pace"), QStringLiteral("real")});
    if (!link.started) {
        state.SkipWithError("the simulator program did not start");
        return;
    }
    link.window = std::make_unique<Window>(link.serial, link.dir.path());
    link.window->start(&Main::mnuH1s);
    link.window->w.CWButton1->setValue(true);
    pump(300); // the request goes out
    for (auto _ : state) {
        const double cpu = cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        pump(5000);
        state.counters["cpu_percent"] = 100.0 * (cpuSeconds() - cpu) / (clock.elapsed() / 1000.0);
        state.counters["records"] = double(link.serial.records());
    }
    link.window->w.CWButton1->setValue(false);
}
BENCHMARK(BM_CpuAwaitingSlowRecord)->Unit(benchmark::kMillisecond)->Iterations(1);

// Main construction and start-up until the splash window shows, the instrument answering on
// the pseudo-terminal (the identification is part of start-up).
void BM_StartUpToSplash(benchmark::State& state)
{
    OverPty link({});
    if (!link.started) {
        state.SkipWithError("the simulator program did not start");
        return;
    }
    for (auto _ : state) {
        QTemporaryDir folder; // a fresh program folder: the first start each time
        QtSerialControl port(folder.path());
        QDir().mkpath(folder.filePath(QStringLiteral("dosdevices")));
        QFile::link(link.dir.filePath(QStringLiteral("dosdevices/com10")),
                    folder.filePath(QStringLiteral("dosdevices/com10")));
        QElapsedTimer clock;
        clock.start();
        Window window(port, folder.path());
        window.w.Form_Load();
        const bool shown = window.w.splashLoaded() && window.w.frmSplash().isVisible();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (!shown)
            state.SkipWithError("the splash window is not shown after start-up");
    }
}
BENCHMARK(BM_StartUpToSplash)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
