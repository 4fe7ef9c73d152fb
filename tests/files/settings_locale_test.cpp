// The autosave file across a change of locale. The settings file is written with the locale's
// decimal point, which the program takes from the environment once, at its start: so each step
// runs in a program of its own, this test program started again with another LANG.
#include "files/files_fixture.h"
#include "files/settings_file.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace kv::test {
namespace {

const char* const StepVariable = "KV_LOCALE_STEP";
const char* const FileVariable = "KV_LOCALE_FILE";

// The set-up the writing step makes: channel 1 at 5 V/div, and values with fractions on lines
// 36, 56, 59, 62 and 64.
void makeSetUp(Main& m)
{
    m.CH1Button->setValue(true);
    m.CH1Button->setValue(false);
    m.CWKnob1->setPosition(6);
    m.state.PlotScaleCH2 = 3.90625;
    m.state.CalOffsetCH1Lo = Variant(-3);
    m.state.CalOffsetCH2Hi = Variant(1.5);
    m.global.ATTFactorCH1 = 1.5f;
    m.state.GainHi = 1.0196081f;
}

// The same set-up, written out, as the reading step must find it.
void expectSetUp(Main& m)
{
    EXPECT_FALSE(m.global.FirstRun.toBoolean());
    EXPECT_FALSE(m.Options->isVisible());
    EXPECT_EQ(m.CWKnob1->position(), 6);
    EXPECT_EQ(m.PeriodVAL->text().toStdString(), "5V");
    EXPECT_EQ(m.state.PlotScaleCH1, 0.78125);
    EXPECT_EQ(m.state.PlotScaleCH2, 3.90625);
    EXPECT_EQ(m.state.CalOffsetCH1Lo.toNumber(), -3);
    EXPECT_EQ(m.state.CalOffsetCH2Hi.toNumber(), 1.5);
    EXPECT_EQ(m.global.ATTFactorCH1, 1.5f);
    EXPECT_EQ(m.state.GainHi, 1.019608f);
    EXPECT_EQ(m.state.GainHiRev2, 1.022908f);
}

// One step, run only as the child of the test below: "write" makes the set-up and saves the
// autosave file to $KV_LOCALE_FILE; "read" starts with that file as its autosave file.
TEST_F(MainFixture, LocaleStep)
{
    const QString step = qEnvironmentVariable(StepVariable);
    const QString file = qEnvironmentVariable(FileVariable);
    if (step.isEmpty())
        GTEST_SKIP() << "a step of SettingsLocale.AutosaveReadsUnderTheOtherLocale";
    const QString autosave = path(QStringLiteral("R7S.ast"));
    if (step == QStringLiteral("write")) {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        Main& m = load();
        makeSetUp(m);
        m.state.FilePath = autosave.toStdString();
        ASSERT_TRUE(m.settingsFile->SaveSettingsFile());
        ASSERT_TRUE(QFile::copy(autosave, file));
        return;
    }
    ASSERT_TRUE(QFile::copy(file, autosave));
    expectSetUp(load());
    EXPECT_TRUE(QFileInfo::exists(autosave));
    EXPECT_FALSE(QFileInfo::exists(autosave + QStringLiteral(".refused")));
}

struct StepRun
{
    int exitCode = -1;
    QString output;
};

StepRun runStep(const QString& step, const QString& lang, const QString& file)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_NUMERIC"));
    environment.insert(QStringLiteral("LANG"), lang);
    environment.insert(QString::fromLatin1(StepVariable), step);
    environment.insert(QString::fromLatin1(FileVariable), file);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=MainFixture.LocaleStep")});
    StepRun run;
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        run.output = QStringLiteral("the step did not end");
        return run;
    }
    run.output = QString::fromLocal8Bit(child.readAll());
    run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    return run;
}

TEST(SettingsLocale, AutosaveReadsUnderTheOtherLocale)
{
    const QString german = QStringLiteral("de_DE.UTF-8"), c = QStringLiteral("C");
    struct Case
    {
        QString writer, reader;
        std::string line35, line64;
    };
    const Case cases[] = {
        {german, c, " 0,78125 ", " 1,022908 "},
        {c, german, " 0.78125 ", " 1.022908 "},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE("written under " + k.writer.toStdString() + ", read under " +
                     k.reader.toStdString());
        QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath(QStringLiteral("R7S.ast"));
        const StepRun written = runStep(QStringLiteral("write"), k.writer, file);
        ASSERT_EQ(written.exitCode, 0) << written.output.toStdString();
        ASSERT_FALSE(written.output.contains(QStringLiteral("SKIPPED")))
            << written.output.toStdString();
        const auto lines = crlfLines(readAll(file));
        ASSERT_EQ(lines.size(), 64u);
        EXPECT_EQ(lines[35 - 1], k.line35);
        EXPECT_EQ(lines[64 - 1], k.line64);
        const StepRun read = runStep(QStringLiteral("read"), k.reader, file);
        EXPECT_EQ(read.exitCode, 0) << read.output.toStdString();
        EXPECT_FALSE(read.output.contains(QStringLiteral("SKIPPED"))) << read.output.toStdString();
    }
}

} // namespace
} // namespace kv::test
