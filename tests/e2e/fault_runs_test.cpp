// Fault runs: the main window acquiring from the simulator program over a pseudo-terminal while
// the instrument misbehaves. Each run checks that nothing crashes or hangs, that the window keeps
// handling events, that no corrupted record is ever shown and that the next good record is.
#include "e2e/e2e_fixture.h"
#include "files/exports.h"
#include "files/settings_file.h"

#include <QFile>
#include <QLabel>
#include <QTimer>
#include <sys/mount.h>

namespace kv {
namespace {

using test::EndToEnd;

TEST_F(EndToEnd, ContinuousAcquisitionShowsGoodRecords)
{
    ASSERT_TRUE(startSim());
    load();
    prepare();
    run();
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(nextRecord()) << i;
        ASSERT_TRUE(showsGoodRecord()) << i;
    }
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
}

// The good sim comes back on a fresh pseudo-terminal; the next record must be shown and whole.
#define EXPECT_RESUMES()                                                                           \
    do {                                                                                           \
        ASSERT_TRUE(startSim());                                                                   \
        EXPECT_TRUE(nextRecord(5000)) << "no record after the instrument came back";               \
        EXPECT_TRUE(showsGoodRecord());                                                            \
        EXPECT_TRUE(running());                                                                    \
    } while (0)

class FaultRun : public EndToEnd
{
  protected:
    // Good records first, so that the fault has something to keep.
    void startGood()
    {
        ASSERT_TRUE(startSim());
        load();
        prepare();
        run();
        ASSERT_TRUE(nextRecord());
        ASSERT_TRUE(showsGoodRecord());
        kept1_ = w().global.Samples.CountsCH1;
        kept2_ = w().global.Samples.CountsCH2;
    }
    // Every record of the fault run is dropped: the arrays hold the last good record.
    bool keptLastGood()
    {
        return w().global.Samples.CountsCH1 == kept1_ && w().global.Samples.CountsCH2 == kept2_;
    }
    // Runs `ms` of the fault, watching that the arrays never change and Run stays on.
    void faultFor(int ms)
    {
        resetLongestRound();
        const bool changed = pumpUntil([this] { return !keptLastGood(); }, ms);
        EXPECT_FALSE(changed) << "a faulty record replaced the last good one";
        EXPECT_TRUE(running());
    }

    std::array<double, 1500> kept1_{}, kept2_{};
};

// Unplugged: the simulator killed outright, its port entry left pointing at nothing, for 1.5 s;
// plugged back: a new pseudo-terminal behind the same entry.
TEST_F(FaultRun, UnpluggedAndPluggedBackResumesWithoutARestart)
{
    startGood();
    sim().kill();
    faultFor(1500);
    EXPECT_LT(longestRoundMs(), 500) << "the window stopped handling events";
    EXPECT_TRUE(pumpUntil([this] { return !serial().isOpen(); }, 5000))
        << "the vanished device was not let go";
    EXPECT_RESUMES();
}

// The line drops in the middle of every record and comes back 300 ms later, again and again.
TEST_F(FaultRun, LineDroppingMidRecordNeverShowsAPartialRecord)
{
    startGood();
    sim().stop();
    ASSERT_TRUE(startSim({QStringLiteral("--hang-up-after"), QStringLiteral("1000"),
                          QStringLiteral("--hang-up-pause"), QStringLiteral("300")}));
    faultFor(3000);
    EXPECT_LT(longestRoundMs(), 1500);
    sim().stop();
    EXPECT_RESUMES();
}

// Silent for 3 s. Silence is a steady state: every tick polls the byte count and returns, with
// no time-out and no retry, and the one timed branch (a stalled link, 1 s) has run by then, so
// 3 s shows what a minute would.
TEST_F(FaultRun, SilentInstrumentLeavesTheWindowResponding)
{
    startGood();
    sim().stop();
    ASSERT_TRUE(startSim({QStringLiteral("--silence")}));
    faultFor(1500); // the port is reopened on the new terminal, then nothing comes
    bool fired = false;
    QTimer::singleShot(100, [&] { fired = true; });
    faultFor(1500);
    EXPECT_TRUE(fired);
    EXPECT_LT(longestRoundMs(), 500) << "the window stopped handling events";
    EXPECT_TRUE(serial().isOpen());
    // The user can still stop it, and Run again asks afresh.
    w().mnuARunStop->trigger();
    EXPECT_FALSE(running());
    EXPECT_FALSE(w().Timer1->enabled());
    sim().stop();
    ASSERT_TRUE(startSim());
    w().mnuARunStop->trigger();
    EXPECT_TRUE(nextRecord(5000));
    EXPECT_TRUE(showsGoodRecord());
}

// Records of the wrong length: shorter than the first read (500 bytes), exactly the first read
// (751), between the reads (2000) and one byte short (3000). Each is read once it stops growing,
// dropped, and the last good record stays shown; no pass waits for the missing bytes.
class ShortRecord : public FaultRun, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ShortRecord, IsDroppedAndTheLastGoodRecordStays)
{
    startGood();
    sim().stop();
    ASSERT_TRUE(startSim({QStringLiteral("--short-record"), QString::fromLatin1(GetParam())}));
    faultFor(3000);
    // Reading a cut record as a whole one waits for its missing bytes: the rest of the read's
    // time-out (1 s) where bytes are missing inside a read, the first byte's (100 ms) for each of
    // the later reads that find nothing, so at least 200 ms. A loaded machine delays a pass by
    // a few tens of milliseconds; the 50 ms goal itself is the longest-pass benchmark's.
    EXPECT_LT(longestRoundMs(), 2 * QtSerialControl::FirstByteTimeoutMs)
        << "a pass waited for the rest of a cut record";
    sim().stop();
    EXPECT_RESUMES();
}

