// End to end over a pseudo-terminal against the simulator program: records per second with the
// instrument answering at once (the main window hidden and shown, a smooth and a dense trace),
// the longest event-loop pass with a dense trace and with records cut short, and with the
// Options panel open on a silent port and on a cut identity reply, CPU used while a
// slow record (1 s/div, 30 s a record) is awaited and idle after an unplug with Run off, and the
// start-up time to the splash window.
#include "bench_main_window.h"
#include "controls/picture_box.h"
#include "over_pty.h"
#include "platform/qt_serial_control.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace kv;
using namespace kv::bench;

// False, the benchmark marked as failed, when the simulator program did not start.
bool ready(const OverPty& link, benchmark::State& state)
{
    if (!link.started)
        state.SkipWithError("the simulator program did not start");
    return link.started;
}

// Records a second the link counted over `ms` of the event loop.
double recordsPerSecondOver(const CountingSerial& serial, int ms)
{
    const long first = serial.records();
    QElapsedTimer clock;
    clock.start();
    pump(ms);
    return (serial.records() - first) * 1000.0 / clock.elapsed();
}

// CPU used over `ms` of the event loop: a percentage of one core.
double cpuPercentOver(int ms)
{
    const double cpu = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    pump(ms);
    return 100.0 * (cpuSeconds() - cpu) / (clock.elapsed() / 1000.0);
}

// Records a second from the main window's own 1 ms timer, over one second of the event loop;
// with `shown`, the splash window is closed so the main window paints its records.
void recordsPerSecondFromTimer(benchmark::State& state, bool shown)
{
    OverPty link({});
    if (!ready(link, state))
        return;
    Main& w = link.startWindow();
    if (shown)
        link.window->closeSplashAndOptions();
    w.CWButton1->setValue(true);
    pump(200); // first records, plots laid out
    for (auto _ : state)
        state.counters["records_per_s"] = recordsPerSecondOver(link.serial, 1000);
    w.CWButton1->setValue(false);
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

// Records a second with the main window hidden and shown, on one link in one run: 1 s hidden,
// 1 s shown, three times. Argument 0: 1 ms/div (the 1 kHz sine smooth, 50 samples a period);
// 1: 10 ms/div (5 samples a period, the trace zig-zagging over the whole height).
void BM_RecordsHiddenAndShownOverPty(benchmark::State& state)
{
    OverPty link({});
    if (!ready(link, state))
        return;
    Main& w = link.startWindow(state.range(0) == 0 ? &Main::mnuH1ms : &Main::mnuH10ms);
    link.window->closeSplashAndOptions();
    w.CWButton1->setValue(true);
    pump(300);
    const auto measure = [&](bool shown) {
        w.setVisible(shown);
        pump(200); // shown: laid out and painted once
        return recordsPerSecondOver(link.serial, 1000);
    };
    double hidden = 0, shown = 0;
    for (auto _ : state) {
        hidden += measure(false);
        shown += measure(true);
    }
    w.CWButton1->setValue(false);
    const double rounds = double(state.iterations());
    state.counters["hidden_records_per_s"] = hidden / rounds;
    state.counters["shown_records_per_s"] = shown / rounds;
    state.counters["shown_percent"] = hidden > 0 ? 100.0 * shown / hidden : 0.0;
}
BENCHMARK(BM_RecordsHiddenAndShownOverPty)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The application, timing each event it handles from the event loop (not the nested ones).
class TimedApplication : public QApplication
{
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        QElapsedTimer clock;
        clock.start();
        const bool handled = QApplication::notify(receiver, event);
        longestNs_ = std::max(longestNs_, clock.nsecsElapsed());
        --depth_;
        return handled;
    }
    // The longest event handled over `ms` of the event loop.
    double longestPassMs(int ms)
    {
        longestNs_ = 0;
        pump(ms);
        return longestNs_ / 1e6;
    }

  private:
    int depth_ = 0;
    qint64 longestNs_ = 0;
};

