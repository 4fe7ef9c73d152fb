#include "platform/rules/com_port_map.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <utility>

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

// Where the links are looked up: the program folder's dosdevices/ wins whenever it exists,
// whether or not a new file can be created there.
struct LinkFolderCase
{
    bool programLinks, configLinks;
    const char* expected; // "program" or "config"
};

void PrintTo(const LinkFolderCase& c, std::ostream* os)
{
    *os << "links in" << (c.programLinks ? " program" : "") << (c.configLinks ? " config" : "")
        << (!c.programLinks && !c.configLinks ? " neither" : "") << " -> " << c.expected;
}

class LinkFolder : public ::testing::TestWithParam<LinkFolderCase>
{
};

TEST_P(LinkFolder, IsWhereTheLinksAre)
{
    const LinkFolderCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString program = root.filePath(QStringLiteral("program"));
    const QString config = root.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(config));
    for (const auto& [wanted, folder] :
         {std::pair{c.programLinks, program}, {c.configLinks, config}}) {
        if (wanted) {
            ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("dosdevices")));
        }
    }
    EXPECT_EQ(comLinkFolder(program, config),
              QString::fromLatin1(c.expected) == QLatin1String("program") ? program : config);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkFolder,
                         ::testing::Values(LinkFolderCase{true, true, "program"},
                                           LinkFolderCase{true, false, "program"},
                                           LinkFolderCase{false, true, "config"},
                                           LinkFolderCase{false, false, "program"}));

} // namespace
} // namespace kv
