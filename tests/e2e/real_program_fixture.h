#pragma once

// The real program, copied into a program folder of its own and shown on a private X server, with
// the simulator program on the folder's COM port 10: started, driven and quit as a user does.
// Header only.

#include "e2e/sim_program.h"
#include "e2e/x_session.h"
#include "files/settings_file.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace kv::test {

// The splash window and the message boxes without a title of their own.
inline const QString AppTitle = QStringLiteral("Kestrovue");
// The first-run calibration question.
inline const QString ProbeTitle = QStringLiteral("Probe Setup");

// `Base` is ::testing::Test or a ::testing::TestWithParam.
template <class Base = ::testing::Test> class RealProgram : public Base
{
  protected:
    RealProgram() : sim_(binaryDir() + QStringLiteral("/instrument-sim")) {}

    // Skips the test where Xvfb or xdotool is missing; otherwise starts the X server and copies
    // the built program into the program folder.
    void SetUp() override
    {
        if (const QString missing = XSession::missingTools(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        QString why;
        ASSERT_TRUE(x_.start(why)) << why.toStdString();
        ASSERT_TRUE(QFile::copy(binaryDir() + QStringLiteral("/kestrovue"), programPath()));
    }

    void TearDown() override
    {
        XSession::kill(program_.get());
        sim_.stop();
        x_.stop();
    }

    // Whether the base set-up skipped the test or failed: the derived set-up then stops too.
    static bool setUpStopped()
    {
        return ::testing::Test::IsSkipped() || ::testing::Test::HasFatalFailure();
    }

    QString folder() const { return folder_.path(); }
    QString programPath() const { return QDir(folder()).filePath(QStringLiteral("kestrovue")); }
    QString autosavePath() const { return QDir(folder()).filePath(QStringLiteral("R7S.ast")); }
    // Outside the program folder, so that a test can fill that folder up.
    QString framesPath() const { return QDir(logs_.path()).filePath(QStringLiteral("frames")); }

    // Starts the simulator, which writes each command frame it receives to framesPath().
    bool startSimLoggingFrames()
    {
        return sim_.start(folder(), {QStringLiteral("--log-frames"), framesPath()});
    }

    // The command frames the simulator received so far, a line of hexadecimal digits each.
    QStringList frames() const
    {
        QFile file(framesPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Starts the copied program on the X server, `extra` added to its environment.
    void startProgram(const QProcessEnvironment& extra = {})
    {
        program_ = x_.launch(programPath(), folder(), extra);
        ASSERT_TRUE(program_);
    }

    bool programRuns() const { return program_->state() == QProcess::Running; }

    // Asks to quit with these keys, answers the question with Return (Yes is the default
    // button) and waits for the program to end.
    void quit(const QString& main, const QStringList& keys)
    {
        ASSERT_TRUE(x_.keys(main, keys));
        const QString question = x_.waitForWindow(AppTitle, 5000);
        ASSERT_FALSE(question.isEmpty())
            << "no quit question; shown: " << x_.titles().toStdString();
        ASSERT_TRUE(x_.keys(question, {QStringLiteral("Return")}));
        ASSERT_TRUE(program_->waitForFinished(10000)) << "the program did not end";
        EXPECT_EQ(program_->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program_->exitCode(), 0);
    }

    // The autosave file as read; no lines when there is none.
    SettingsFileContent autosave() const
    {
        QFile file(autosavePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return ParseSettingsFileText(file.readAll().toStdString());
    }

    XSession x_;
    SimProgram sim_;
    std::unique_ptr<QProcess> program_;

  private:
    QTemporaryDir folder_;
    QTemporaryDir logs_;
};

} // namespace kv::test
