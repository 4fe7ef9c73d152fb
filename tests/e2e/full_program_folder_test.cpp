// The real program in a program folder that is writable but has no inode left: no trial file
// can be created there, so the autosave file goes to the user's configuration folder, and the
// instrument linked as dosdevices/com10 of the program folder is still found.
#include "e2e/real_program_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace kv::test {
namespace {

class FullProgramFolder : public RealProgram<>
{
  protected:
    void SetUp() override
    {
        // A small file system of its own: 64 inodes, room enough for the program.
        mountPoint_ = QFile::encodeName(folder());
        if (::mount("tmpfs", mountPoint_.constData(), "tmpfs", 0, "size=256m,nr_inodes=64") != 0) {
            mountPoint_.clear();
            GTEST_SKIP() << "cannot mount a tmpfs here";
        }
        RealProgram::SetUp();
    }

    void TearDown() override
    {
        RealProgram::TearDown();
        if (!mountPoint_.isEmpty())
            ::umount2(mountPoint_.constData(), MNT_DETACH);
    }

    QTemporaryDir config_;
    QByteArray mountPoint_;
};

TEST_F(FullProgramFolder, KeepsTheInstrumentLinkedThere)
{
    ASSERT_TRUE(startSimLoggingFrames());
    // Use up the inodes that are left.
    for (int i = 0;; ++i) {
        QFile filler(QDir(folder()).filePath(QStringLiteral("filler%1").arg(i)));
        if (!filler.open(QIODevice::WriteOnly))
            break;
        ASSERT_LT(i, 100);
    }

    QProcessEnvironment config;
    config.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
    ASSERT_NO_FATAL_FAILURE(startProgram(config));

    // The instrument answers: the first-run calibration question comes (declined).
    const QString probe = x_.waitForWindow(ProbeTitle, ShowDeadlineMs);
    ASSERT_FALSE(probe.isEmpty()) << "no calibration question, so no instrument; shown: "
                                  << x_.titles().toStdString();
    ASSERT_TRUE(x_.keys(probe, {QStringLiteral("alt+n")}));
    const QString main = x_.waitForWindow(MainTitle, ShowDeadlineMs); // the splash closes by itself
    ASSERT_FALSE(main.isEmpty()) << "shown: " << x_.titles().toStdString();
    ASSERT_TRUE(x_.keys(main, {QStringLiteral("ctrl+r")}));
    EXPECT_TRUE(XSession::waitUntil([&] { return !frames().isEmpty(); }, 5000))
        << "no command frame reached the instrument";
}

} // namespace
} // namespace kv::test
