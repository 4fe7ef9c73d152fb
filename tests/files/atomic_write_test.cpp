// Writing onto what is not a plain regular file: links, pipes, devices. A link stays a link and
// its target gets the bytes, every name of a hard-linked file shows them, a pipe or device is
// written in place, and what cannot be written is refused with its reason.

#include "app/shutdown.h"
#include "files/atomic_write.h"
#include "files/exports.h"
#include "files/files_fixture.h"
#include "files/settings_file.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kv::test {
namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

struct stat statOf(const QString& path, bool followLinks = false)
{
    struct stat st
    {
    };
    const int result = followLinks ? ::stat(encoded(path).constData(), &st)
                                   : ::lstat(encoded(path).constData(), &st);
    EXPECT_EQ(result, 0) << path.toStdString();
    return st;
}

bool isLink(const QString& path)
{
    return S_ISLNK(statOf(path).st_mode);
}

bool isFifo(const QString& path)
{
    return S_ISFIFO(statOf(path).st_mode);
}

void makeLink(const QString& target, const QString& link)
{
    ASSERT_EQ(::symlink(encoded(target).constData(), encoded(link).constData()), 0);
}

void makeFifo(const QString& path)
{
    ASSERT_EQ(::mkfifo(encoded(path).constData(), 0600), 0);
}

// The read end of a pipe, opened without waiting for a writer.
class PipeReader
{
  public:
    explicit PipeReader(const QString& path)
        : fd_(::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK))
    {
        EXPECT_GE(fd_, 0);
    }
    ~PipeReader() { close(); }
    std::string readAvailable()
    {
        std::string bytes;
        char buffer[4096];
        ssize_t got;
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0)
            bytes.append(buffer, std::size_t(got));
        return bytes;
    }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

