// Where the set-up saved at exit goes when the autosave name cannot take it: a link that no
// save reaches is moved aside, a damaged file that cannot be moved leaves its place to the
// configuration folder's file, the next start reads what the exit wrote, and the user is told
// once what was kept aside.

#include "app/shutdown.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "files/file_test_support.h"
#include "files/files_fixture.h"
#include "files/settings_file.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kv::test {
namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

void makeLink(const QString& target, const QString& link)
{
    ASSERT_EQ(::symlink(encoded(target).constData(), encoded(link).constData()), 0);
}

bool isLink(const QString& path)
{
    return QFileInfo(path).isSymLink();
}

// Sets or clears the immutable flag (no rename, no write, not even for root); false where this
// user or this file system cannot.
bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

class AutosavePlace : public MainFixture
{
  protected:
    // A configuration folder of this test's own: tests run side by side in other processes.
    void SetUp() override
    {
        ASSERT_TRUE(configHome_.isValid());
        hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        previousConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
        config_ = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    }
    void TearDown() override
    {
        if (hadConfigHome_)
            qputenv("XDG_CONFIG_HOME", previousConfigHome_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString autosave() const { return path(AutosaveFileName); }
    QString configAutosave() const { return QDir(config_).filePath(AutosaveFileName); }

    // A first start: the calibration question is declined; nothing else is asked.
    Main& firstStart()
    {
        dialogs().answer(MsgResult::No);
        Main& m = load();
        EXPECT_TRUE(Visible(m.Options));
        EXPECT_EQ(dialogs().requests().size(), 1u) << "only the calibration question";
        return m;
    }
    // The exit through the close box, with a setting of the user's own changed first.
    void exitWithGreenCursorA(Main& m)
    {
        m.CWButton5->setOffColor(65280);
        m.shutdown->endProgram = [] {};
        m.shutdown->Form_Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The next start on the same folder reads that set-up: no first run, no question.
    void expectNextStartReadsIt()
    {
        const std::size_t asked = dialogs().requests().size();
        Main next(services());
        next.Form_Load();
        EXPECT_EQ(next.CWButton5->offColor(), 65280);
        EXPECT_FALSE(Visible(next.Options));
        EXPECT_FALSE(next.global.FirstRun.toBoolean());
        next.settingsFile->TellKeptAutosave();
        EXPECT_EQ(dialogs().requests().size(), asked) << "a calibration question or a notice";
        next.shutdown->endProgram = [] {};
        next.shutdown->Form_Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The notice start-up kept for after it has returned, shown once.
    QString notice(Main& m)
    {
        const std::size_t asked = dialogs().requests().size();
        dialogs().answer(MsgResult::OK);
        m.settingsFile->TellKeptAutosave();
        m.settingsFile->TellKeptAutosave();
        EXPECT_EQ(dialogs().requests().size(), asked + 1);
        if (dialogs().requests().size() != asked + 1)
            return {};
        const auto& told = dialogs().last();
        EXPECT_EQ(told.icon, MsgIcon::Exclamation);
        EXPECT_EQ(told.buttons, MsgButtons::OK);
        return told.text;
    }

    QTemporaryDir configHome_;
    bool hadConfigHome_ = false;
    QByteArray previousConfigHome_;
    QString config_;
};

// A link at R7S.ast that no save can reach; `make` is given the program folder.
struct LinkCase
{
    const char* name;
    std::function<void(const QDir&)> make;
    const char* reason;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.name;
}

class UnreachableAutosaveLink : public AutosavePlace, public ::testing::WithParamInterface<LinkCase>
{
};

TEST_P(UnreachableAutosaveLink, IsKeptAsideToldAndTheExitsSaveIsReadNextStart)
{
    GetParam().make(QDir(folder()));
    Main& m = firstStart();
    const QString aside = autosave() + QStringLiteral(".unreadable");
    EXPECT_TRUE(isLink(aside));
    EXPECT_FALSE(isLink(autosave()));
    const QString told = notice(m);
    EXPECT_TRUE(told.contains(autosave())) << told.toStdString();
    EXPECT_TRUE(told.contains(QString::fromUtf8(GetParam().reason))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("It was kept as ") + aside)) << told.toStdString();
    exitWithGreenCursorA(m);
    EXPECT_TRUE(QFileInfo(autosave()).isFile());
    EXPECT_FALSE(isLink(autosave()));
    expectNextStartReadsIt();
}

INSTANTIATE_TEST_SUITE_P(
    Links, UnreachableAutosaveLink,
    ::testing::Values(
        LinkCase{"ToItself",
                 [](const QDir& d) { makeLink(AutosaveFileName, d.filePath(AutosaveFileName)); },
                 "Too many levels of symbolic links"},
        LinkCase{"LoopOfTwo",
                 [](const QDir& d) {
                     makeLink(QStringLiteral("other.ast"), d.filePath(AutosaveFileName));
                     makeLink(AutosaveFileName, d.filePath(QStringLiteral("other.ast")));
                 },
                 "Too many levels of symbolic links"},
        LinkCase{"IntoAMissingFolder",
                 [](const QDir& d) {
                     makeLink(QStringLiteral("gone/R7S.ast"), d.filePath(AutosaveFileName));
                 },
                 "It is a link into a folder that does not exist."}),
    [](const ::testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

TEST_F(AutosavePlace, DamagedFileThatCannotBeMovedLeavesItsPlaceToTheConfigurationFolder)
{
    writeAll(autosave(), "not a settings file\r\n");
    if (!setImmutable(autosave(), true))
        GTEST_SKIP() << "this user cannot make a file immutable here";
    Main& m = firstStart();
    const QString told = notice(m);
    EXPECT_TRUE(told.contains(QStringLiteral("It could not be moved aside and is kept as it is.")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("The settings are saved in ") + configAutosave()))
        << told.toStdString();
    exitWithGreenCursorA(m);
    EXPECT_TRUE(QFileInfo(configAutosave()).isFile());
    // Twice: each start reads the configuration folder's file in place of the damaged one.
    expectNextStartReadsIt();
    expectNextStartReadsIt();
    setImmutable(autosave(), false);
    EXPECT_EQ(readAll(autosave()), "not a settings file\r\n");
    EXPECT_EQ(entriesOf(folder()), QStringList{AutosaveFileName});
}

TEST_F(AutosavePlace, RefusedFileIsToldWithWhereItWasKept)
{
    writeAll(autosave(), "\"100mV\"\r\n\"1mS\"\r\n50\r\n");
    Main& m = firstStart();
    const QString told = notice(m);
    EXPECT_TRUE(told.startsWith(
        QStringLiteral("This file was not loaded as an oscilloscope setup file: \r\n") +
        autosave() + QStringLiteral("\r\n")))
        << told.toStdString();
    EXPECT_TRUE(
        told.contains(QStringLiteral("It was kept as ") + autosave() + QStringLiteral(".refused.")))
        << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("The program started from its default settings.")));
}

TEST_F(AutosavePlace, NothingIsToldWhenNothingWasKeptAside)
{
    Main& m = firstStart();
    m.settingsFile->TellKeptAutosave();
    EXPECT_EQ(dialogs().requests().size(), 1u);
}

} // namespace
} // namespace kv::test