// The longest event-loop pass over 10 s of acquisition with the main window shown, at 10 ms/div
// (a dense trace). Argument 0: a good link; 1: every record cut to 2000 bytes.
void BM_LongestPassOverPty(benchmark::State& state)
{
    QStringList args;
    if (state.range(0) == 1)
        args << QStringLiteral("--short-record") << QStringLiteral("2000");
    OverPty link(args);
    if (!ready(link, state))
        return;
    Main& w = link.startWindow(&Main::mnuH10ms);
    link.window->closeSplashAndOptions();
    w.show();
    w.CWButton1->setValue(true);
    pump(500);
    for (auto _ : state) {
        const long first = link.serial.records();
        state.counters["longest_pass_ms"] =
            static_cast<TimedApplication*>(QCoreApplication::instance())->longestPassMs(10000);
        state.counters["records"] = double(link.serial.records() - first);
    }
    w.CWButton1->setValue(false);
}
BENCHMARK(BM_LongestPassOverPty)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// The longest event-loop pass over 10 s with Run off and the Options panel open, the link watch
// identifying again at each tick. Argument 0: a port that is open but silent; 1: an instrument
// whose identity reply is cut short ("OC1035", six of its seven bytes).
void BM_LongestPassOptionsOpenOverPty(benchmark::State& state)
{
    OverPty link(state.range(0) == 0
                     ? QStringList{QStringLiteral("--silence")}
                     : QStringList{QStringLiteral("--identity"), QStringLiteral("OC1035")});
    if (!ready(link, state))
        return;
    Main& w = link.startWindow();
    w.frmSplash().CloseSplash();
    w.show();
    link.window->openOptions();
    pump(500);
    for (auto _ : state) {
        state.counters["longest_pass_ms"] =
            static_cast<TimedApplication*>(QCoreApplication::instance())->longestPassMs(10000);
        state.counters["options_shown"] = w.Options->isVisible() ? 1 : 0;
        state.counters["link_watch_ms"] = w.CheckCOM->enabled() ? w.CheckCOM->interval() : 0;
    }
}
BENCHMARK(BM_LongestPassOptionsOpenOverPty)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The same with the passes run back to back (no timer): what the link and the processing
// allow.
void BM_RecordsBackToBackOverPty(benchmark::State& state)
{
    OverPty link({});
    if (!ready(link, state))
        return;
    Main& w = link.startWindow();
    w.CWButton1->setValue(true);
    w.Timer1->setEnabled(false);
    Acquisition& acquisition = *w.acquisition;
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
    if (!ready(link, state))
        return;
    Main& w = link.startWindow(&Main::mnuH1s);
    w.CWButton1->setValue(true);
    pump(300); // the request goes out
    for (auto _ : state) {
        state.counters["cpu_percent"] = cpuPercentOver(5000);
        state.counters["records"] = double(link.serial.records());
    }
    w.CWButton1->setValue(false);
}
BENCHMARK(BM_CpuAwaitingSlowRecord)->Unit(benchmark::kMillisecond)->Iterations(1);

// CPU in the normal idle state (Run off, the Options panel closed, the splash window gone) over
// 5 s after the instrument is unplugged (the simulator program ends): a percentage of one core.
void BM_CpuAfterUnplugRunOff(benchmark::State& state)
{
    OverPty link({});
    if (!ready(link, state))
        return;
    Main& w = link.startWindow();
    link.window->closeSplashAndOptions();
    w.show();
    pump(500);
    link.sim.stop();
    pump(200);
    for (auto _ : state) {
        state.counters["cpu_percent"] = cpuPercentOver(5000);
        state.counters["port_open"] = link.port.isOpen() ? 1 : 0;
    }
}
BENCHMARK(BM_CpuAfterUnplugRunOff)->Unit(benchmark::kMillisecond)->Iterations(1);

// Main construction and start-up until the splash window shows, the instrument answering on
// the pseudo-terminal (the identification is part of start-up).
void BM_StartUpToSplash(benchmark::State& state)
{
    OverPty link({});
    if (!ready(link, state))
        return;
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
    offscreenUnlessSet();
    TimedApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