class AtomicWrite : public ::testing::Test
{
  protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(AtomicWrite, RegularFileIsReplacedAndKeepsItsPermissions)
{
    writeAll(path("a.set"), "old contents, longer than the new");
    QFile::setPermissions(path("a.set"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(WriteFileAtomically(path("a.set"), std::string_view("new")), std::nullopt);
    EXPECT_EQ(readAll(path("a.set")), "new");
    EXPECT_EQ(statOf(path("a.set")).st_mode & 0777, 0600u);
    EXPECT_EQ(entriesOf(dir_.path()), QStringList{QStringLiteral("a.set")});
}

TEST_F(AtomicWrite, SymbolicLinkStaysALinkAndItsTargetGetsTheBytes)
{
    QDir().mkdir(path("real"));
    writeAll(path("real/target.set"), "old");
    struct Case
    {
        const char* name;
        QString link;
        QString target;
    };
    makeLink(path("real/target.set"), path("absolute.set"));
    makeLink(QStringLiteral("real/target.set"), path("relative.set"));
    makeLink(path("relative.set"), path("chain.set"));
    makeLink(path("real/missing.set"), path("dangling.set"));
    const Case cases[] = {
        {"absolute link", path("absolute.set"), path("real/target.set")},
        {"relative link", path("relative.set"), path("real/target.set")},
        {"link to a link", path("chain.set"), path("real/target.set")},
        {"link to a missing file", path("dangling.set"), path("real/missing.set")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = std::string("written through ") + c.name;
        EXPECT_EQ(WriteFileAtomically(c.link, bytes), std::nullopt);
        EXPECT_TRUE(isLink(c.link));
        EXPECT_EQ(readAll(c.target), bytes);
        EXPECT_FALSE(isLink(c.target));
    }
    // No temporary file left beside the links or the targets.
    EXPECT_EQ(entriesOf(path("real")),
              (QStringList{QStringLiteral("missing.set"), QStringLiteral("target.set")}));
}

TEST_F(AtomicWrite, LoopOfLinksIsRefused)
{
    makeLink(path("b.set"), path("a.set"));
    makeLink(path("a.set"), path("b.set"));
    const WriteFailure failure = WriteFileAtomically(path("a.set"), std::string_view("x"));
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_TRUE(isLink(path("a.set")));
}

TEST_F(AtomicWrite, EveryNameOfAHardLinkedFileSeesTheBytes)
{
    writeAll(path("a.set"), std::string(5000, 'o'));
    ASSERT_EQ(::link(encoded(path("a.set")).constData(), encoded(path("b.set")).constData()), 0);
    const ino_t inode = statOf(path("a.set")).st_ino;
    for (const std::string& bytes : {std::string("shorter"), std::string(9000, 'n')}) {
        SCOPED_TRACE(bytes.size());
        EXPECT_EQ(WriteFileAtomically(path("a.set"), bytes), std::nullopt);
        EXPECT_EQ(readAll(path("a.set")), bytes);
        EXPECT_EQ(readAll(path("b.set")), bytes);
        EXPECT_EQ(statOf(path("a.set")).st_ino, inode);
        EXPECT_EQ(statOf(path("a.set")).st_nlink, 2u);
    }
    // No room for the new bytes: both names keep the old ones.
    const std::string before = readAll(path("b.set"));
    {
        FileSizeLimit limit(100);
        EXPECT_TRUE(WriteFileAtomically(path("a.set"), std::string(20000, 'x')));
    }
    EXPECT_EQ(readAll(path("a.set")), before);
    EXPECT_EQ(readAll(path("b.set")), before);
}

TEST_F(AtomicWrite, PipeIsWrittenInPlaceOrRefusedWhenNobodyReads)
{
    makeFifo(path("pipe.csv"));
    const WriteFailure nobody = WriteFileAtomically(path("pipe.csv"), std::string_view("lost"));
    ASSERT_TRUE(nobody);
    EXPECT_EQ(*nobody, QStringLiteral("No program is reading from this pipe."));
    EXPECT_TRUE(isFifo(path("pipe.csv")));

    PipeReader reader(path("pipe.csv"));
    const std::string bytes(20000, 'p');
    EXPECT_EQ(WriteFileAtomically(path("pipe.csv"), bytes), std::nullopt);
    EXPECT_EQ(reader.readAvailable(), bytes);
    EXPECT_TRUE(isFifo(path("pipe.csv")));
    // Through a link, the pipe it names is written.
    makeLink(path("pipe.csv"), path("link.csv"));
    EXPECT_EQ(WriteFileAtomically(path("link.csv"), std::string_view("via link")), std::nullopt);
    EXPECT_EQ(reader.readAvailable(), "via link");
    EXPECT_TRUE(isLink(path("link.csv")));
    ASSERT_EQ(::unlink(encoded(path("link.csv")).constData()), 0);
    EXPECT_EQ(QDir(dir_.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("pipe.csv")});
}

TEST_F(AtomicWrite, ReaderThatGoesAwayFailsTheWriteWithoutEndingTheProgram)
{
    makeFifo(path("pipe.csv"));
    PipeReader reader(path("pipe.csv"));
    AtomicFile file(path("pipe.csv"));
    ASSERT_EQ(file.open(), std::nullopt);
    reader.close();
    const WriteFailure failure = file.write("gone", 4);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, QString::fromLocal8Bit(std::strerror(EPIPE)));
}

TEST_F(AtomicWrite, DevicesAreWrittenInPlaceAndFoldersRefused)
{
    QDir().mkdir(path("folder.set"));
    makeLink(path("folder.set"), path("link-to-folder.set"));
    for (const QString& p : {path("folder.set"), path("link-to-folder.set")}) {
        const WriteFailure failure = WriteFileAtomically(p, std::string_view("x"));
        ASSERT_TRUE(failure);
        EXPECT_EQ(*failure, QStringLiteral("A folder of that name exists."));
    }
    EXPECT_TRUE(isLink(path("link-to-folder.set")));
    // Nodes of the null and the full device of our own, never the system's: a writer that
    // replaced the node would replace only these.
    const bool made =
        ::mknod(encoded(path("null")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 &&
        ::mknod(encoded(path("full")).constData(), S_IFCHR | 0600, makedev(1, 7)) == 0;
    if (!made)
        GTEST_SKIP() << "this user cannot make device nodes";
    EXPECT_EQ(WriteFileAtomically(path("null"), std::string_view("x")), std::nullopt);
    EXPECT_TRUE(S_ISCHR(statOf(path("null")).st_mode));
    const WriteFailure full = WriteFileAtomically(path("full"), std::string_view("x"));
    ASSERT_TRUE(full);
    EXPECT_EQ(*full, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_TRUE(S_ISCHR(statOf(path("full")).st_mode));
}

// ---- Through the window
// --------------------------------------------------------------------------

class WritesThroughTheWindow : public MainFixture
{
  protected:
    Main& start()
    {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        return load();
    }
    // The save every exit makes (the window unloads only once, so the tests save as it does).
    void autosave()
    {
        main().state.FilePath = autosavePath(folder()).toStdString();
        ASSERT_TRUE(main().settingsFile->SaveSettingsFile());
    }
    void exitProgram()
    {
        main().shutdown->endProgram = [] {};
        main().shutdown->Form_Unload();
        // The unloaded splash window goes at the next turn of the event loop, which a test never
        // takes: delete it now, before its timer can fire for a window that is gone.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(WritesThroughTheWindow, ExportOntoAPipeSaysWhatHappened)
{
    Main& m = start();
    makeFifo(path("out.csv"));
    // Nobody reads: the failure is reported, the pipe stays.
    dialogs().answer(MsgResult::Yes).answer(MsgResult::OK);
    m.exports->csvFileRepExists(path("out.csv"));
    EXPECT_EQ(dialogs().last().icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs().last().text.contains(QStringLiteral("No program is reading")));
    EXPECT_TRUE(isFifo(path("out.csv")));
    // A reader takes the file.
    PipeReader reader(path("out.csv"));
    dialogs().answer(MsgResult::Yes).answer(MsgResult::OK);
    m.exports->csvFileRepExists(path("out.csv"));
    EXPECT_EQ(dialogs().last().icon, MsgIcon::Information);
    EXPECT_TRUE(reader.readAvailable().find("Time Stamp") != std::string::npos);
    EXPECT_TRUE(isFifo(path("out.csv")));
}

TEST_F(WritesThroughTheWindow, AutosaveThatIsALinkStaysALink)
{
    QDir().mkdir(path("settings"));
    makeLink(QStringLiteral("settings/mine.ast"), path(AutosaveFileName));
    Main& m = start(); // the link points at nothing yet: a first start
    autosave();
    EXPECT_TRUE(isLink(path(AutosaveFileName)));
    const std::string written = readAll(path("settings/mine.ast"));
    ASSERT_FALSE(written.empty());
    // The next start reads through the link, the next exit writes through it.
    m.state.FilePath = path(AutosaveFileName).toStdString();
    ASSERT_TRUE(m.settingsFile->LoadSettingsFile());
    m.CWButton5->setOffColor(65280);
    exitProgram();
    EXPECT_TRUE(isLink(path(AutosaveFileName)));
    EXPECT_NE(readAll(path("settings/mine.ast")), written);
    EXPECT_EQ(crlfLines(readAll(path("settings/mine.ast")))[42 - 1], " 65280 ");
}

TEST_F(WritesThroughTheWindow, HardLinkedAutosaveIsWrittenForEveryName)
{
    Main& m = start();
    autosave();
    ASSERT_EQ(::link(encoded(path(AutosaveFileName)).constData(),
                     encoded(path("backup.ast")).constData()),
              0);
    m.CWButton5->setOffColor(65280);
    exitProgram();
    EXPECT_EQ(crlfLines(readAll(path("backup.ast")))[42 - 1], " 65280 ");
    EXPECT_EQ(statOf(path(AutosaveFileName)).st_ino, statOf(path("backup.ast")).st_ino);
}

} // namespace
} // namespace kv::test
