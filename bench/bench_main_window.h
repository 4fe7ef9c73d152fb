#pragma once

// A headless main window for the end-to-end benchmarks and the soak run: quiet services, a
// temporary program folder, start-up run, both channels on at 1 ms/div as a user sets them
// from the menus. Header only.

#include "app/main_window.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "link/acquisition.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"
#include "platform/unattended_services.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace kv::bench {

// Passes a serial control through, counting the records read (first reads of 751 bytes that
// came whole).
class CountingSerial : public SerialControl
{
  public:
    explicit CountingSerial(SerialControl& inner) : inner_(inner) {}
    long records() const { return records_; }

    void PortNumber(int number) override { inner_.PortNumber(number); }
    int PortNumber() const override { return inner_.PortNumber(); }
    void ReplyLength(int length) override { inner_.ReplyLength(length); }
    void WriteByte(std::uint8_t byte) override { inner_.WriteByte(byte); }
    std::string ReadBytes(int n) override
    {
        std::string bytes = inner_.ReadBytes(n);
        if (n == Acquisition::FirstChunk && bytes.size() == std::size_t(n) && bytes[0] == 'U')
            ++records_;
        return bytes;
    }
    std::int16_t BytesWaiting() override { return inner_.BytesWaiting(); }
    void FlushInput() override { inner_.FlushInput(); }
    void PortSetup() override { inner_.PortSetup(); }
    void PortReset() override { inner_.PortReset(); }
    bool PortOpen() const override { return inner_.PortOpen(); }
    void onArrival(QObject* receiver, std::function<void()> arrived) override
    {
        inner_.onArrival(receiver, std::move(arrived));
    }

  private:
    SerialControl& inner_;
    long records_ = 0;
};

// The main window on `serial` over the program folder `folder`.
struct Window
{
    Window(SerialControl& serial, const QString& folder)
        : printers(QDir(folder).filePath(QStringLiteral("p.pdf"))),
          w(MainServices{serial, dialogs, shell, registry, info, printers, folder})
    {
    }
    // Start-up, then both channels on, channel 1 selected, the given time/div menu item.
    void start(QAction* Main::*timeDiv = &Main::mnuH1ms)
    {
        w.Form_Load();
        w.mnuC2->trigger();
        w.mnuC1->trigger();
        (w.*timeDiv)->trigger();
    }
    // The first run's window opens with the Options panel over the graph: CLOSE, as a user
    // does before watching the trace.
    void closeOptions()
    {
        w.CWButton26->setValue(true);
        w.CWButton26->setValue(false);
    }
    // The splash window closed and the Options panel with it: the face a user watches.
    void closeSplashAndOptions()
    {
        w.frmSplash().CloseSplash();
        closeOptions();
    }
    // The Options panel opened with its button, as the first run shows it.
    void openOptions()
    {
        w.CWButton18->setValue(true);
        w.CWButton18->setValue(false);
    }

    UnattendedDialogs dialogs;
    NoShell shell;
    EmptyRegistry registry;
    DefaultSystemInfo info;
    PdfPrinterFactory printers;
    Main w;
};

// The offscreen platform unless QT_QPA_PLATFORM names another. Call before the application is
// created.
inline void offscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the event loop for `ms` as the program's own loop does: sleeping between events.
inline void pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU seconds (user + system) this process has used.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Resident set size in kibibytes, from /proc/self/statm.
inline long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Anonymous resident size in kibibytes (RssAnon of /proc/self/status): the program's own memory,
// without the file-backed pages of its libraries and fonts.
inline long anonymousKiB()
{
    long kib = 0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "RssAnon: %ld", &kib) == 1)
                break;
        std::fclose(f);
    }
    return kib;
}

// build/instrument-sim beside build/bench/.
inline QString simProgramPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../instrument-sim");
}

} // namespace kv::bench
