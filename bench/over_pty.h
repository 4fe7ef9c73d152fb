#pragma once

// The main window's link over a pseudo-terminal: a temporary program folder whose COM port 10 is
// linked to the simulator program, the real serial control on it, counting the records read.
// Header only; for the end-to-end benchmarks and the soak runs.

#include "../tests/e2e/sim_program.h"
#include "bench_main_window.h"
#include "platform/qt_serial_control.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace kv::bench {

struct OverPty
{
    explicit OverPty(const QStringList& simArgs) : sim(simProgramPath())
    {
        started = sim.start(dir.path(), simArgs);
    }

    // Builds the main window on the link and starts it (Window::start).
    Main& startWindow(QAction* Main::*timeDiv = &Main::mnuH1ms)
    {
        window = std::make_unique<Window>(serial, dir.path());
        window->start(timeDiv);
        return window->w;
    }

    QTemporaryDir dir;
    SimProgram sim;
    bool started = false;
    QtSerialControl port{dir.path()};
    CountingSerial serial{port};
    std::unique_ptr<Window> window;
};

} // namespace kv::bench
