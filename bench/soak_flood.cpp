// Soak run under a flood: the simulator program over a pseudo-terminal sends pseudo-random bytes
// at a rate beside its answers, the main window shown with its splash window and its Options panel
// closed (with --options-open the panel stays over the graph, as the first run shows it); first
// with Run off (nothing reads the port), then with Run on. Prints the resident size every 10 s.
//
//   soak_flood [--seconds N] [--rate BYTES_PER_S] [--options-open]
//                                                      (defaults 60 s a phase, 1000000 B/s)
//
// Exits 1 when in either phase the anonymous resident size (the program's own memory, RssAnon)
// at the end is more than 5 % above the one after its first 5 s.
#include "app/splash_window.h"
#include "bench_main_window.h"
#include "over_pty.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace kv;
using namespace kv::bench;

struct Options
{
    int seconds = 60;
    int rate = 1'000'000;
    bool optionsOpen = false;
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--options-open") == 0) {
            options.optionsOpen = true;
            continue;
        }
        if (i + 1 == argc)
            return false;
        const int value = std::atoi(argv[++i]);
        if (std::strcmp(argv[i - 1], "--seconds") == 0 && value >= 10)
            options.seconds = value;
        else if (std::strcmp(argv[i - 1], "--rate") == 0 && value > 0)
            options.rate = value;
        else
            return false;
    }
    return true;
}

// The resident size's anonymous and file-backed parts (KiB), from /proc/self/status.
std::string residentParts()
{
    std::ifstream status("/proc/self/status");
    std::string line, parts;
    while (std::getline(status, line)) {
        if (line.rfind("RssAnon:", 0) == 0 || line.rfind("RssFile:", 0) == 0 ||
            line.rfind("RssShmem:", 0) == 0)
            parts += " " + line.substr(0, line.find(':')) + " " +
                     std::to_string(std::atol(line.c_str() + line.find(':') + 1));
    }
    return parts;
}

// One phase: 5 s to settle, then `seconds` more; true when the anonymous size stayed within 5 %.
bool phase(const char* name, int seconds)
{
    pump(5000);
    const long startKiB = anonymousKiB();
    std::cout << name << ": resident " << residentKiB() << " KiB at 5 s ("
              << residentParts().substr(1) << ")" << std::endl;
    for (int at = 10; at <= seconds; at += 10) {
        pump(10000);
        std::cout << name << ": resident " << residentKiB() << " KiB at " << at + 5 << " s ("
                  << residentParts().substr(1) << ")" << std::endl;
    }
    const long endKiB = anonymousKiB();
    const double growth = 100.0 * double(endKiB - startKiB) / double(startKiB);
    std::cout << name << ": anonymous " << startKiB << " -> " << endKiB << " KiB, growth "
              << (growth >= 0 ? "+" : "") << growth << " %" << std::endl;
    return growth <= 5.0;
}

} // namespace

int main(int argc, char** argv)
{
    offscreenUnlessSet();
    QApplication app(argc, argv);
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: soak_flood [--seconds N] [--rate BYTES_PER_S] [--options-open]\n";
        return 2;
    }
    OverPty link({QStringLiteral("--flood"), QString::number(options.rate)});
    if (!link.started) {
        std::cerr << "soak_flood: the simulator program did not start\n";
        return 1;
    }
    Main& w = link.startWindow();
    w.frmSplash().CloseSplash();
    if (options.optionsOpen)
        link.window->openOptions();
    else
        link.window->closeOptions();
    w.show();
    const bool runOff = phase("run off", options.seconds);
    w.CWButton1->setValue(true);
    const bool runOn = phase("run on", options.seconds);
    w.CWButton1->setValue(false);
    std::cout << "records read with Run on: " << link.serial.records() << std::endl;
    return runOff && runOn ? 0 : 1;
}
