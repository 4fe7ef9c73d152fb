// The usual first use: the program starts with no autosave file and no instrument, and the
// instrument is plugged in while the splash window still shows "Hardware Not Found". The link
// watch finds it and asks the first-run calibration question in a real message box; closing that
// box (the only window besides the splash) leaves the program running, and File > Exit then
// writes the autosave file, a calibration done meanwhile included.
#include "e2e/sim_program.h"
#include "e2e/x_session.h"
#include "files/settings_file.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kv {
namespace {

using test::MainTitle;
using test::ShowDeadlineMs;
using test::XSession;

// The splash window and the message boxes without a title of their own.
const QString AppTitle = QStringLiteral("Kestrovue");

struct Answer
{
    const char* name;
    // The boxes in turn, each closed with these keys.
    std::vector<std::pair<QString, QStringList>> boxes;
    const char* calOffsetCH1Lo; // in the autosave file
};

void PrintTo(const Answer& a, std::ostream* os)
{
    *os << a.name;
}

class PluggedInAfterStart : public ::testing::TestWithParam<Answer>
{
  protected:
    PluggedInAfterStart() : sim_(test::binaryDir() + QStringLiteral("/instrument-sim")) {}

    void SetUp() override
    {
        if (const QString missing = XSession::missingTools(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        QString why;
        ASSERT_TRUE(x_.start(why)) << why.toStdString();
        ASSERT_TRUE(QFile::copy(test::binaryDir() + QStringLiteral("/kestrovue"), programPath()));
    }

    void TearDown() override
    {
        XSession::kill(program_.get());
        sim_.stop();
        x_.stop();
    }

    QString programPath() const
    {
        return QDir(folder_.path()).filePath(QStringLiteral("kestrovue"));
    }
    QString autosavePath() const
    {
        return QDir(folder_.path()).filePath(QStringLiteral("R7S.ast"));
    }
    bool programRuns() const { return program_->state() == QProcess::Running; }

    XSession x_;
    QTemporaryDir folder_;
    SimProgram sim_;
    std::unique_ptr<QProcess> program_;
};

TEST_P(PluggedInAfterStart, ClosingTheCalibrationQuestionKeepsTheProgramRunning)
{
    program_ = x_.launch(programPath(), folder_.path());
    ASSERT_TRUE(program_);
    ASSERT_FALSE(x_.waitForWindow(AppTitle, ShowDeadlineMs).isEmpty())
        << "no splash window; shown: " << x_.titles().toStdString();
    XSession::waitUntil([] { return false; }, 1500); // the splash says "Hardware Not Found"
    ASSERT_TRUE(x_.visibleWindow(MainTitle).isEmpty());

    // Both inputs at -8/255 V: 2 counts above zero in the low range.
    ASSERT_TRUE(
        sim_.start(folder_.path(), {QStringLiteral("--ch1"), QStringLiteral("dc::0:-0.0314"),
                                    QStringLiteral("--ch2"), QStringLiteral("dc::0:-0.0314")}));
    for (const auto& [title, keys] : GetParam().boxes) {
        const QString box = x_.waitForWindow(title, ShowDeadlineMs);
        ASSERT_FALSE(box.isEmpty())
            << "no \"" << title.toStdString() << "\" box; shown: " << x_.titles().toStdString();
        ASSERT_TRUE(x_.keys(box, keys));
        ASSERT_TRUE(XSession::waitUntil([&] { return x_.visibleWindow(title) != box; }, 5000))
            << "the box did not close";
    }
    EXPECT_FALSE(program_->waitForFinished(1500)) << "the program ended with the box";
    ASSERT_TRUE(programRuns());

    // The splash window closes by itself 6 s after the instrument answered.
    const QString main = x_.waitForWindow(MainTitle, ShowDeadlineMs);
    ASSERT_FALSE(main.isEmpty()) << "shown: " << x_.titles().toStdString();
    EXPECT_FALSE(QFile::exists(autosavePath()));

    // File > Exit, Yes (the default button).
    ASSERT_TRUE(x_.keys(main, {QStringLiteral("alt+f"), QStringLiteral("e")}));
    const QString question = x_.waitForWindow(AppTitle, 5000);
    ASSERT_FALSE(question.isEmpty()) << "no quit question; shown: " << x_.titles().toStdString();
    ASSERT_TRUE(x_.keys(question, {QStringLiteral("Return")}));
    ASSERT_TRUE(program_->waitForFinished(10000)) << "the program did not end";
    EXPECT_EQ(program_->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_->exitCode(), 0);

    QFile file(autosavePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no autosave file";
    const SettingsFileContent saved = ParseSettingsFileText(file.readAll().toStdString());
    ASSERT_EQ(saved.count, SettingsFileLines);
    EXPECT_EQ(QString::fromStdString(saved.line(SettingsLine::FirstRun)).trimmed(), "False");
    EXPECT_EQ(QString::fromStdString(saved.line(SettingsLine::CalOffsetCH1Lo)).trimmed(),
              GetParam().calOffsetCH1Lo);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PluggedInAfterStart,
    ::testing::Values(
        Answer{"declined", {{QStringLiteral("Probe Setup"), {QStringLiteral("alt+n")}}}, "0"},
        Answer{
            "calibrated",
            {{QStringLiteral("Probe Setup"), {QStringLiteral("alt+y")}},
             {QStringLiteral("Are You Sure?"), {QStringLiteral("alt+y")}},
             {QStringLiteral("Action Required to Calibrate Probes"), {QStringLiteral("Return")}}},
            "2"}));

} // namespace
} // namespace kv
