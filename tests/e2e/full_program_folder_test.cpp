// The real program in a program folder that is writable but has no inode left: no trial file
// can be created there, so the autosave file goes to the user's configuration folder, and the
// instrument linked as dosdevices/com10 of the program folder is still found.
#include "e2e/sim_program.h"
#include "e2e/x_session.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace kv {
namespace {

using test::MainTitle;
using test::ShowDeadlineMs;
using test::XSession;

class FullProgramFolder : public ::testing::Test
{
  protected:
    FullProgramFolder() : sim_(test::binaryDir() + QStringLiteral("/instrument-sim")) {}

    void SetUp() override
    {
        // A small file system of its own: 64 inodes, room enough for the program.
        mountPoint_ = QFile::encodeName(QDir(root_.path()).filePath(QStringLiteral("program")));
        ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(mountPoint_)));
        if (::mount("tmpfs", mountPoint_.constData(), "tmpfs", 0, "size=256m,nr_inodes=64") != 0) {
            mountPoint_.clear();
            GTEST_SKIP() << "cannot mount a tmpfs here";
        }
        QString why;
        if (const QString missing = XSession::missingTools(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        ASSERT_TRUE(x_.start(why)) << why.toStdString();
    }

    void TearDown() override
    {
        XSession::kill(program_.get());
        sim_.stop();
        x_.stop();
        if (!mountPoint_.isEmpty())
            ::umount2(mountPoint_.constData(), MNT_DETACH);
    }

    QString folder() const { return QString::fromLocal8Bit(mountPoint_); }
    QString framesPath() const { return QDir(root_.path()).filePath(QStringLiteral("frames")); }
    int frameCount() const
    {
        QFile file(framesPath());
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    }

    QTemporaryDir root_;
    QTemporaryDir config_;
    QByteArray mountPoint_;
    XSession x_;
    SimProgram sim_;
    std::unique_ptr<QProcess> program_;
};

TEST_F(FullProgramFolder, KeepsTheInstrumentLinkedThere)
{
    const QString program = QDir(folder()).filePath(QStringLiteral("kestrovue"));
    ASSERT_TRUE(QFile::copy(test::binaryDir() + QStringLiteral("/kestrovue"), program));
    ASSERT_TRUE(sim_.start(folder(), {QStringLiteral("--log-frames"), framesPath()}));
    // Use up the inodes that are left.
    for (int i = 0;; ++i) {
        QFile filler(QDir(folder()).filePath(QStringLiteral("filler%1").arg(i)));
        if (!filler.open(QIODevice::WriteOnly))
            break;
        ASSERT_LT(i, 100);
    }

    QProcessEnvironment config;
    config.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
    program_ = x_.launch(program, folder(), config);
    ASSERT_TRUE(program_);

    // The instrument answers: the first-run calibration question comes (declined).
    const QString probe = x_.waitForWindow(QStringLiteral("Probe Setup"), ShowDeadlineMs);
    ASSERT_FALSE(probe.isEmpty()) << "no calibration question, so no instrument; shown: "
                                  << x_.titles().toStdString();
    ASSERT_TRUE(x_.keys(probe, {QStringLiteral("alt+n")}));
    const QString main = x_.waitForWindow(MainTitle, ShowDeadlineMs); // the splash closes by itself
    ASSERT_FALSE(main.isEmpty()) << "shown: " << x_.titles().toStdString();
    ASSERT_TRUE(x_.keys(main, {QStringLiteral("ctrl+r")}));
    EXPECT_TRUE(XSession::waitUntil([&] { return frameCount() > 0; }, 5000))
        << "no command frame reached the instrument";
}

} // namespace
} // namespace kv
