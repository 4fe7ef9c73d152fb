#include "platform/linux_registry_view.h"
#include "platform/linux_system_info.h"
#include "platform/services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kv::test {
namespace {

TEST(SystemInfo, TextHeightIsSixteenExactlyAtNinetySixDpi)
{
    EXPECT_EQ(LinuxSystemInfo::textHeightForDpi(96), 16);
    EXPECT_EQ(LinuxSystemInfo::textHeightForDpi(120), 20);
    EXPECT_LT(LinuxSystemInfo::textHeightForDpi(95), 16);
    EXPECT_GT(LinuxSystemInfo::textHeightForDpi(97), 16);
    EXPECT_EQ(LinuxSystemInfo().platformCode(), 2);
}

TEST(Filters, RuntimeFilterBecomesQtNameFilters)
{
    EXPECT_EQ(
        qtNameFilters("Microsoft Excel Worksheet (*.xls)|*.xls|Comma-delimited ASCII file "
                      "(*.csv)|*.csv"),
        QStringList({"Microsoft Excel Worksheet (*.xls)", "Comma-delimited ASCII file (*.csv)"}));
    EXPECT_EQ(qtNameFilters("Pictures|*.bmp;*.jpg"), QStringList({"Pictures (*.bmp *.jpg)"}));
    EXPECT_TRUE(qtNameFilters("").isEmpty());
}

TEST(Filters, SuffixOfTheChosenFilter)
{
    const QString data = "Microsoft Excel Worksheet (*.xls)|*.xls|Comma-delimited ASCII file "
                         "(*.csv)|*.csv";
    EXPECT_EQ(filterSuffix(data, 1), "xls");
    EXPECT_EQ(filterSuffix(data, 2), "csv");
    EXPECT_EQ(filterSuffix(data, 3), "");
    EXPECT_EQ(filterSuffix(data, 0), "");
    EXPECT_EQ(filterSuffix("Oscilloscope Setup File (*.set)|*.set", 1), "set");
    EXPECT_EQ(filterSuffix("Pictures|*.bmp;*.jpg", 1), "bmp");
    EXPECT_EQ(filterSuffix("All files|*.*", 1), "");
    EXPECT_EQ(filterSuffix("All files|*", 1), "");
    EXPECT_EQ(filterSuffix("", 1), "");
}

TEST(Filters, SuffixIsAddedOnlyToANameWithoutOne)
{
    const std::pair<QString, QString> cases[] = {
        {"/home/u/mysetup", "/home/u/mysetup.set"},
        {"/home/u/mysetup.", "/home/u/mysetup.set"},
        {"/home/u/mysetup.set", "/home/u/mysetup.set"},
        {"/home/u/mysetup.v2", "/home/u/mysetup.v2"}, // a suffix of its own stays
        {"/home/u.dir/mysetup", "/home/u.dir/mysetup.set"},
        {"/home/u/.hidden", "/home/u/.hidden.set"},
        {"mysetup", "mysetup.set"},
        {"", ""},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(withSuffix(name, "set"), expected) << name.toStdString();
    EXPECT_EQ(withSuffix("/home/u/mysetup", ""), "/home/u/mysetup");
}

// A fake /sys/class/tty with USB serial devices of two drivers.
class Registry : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QDir().mkpath(path("drivers/ftdi_sio"));
        QDir().mkpath(path("drivers/cp210x"));
        QDir().mkpath(path("program/dosdevices"));
        device("ttyUSB10", "ftdi_sio");
        device("ttyUSB1", "cp210x");
        device("ttyUSB2", "ftdi_sio");
        device("ttyS0", "");
    }
    QString path(const QString& p) const { return QDir(dir_.path()).filePath(p); }
    void device(const QString& name, const QString& driver)
    {
        QDir().mkpath(path("tty/" + name + "/device"));
        if (!driver.isEmpty())
            QFile::link(path("drivers/" + driver), path("tty/" + name + "/device/driver"));
    }
    LinuxRegistryView view() const
    {
        return LinuxRegistryView(path("program"), path("tty"), "/dev");
    }
    static constexpr const char* SerialComm = "Hardware\\Devicemap\\SerialComm";

    QTemporaryDir dir_;
};

TEST_F(Registry, FtdiDevicesInNameOrderMapToComPorts)
{
    const LinuxRegistryView r = view();
    EXPECT_EQ(r.ftdiDevices(), QStringList({"ttyUSB2", "ttyUSB10"}));
    EXPECT_EQ(r.value(SerialComm, "\\Device\\VCP0"), QString("COM12"));
    EXPECT_EQ(r.value(SerialComm, "\\Device\\VCP1"), QString("COM20"));
    EXPECT_EQ(r.value(SerialComm, "\\Device\\VCP2"), std::nullopt);
    // Case does not matter in key paths and value names.
    EXPECT_EQ(r.value("HARDWARE\\DEVICEMAP\\SERIALCOMM", "\\device\\vcp0"), QString("COM12"));
}

TEST_F(Registry, DosDeviceEntryPointingToTheDeviceWins)
{
    QFile::link("/dev/ttyUSB10", path("program/dosdevices/com3"));
    EXPECT_EQ(view().value(SerialComm, "\\Device\\VCP1"), QString("COM3"));
}

TEST_F(Registry, AnythingElseIsMissing)
{
    const LinuxRegistryView r = view();
    EXPECT_EQ(r.value(SerialComm, "\\Device\\Serial0"), std::nullopt);
    EXPECT_EQ(r.value("Software\\Other", "PATH"), std::nullopt);
    EXPECT_EQ(r.value(SerialComm, "\\Device\\VCPx"), std::nullopt);
}

TEST(ModalGuardTest, CountsNestedDialogs)
{
    EXPECT_FALSE(ModalGuard::open());
    {
        ModalGuard a;
        {
            ModalGuard b;
            EXPECT_EQ(ModalGuard::depth(), 2);
        }
        EXPECT_TRUE(ModalGuard::open());
    }
    EXPECT_FALSE(ModalGuard::open());
}

} // namespace
} // namespace kv::test
