// Soak run: continuous acquisition with the spectrum window open, passes back to back with the
// event loop (the spectrum window's 100 ms tick among it) served after each, against the
// in-process simulated instrument answering at once, or with --pty the simulator program over a
// pseudo-terminal. Prints the resident size after 10 % of the records and at the end.
//
//   soak_acquisition [--records N] [--pty]        (default 100000 records, in process)
//
// Exits 1 when the resident size at the end is more than 5 % above the one at 10 %, or when
// fewer records arrived than asked for within the time allowed.
#include "app/splash_window.h"
#include "bench_main_window.h"
#include "instrument-sim/in_process_serial.h"
#include "over_pty.h"
#include "spectrum/spectrum_launcher.h"

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>

namespace {

using namespace kv;
using namespace kv::bench;

struct Options
{
    long records = 100000;
    bool pty = false;
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pty") == 0) {
            options.pty = true;
        } else if (std::strcmp(argv[i], "--records") == 0 && i + 1 < argc) {
            options.records = std::strtol(argv[++i], nullptr, 10);
            if (options.records < 10)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// Runs passes until `serial` has counted `target` records or the time allowed is over.
// `housekeeping` runs every 256 records.
bool acquireUntil(Acquisition& acquisition, const CountingSerial& serial, long target,
                  std::chrono::steady_clock::time_point deadline,
                  const std::function<void()>& housekeeping)
{
    long lastKept = serial.records();
    while (serial.records() < target) {
        acquisition.Timer1_Timer();
        QCoreApplication::processEvents();
        if (serial.records() - lastKept >= 256) {
            lastKept = serial.records();
            if (housekeeping)
                housekeeping();
            if (std::chrono::steady_clock::now() > deadline)
                return false;
        }
    }
    return true;
}

int soak(SerialControl& link, const QString& folder, const Options& options,
         const std::function<void()>& housekeeping = {})
{
    CountingSerial serial(link);
    Window window(serial, folder);
    window.start();
    Main& w = window.w;
    // The main window stays behind its splash window (a hidden window paints nothing): this run
    // is about memory over many records; painting is in bench_end_to_end's figures.
    w.frmSplash().SplashTime->setEnabled(false);
    w.spectrum->FFTbutton_ValueChanged(true); // the spectrum window open
    w.CWButton1->setValue(true);
    w.Timer1->setEnabled(false); // the passes run back to back below
    // At most 10 ms a record: far above the few hundred microseconds one takes.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(10 * options.records + 10000);
    const long early = options.records / 10;
    const auto start = std::chrono::steady_clock::now();
    if (!acquireUntil(*w.acquisition, serial, early, deadline, housekeeping)) {
        std::cerr << "soak: only " << serial.records() << " records arrived\n";
        return 1;
    }
    const long earlyKiB = residentKiB();
    std::cout << "resident after " << early << " records: " << earlyKiB << " KiB" << std::endl;
    if (!acquireUntil(*w.acquisition, serial, options.records, deadline, housekeeping)) {
        std::cerr << "soak: only " << serial.records() << " records arrived\n";
        return 1;
    }
    const long endKiB = residentKiB();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double growth = 100.0 * double(endKiB - earlyKiB) / double(earlyKiB);
    std::cout << "resident after " << serial.records() << " records: " << endKiB << " KiB ("
              << (growth >= 0 ? "+" : "") << growth << " %)\n"
              << "records per second: " << serial.records() / seconds << "\n"
              << "spectrum window shown: "
              << (w.spectrum->window() && w.spectrum->window()->isVisible()) << std::endl;
    w.CWButton1->setValue(false);
    return growth <= 5.0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    offscreenUnlessSet();
    QApplication app(argc, argv);
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: soak_acquisition [--records N] [--pty]\n";
        return 2;
    }
    if (options.pty) {
        OverPty link({});
        if (!link.started) {
            std::cerr << "soak: the simulator program did not start\n";
            return 1;
        }
        return soak(link.port, link.dir.path(), options);
    }
    QTemporaryDir folder;
    InProcessSerial serial;
    serial.instrument().setHonourChannelEnable(false);
    // The in-process link logs every byte written, for tests: the log is emptied as it goes,
    // so that it does not count as the program's memory.
    return soak(serial, folder.path(), options, [&serial] { serial.clearWritten(); });
}
