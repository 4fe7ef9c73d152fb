#pragma once

// A private X server (Xvfb) and xdotool to drive real programs on it as a user does: find
// windows by their title, press keys, click at positions. Every wait is bounded; a tool that
// does not answer in time is killed. Header only.

#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kv::test {

// How long a test waits for the program's window to show: generous, since the whole suite runs
// its test programs side by side and a loaded machine starts a program slowly.
inline constexpr int ShowDeadlineMs = 30000;

// The main window's title, by which the tests find the program's window.
inline const QString MainTitle =
    QStringLiteral("Corvanth USB Oscilloscope - Digital Real Time Oscilloscope");

class XSession
{
  public:
    struct Window
    {
        QString id;
        QString title;
    };

    XSession() = default;
    ~XSession() { stop(); }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Why the session cannot run here ("" when both tools are installed).
    static QString missingTools()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            return QStringLiteral("Xvfb is not installed");
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            return QStringLiteral("xdotool is not installed");
        return {};
    }

    // Starts Xvfb on a display of its own and waits until it accepts connections. The number is
    // picked at random from a high range, far from the low numbers other servers take first, and
    // claimed by the server's own lock file (/tmp/.X<n>-lock, which -displayfd does not write);
    // a server that does not come up there (the number taken by a server started at the same
    // moment, or no answer in time) is stopped and the next number is tried. -noreset: by
    // default the server resets whenever its last client leaves (each xdotool call is a client),
    // and a program that connects during the reset fails with "could not connect to display".
    bool start(QString& why)
    {
        const int first = 400 + int(QRandomGenerator::global()->bounded(500));
        for (int attempt = 0; attempt < 8; ++attempt) {
            if (startOn(first + attempt * 61 % 500, why))
                return true;
        }
        return false;
    }

    // The display, ":<n>".
    QString display() const { return display_; }

    void stop()
    {
        if (!server_ || server_->state() == QProcess::NotRunning)
            return;
        server_->terminate();
        if (!server_->waitForFinished(3000)) {
            server_->kill();
            server_->waitForFinished(3000);
        }
    }

    // The environment of a Qt program shown on this server.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // In the sanitizer build: the xcb platform loads and unloads the D-Bus library at run
        // time, and a leak report from an unloaded library names no module a suppression can
        // match. The program's own leaks are checked in process, where nothing is unloaded.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) +
                                                           QStringLiteral(":detect_leaks=0"));
        return env;
    }

    // Starts a program shown on this server, in `folder`, its output passed through, with
    // `extra` added to its environment; null when it did not start.
    std::unique_ptr<QProcess> launch(const QString& program, const QString& folder,
                                     const QProcessEnvironment& extra = {}) const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = environment();
        env.insert(extra);
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(folder);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(program, {});
        if (!process->waitForStarted(5000))
            return nullptr;
        return process;
    }

    // Kills a program that is still running.
    static void kill(QProcess* process)
    {
        if (process && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(3000);
        }
    }

    // Runs xdotool; its standard output, or nullopt when it failed or took over `ms`.
    std::optional<QString> xdotool(const QStringList& args, int ms = 5000) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.setStandardErrorFile(QProcess::nullDevice());
        tool.start(QStringLiteral("xdotool"), args);
        if (!tool.waitForFinished(ms)) {
            tool.kill();
            tool.waitForFinished(1000);
            return std::nullopt;
        }
        if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // The mapped windows with their titles (the window manager's name where set).
    std::vector<Window> visibleWindows() const
    {
        std::vector<Window> windows;
        const std::optional<QString> ids =
            xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--class"), QString()});
        if (!ids)
            return windows;
        for (const QString& id : ids->split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (const std::optional<QString> title = xdotool({QStringLiteral("getwindowname"), id}))
                windows.push_back({id, title->trimmed()});
        }
        return windows;
    }

    // The titles of the visible windows, for a failure message.
    QString titles() const
    {
        QStringList list;
        for (const Window& w : visibleWindows())
            if (!w.title.isEmpty())
                list << QLatin1Char('"') + w.title + QLatin1Char('"');
        return list.join(QStringLiteral(", "));
    }

    QString visibleWindow(const QString& title) const
    {
        for (const Window& w : visibleWindows())
            if (w.title == title)
                return w.id;
        return {};
    }

    // Waits (at most `ms`) for a visible window of this title; its id, "" after the time.
    QString waitForWindow(const QString& title, int ms) const
    {
        QString id;
        waitUntil([&] { return !(id = visibleWindow(title)).isEmpty(); }, ms);
        return id;
    }

    // Gives the window the keyboard focus and presses the keys, one after the other.
    bool keys(const QString& window, const QStringList& keys) const
    {
        return xdotool(QStringList{QStringLiteral("windowfocus"), QStringLiteral("--sync"), window,
                                   QStringLiteral("key"), QStringLiteral("--delay"),
                                   QStringLiteral("40")} +
                       keys)
            .has_value();
    }

    // Clicks the left button at a position inside the window.
    bool click(const QString& window, QPoint at) const
    {
        return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                        QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                        QStringLiteral("1")})
            .has_value();
    }

    // The window's height in pixels, frame excluded; 0 when it cannot be read.
    int height(const QString& window) const
    {
        const std::optional<QString> out =
            xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
        if (!out)
            return 0;
        for (const QString& line : out->split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("HEIGHT=")))
                return line.mid(7).toInt();
        return 0;
    }

    // Polls `done` every 50 ms for at most `ms`.
    static bool waitUntil(const std::function<bool()>& done, int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            if (done())
                return true;
            QThread::msleep(50);
        }
        return done();
    }

  private:
    QString log() const { return logs_.filePath(QStringLiteral("xvfb.log")); }

    bool startOn(int number, QString& why)
    {
        stop();
        display_ = QStringLiteral(":%1").arg(number);
        server_ = std::make_unique<QProcess>();
        server_->setProcessChannelMode(QProcess::MergedChannels);
        server_->setStandardOutputFile(log());
        server_->start(QStringLiteral("Xvfb"),
                       {display_, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!server_->waitForStarted(5000)) {
            why = QStringLiteral("Xvfb did not start");
            stop();
            return false;
        }
        // Up once a client connects to it, and the lock file of the display names this server
        // (so the client reached this server and not one another program runs there).
        const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
        const auto ours = [&] {
            QFile file(lock);
            return file.open(QIODevice::ReadOnly) &&
                   file.readAll().trimmed().toLongLong() == server_->processId();
        };
        const auto exited = [&] {
            return server_->state() == QProcess::NotRunning || server_->waitForFinished(1);
        };
        const bool up = waitUntil(
            [&] {
                return exited() ||
                       (ours() && xdotool({QStringLiteral("getdisplaygeometry")}, 2000));
            },
            10000);
        if (up && !exited())
            return true;
        QFile output(log());
        output.open(QIODevice::ReadOnly);
        why = QStringLiteral("Xvfb on %1 did not come up: %2")
                  .arg(display_, QString::fromLocal8Bit(output.readAll().right(2000)).trimmed());
        stop();
        return false;
    }

    QTemporaryDir logs_;
    std::unique_ptr<QProcess> server_;
    QString display_;
};

} // namespace kv::test