INSTANTIATE_TEST_SUITE_P(Lengths, ShortRecord, ::testing::Values("500", "751", "2000", "3000"));

// Garbage: every answer replaced by as many pseudo-random bytes. A reply whose first byte is
// not "U" is dropped; the record format has no check beyond its sync byte and length, so a
// garbage reply that happens to start with "U" cannot be told from a record: the run counts
// those and checks that everything else is dropped.
TEST_F(FaultRun, GarbageIsDroppedAndTheNextGoodRecordShown)
{
    startGood();
    sim().stop();
    ASSERT_TRUE(startSim({QStringLiteral("--garbage")}));
    resetLongestRound();
    int replaced = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 3000) {
        pump(20);
        if (!keptLastGood()) {
            ++replaced;
            kept1_ = w().global.Samples.CountsCH1;
            kept2_ = w().global.Samples.CountsCH2;
        }
    }
    EXPECT_TRUE(running());
    EXPECT_LT(longestRoundMs(), 1500);
    EXPECT_LE(replaced, 5) << "garbage without a leading \"U\" was shown";
    sim().stop();
    EXPECT_RESUMES();
}

// Answers only every other request. An unanswered request is waited for as a silent
// instrument is (no time-out: a record at 1 s/div takes 30 s, and Normal trigger mode may wait
// without end); Stop and Run ask afresh, and the answered request shows a whole record.
TEST_F(FaultRun, EveryOtherRequestAnswered)
{
    ASSERT_TRUE(startSim({QStringLiteral("--every-other")}));
    load();
    prepare();
    // After an answered request the continuous cycle's next one goes unanswered: the program
    // waits for it without blocking the window and asks again only after the reply deadline
    // (over a second), so a Run of 1.2 s shows at most one record. A Run whose request took the
    // silent turn leaves the answered turn to the next.
    int shown = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        SCOPED_TRACE(attempt);
        run();
        resetLongestRound();
        if (nextRecord(600)) {
            ++shown;
            EXPECT_TRUE(showsGoodRecord());
            EXPECT_FALSE(nextRecord(600));
        }
        EXPECT_LT(longestRoundMs(), 500);
        stop();
    }
    EXPECT_GE(shown, 2);
}

// Replugged during a capture of 15 s (500 ms/div, the simulator paced as a real instrument):
// the instrument back on a fresh pseudo-terminal is asked once, and its record is taken when it
// comes, 15 s later; no request in between restarts its capture.
TEST_F(FaultRun, ReplugAtFiveHundredMillisecondsADivisionAsksOncePerRecord)
{
    const QString log = path(QStringLiteral("frames"));
    const auto framesLogged = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    };
    const QStringList paced{QStringLiteral("--pace"), QStringLiteral("real"),
                            QStringLiteral("--log-frames"), log};
    ASSERT_TRUE(startSim(paced));
    load();
    prepare();
    w().mnuH500ms->trigger();
    run();
    ASSERT_TRUE(pumpUntil([&] { return framesLogged() == 1; }, 2000));
    pump(2000);
    sim().kill();
    EXPECT_TRUE(pumpUntil([this] { return !serial().isOpen(); }, 5000))
        << "the vanished device was not let go";
    pump(1500);
    ASSERT_TRUE(startSim(paced)); // its log starts empty
    markUnset();
    ASSERT_TRUE(pumpUntil([&] { return framesLogged() >= 1; }, 3000))
        << "the instrument back was not asked";
    const bool early = pumpUntil([&] { return framesLogged() > 1 || decoded(); }, 14000);
    EXPECT_FALSE(early) << framesLogged() << " frames within the capture";
    EXPECT_TRUE(pumpUntil([this] { return decoded(); }, 3000)) << "the record did not come";
    EXPECT_LE(framesLogged(), 2) << "asked again during the capture"; // and then the next
    EXPECT_TRUE(running());
}

// ---- The program folder and the disk -----------------------------------------------------------

