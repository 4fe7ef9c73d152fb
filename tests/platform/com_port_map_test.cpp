#include "platform/com_port_map.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

namespace kv {
namespace {

struct FixedCase
{
    int port;
    const char* device;
};

// Names the case in test listings and failure messages.
void PrintTo(const FixedCase& c, std::ostream* os)
{
    *os << "COM" << c.port << " -> \"" << c.device << '"';
}

class FixedMap : public ::testing::TestWithParam<FixedCase>
{
};

TEST_P(FixedMap, GivesTheDeviceOfThePort)
{
    EXPECT_EQ(fixedComPortDevice(GetParam().port), QString::fromLatin1(GetParam().device));
}

INSTANTIATE_TEST_SUITE_P(Bounds, FixedMap,
                         ::testing::Values(FixedCase{0, ""}, FixedCase{-3, ""},
                                           FixedCase{1, "/dev/ttyS0"}, FixedCase{9, "/dev/ttyS8"},
                                           FixedCase{10, "/dev/ttyUSB0"},
                                           FixedCase{137, "/dev/ttyUSB127"},
                                           FixedCase{138, "/dev/ttyACM0"},
                                           FixedCase{256, "/dev/ttyACM118"}, FixedCase{257, ""}));

class ComPortMapFolder : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("dosdevices")));
    }
    QString entry(const char* name) const
    {
        return folder.path() + QStringLiteral("/dosdevices/") + QString::fromLatin1(name);
    }
    QTemporaryDir folder;
};

TEST_F(ComPortMapFolder, EntryInDosdevicesWins)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), entry("com10")));
    EXPECT_EQ(comPortDevice(folder.path(), 10), entry("com10"));
    EXPECT_EQ(comPortDevice(folder.path(), 11), QStringLiteral("/dev/ttyUSB1"));
}

TEST_F(ComPortMapFolder, DanglingLinkStillNamesTheEntry)
{
    ASSERT_TRUE(QFile::link(folder.path() + QStringLiteral("/gone"), entry("com3")));
    EXPECT_EQ(comPortDevice(folder.path(), 3), entry("com3"));
}

TEST_F(ComPortMapFolder, OnlyTheLowerCaseNameCounts)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), entry("COM5")));
    EXPECT_EQ(comPortDevice(folder.path(), 5), QStringLiteral("/dev/ttyS4"));
}

TEST_F(ComPortMapFolder, OutOfRangeIsEmptyEvenWithAnEntry)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), entry("com0")));
    EXPECT_EQ(comPortDevice(folder.path(), 0), QString());
}

TEST(ComPortMap, MissingFolderFallsBackToTheFixedMap)
{
    EXPECT_EQ(comPortDevice(QStringLiteral("/nonexistent/folder"), 138),
              QStringLiteral("/dev/ttyACM0"));
}

} // namespace
} // namespace kv
