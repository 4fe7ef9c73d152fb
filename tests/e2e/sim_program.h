#pragma once

// The simulator program (build/instrument-sim) run as a child process on a program folder: it
// opens a pseudo-terminal and links <folder>/dosdevices/comN to it. Header only; used by the
// end-to-end tests, the serial control's pseudo-terminal tests and the end-to-end benchmarks.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>
#include <memory>

namespace kv {

class SimProgram
{
  public:
    explicit SimProgram(QString program) : program_(std::move(program)) {}
    ~SimProgram() { stop(); }
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;

    // Starts the program on COM port `port` of `folder` and waits (at most 5 s) for the slave
    // path it prints once its link is in place.
    bool start(const QString& folder, const QStringList& extra = {}, int port = 10)
    {
        stop();
        entry_ = QStringLiteral("%1/dosdevices/com%2").arg(folder).arg(port);
        process_ = std::make_unique<QProcess>();
        process_->setProgram(program_);
        process_->setArguments(QStringList{QStringLiteral("--folder"), folder,
                                           QStringLiteral("--port"), QString::number(port)} +
                               extra);
        process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_->start();
        return process_->waitForStarted(5000) && !nextSlave().isEmpty();
    }

    // The next slave path printed (after a start or a hang-up); "" after `waitMs` without one.
    QString nextSlave(int waitMs = 5000)
    {
        if (!process_)
            return {};
        QElapsedTimer timer;
        timer.start();
        while (!process_->canReadLine() && timer.elapsed() < waitMs &&
               process_->state() == QProcess::Running)
            process_->waitForReadyRead(50);
        return QString::fromLocal8Bit(process_->readLine()).trimmed();
    }

    // Ends the program the way a service manager does: SIGTERM, and SIGKILL 5 s later. The
    // program removes its link on the way out.
    void stop()
    {
        if (!running())
            return;
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }

    // Ends the program at once (SIGKILL): the pseudo-terminal vanishes, the link is left behind
    // pointing at nothing, as a pulled USB adapter leaves its port entry. The entry is turned
    // to a path beside it that never appears: the system gives a freed pseudo-terminal's number
    // to the next one opened anywhere on the machine, so a link to the old one would soon lead
    // to another program's terminal.
    void kill()
    {
        if (!running())
            return;
        process_->kill();
        process_->waitForFinished(5000);
        QFile::remove(entry_);
        QFile::link(entry_ + QStringLiteral(".unplugged"), entry_);
    }

    bool running() const { return process_ && process_->state() == QProcess::Running; }
    qint64 pid() const { return running() ? process_->processId() : 0; }
    // The exit code of the program once it has ended.
    int exitCode() const { return process_ ? process_->exitCode() : -1; }

  private:
    QString program_;
    QString entry_; // <folder>/dosdevices/comN of the last start
    std::unique_ptr<QProcess> process_;
};

} // namespace kv