// A folder mounted over itself read-only (bind mount) or a small tmpfs: as root, chmod does not
// stop writes, a mount does. Skipped where mounting is not allowed.
class MountedFolder
{
  public:
    ~MountedFolder() { release(); }
    bool bindReadOnly(const QString& folder)
    {
        const QByteArray p = QFile::encodeName(folder);
        if (::mount(p.constData(), p.constData(), nullptr, MS_BIND, nullptr) != 0)
            return false;
        path_ = p;
        return ::mount(nullptr, p.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
    }
    bool tmpfs(const QString& folder, const char* size)
    {
        const QByteArray p = QFile::encodeName(folder);
        const QByteArray options = QByteArray("size=") + size;
        if (::mount("tmpfs", p.constData(), "tmpfs", 0, options.constData()) != 0)
            return false;
        path_ = p;
        return true;
    }
    void release()
    {
        if (!path_.isEmpty())
            ::umount2(path_.constData(), MNT_DETACH);
        path_.clear();
    }

  private:
    QByteArray path_;
};

// Sets an environment variable for the guard's lifetime.
class EnvironmentGuard
{
  public:
    EnvironmentGuard(const char* name, const QString& value) : name_(name), old_(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~EnvironmentGuard()
    {
        if (old_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, old_);
    }

  private:
    const char* name_;
    QByteArray old_;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Fills a file system until it refuses more.
void fill(const QString& path)
{
    QFile filler(path);
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

// The program folder read-only from the start: acquisition runs, the autosave file goes to the
// user's configuration folder, nothing is written into the program folder.
TEST_F(FaultRun, ReadOnlyProgramFolder)
{
    QTemporaryDir config;
    const EnvironmentGuard configHome("XDG_CONFIG_HOME", config.path());
    ASSERT_TRUE(startSim()); // its link must exist before the folder becomes read-only
    MountedFolder readOnly;
    if (!readOnly.bindReadOnly(folder()))
        GTEST_SKIP() << "cannot mount the folder read-only here";
    const QStringList before = QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    load();
    prepare();
    run();
    ASSERT_TRUE(nextRecord());
    EXPECT_TRUE(showsGoodRecord());
    const QString autosave = QString::fromStdString(w().state.FilePath);
    EXPECT_TRUE(autosave.startsWith(config.path())) << autosave.toStdString();
    QString reason;
    EXPECT_TRUE(w().settingsFile->SaveSettingsFile(&reason)) << reason.toStdString();
    EXPECT_EQ(ParseSettingsFileText(readAll(autosave).toStdString()).count, SettingsFileLines);
    EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(nextRecord());
    EXPECT_TRUE(showsGoodRecord());
    stop();
    TearDown(); // the window goes before the mount and the environment
    readOnly.release();
}

// The disk fills up while acquiring: the settings file and a comma-delimited export fail with
// the reason told, the files already there stay whole, no partial file is left, acquisition
// goes on; with space again both write.
TEST_F(FaultRun, DiskFullWhileSaving)
{
    const QString disk = path(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    MountedFolder tmpfs;
    if (!tmpfs.tmpfs(disk, "1m"))
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    startGood();
    const QString settings = disk + QStringLiteral("/scope.set");
    w().state.FilePath = settings.toStdString();
    ASSERT_TRUE(w().settingsFile->SaveSettingsFile());
    const QByteArray savedBefore = readAll(settings);
    const QString csv = disk + QStringLiteral("/record.csv");

    fill(disk + QStringLiteral("/filler"));
    EXPECT_TRUE(nextRecord());
    QString reason;
    EXPECT_FALSE(w().settingsFile->SaveSettingsFile(&reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readAll(settings), savedBefore);
    dialogs().answer(MsgResult::OK); // the export's failure message
    w().exports->csvFileRepExists(csv);
    ASSERT_FALSE(dialogs().requests().empty());
    EXPECT_EQ(dialogs().last().icon, MsgIcon::Critical) << dialogs().last().text.toStdString();
    EXPECT_FALSE(QFile::exists(csv));
    EXPECT_EQ(QDir(disk).entryList(QDir::Files),
              (QStringList{QStringLiteral("filler"), QStringLiteral("scope.set")}));
    EXPECT_TRUE(running());
    EXPECT_TRUE(nextRecord());
    EXPECT_TRUE(showsGoodRecord());

    ASSERT_TRUE(QFile::remove(disk + QStringLiteral("/filler")));
    w().state.FilePath = settings.toStdString();
    dialogs().answer(MsgResult::OK); // "created"
    EXPECT_TRUE(w().settingsFile->SaveSettingsFile(&reason)) << reason.toStdString();
    w().exports->csvFileRepExists(csv);
    EXPECT_GT(QFileInfo(csv).size(), 3000) << dialogs().last().text.toStdString();
    EXPECT_EQ(ParseSettingsFileText(readAll(settings).toStdString()).count, SettingsFileLines);
    stop();
    TearDown();
    tmpfs.release();
}

} // namespace
} // namespace kv
