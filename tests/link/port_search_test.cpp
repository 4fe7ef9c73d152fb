#include "link/port_search.h"
#include "support/main_fixture.h"

#include <QTest>
#include <vector>

namespace kv::test {
namespace {

// ---- Pure parts
// ------------------------------------------------------------------------------------

TEST(PortFromSerialComm, NumberAfterTheFirstThreeCharacters)
{
    EXPECT_EQ(PortFromSerialComm("COM12"), 12);
    EXPECT_EQ(PortFromSerialComm("COM1"), 1);
    EXPECT_EQ(PortFromSerialComm("COM256"), 256);
    for (const char* bad : {"", "COM", "COMx", "COM0", "COM257", "COM-3", "COM1.5"})
        EXPECT_FALSE(PortFromSerialComm(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(ComListPosition, TypedTextKeptWithinTheList)
{
    struct Case
    {
        const char* text;
        std::optional<int> position;
    };
    for (const Case c :
         {Case{"7", 6}, Case{" 12 ", 11}, Case{"256", 255}, Case{"1", 0}, Case{"2.5", 2},
          Case{"3.5", 2}, Case{"0", 0}, Case{"-40", 0}, Case{"999", 255}, Case{"1E9", 255},
          Case{"abc", std::nullopt}, Case{"", std::nullopt}})
        EXPECT_EQ(ComListPositionFor(QString::fromLatin1(c.text)), c.position) << c.text;
}

TEST(QueryValue, TrailingNulDroppedMissingValueEmpty)
{
    FixedRegistry registry;
    registry.set(SerialCommKey, SerialCommValue, QStringLiteral("COM5") + QChar(0));
    registry.set("Some\\Key", "Whole", "text");
    EXPECT_EQ(QueryValue(registry, SerialCommKey, SerialCommValue), "COM5");
    EXPECT_EQ(QueryValue(registry, "some\\key", "whole"), "text");
    EXPECT_EQ(QueryValue(registry, SerialCommKey, "\\Device\\VCP1"), "");
}

// ---- Search and selection in the window
// ------------------------------------------------------------

class PortSearchWindow : public MainFixture
{
  protected:
    void SetUp() override
    {
        // The instrument answers on port 12 only, so start-up (port 10) finds nothing.
        serial().setInstrumentPort(12);
        load();
        ASSERT_TRUE(dialogs().requests().empty());
    }
    void search() { main().btnSearchCOMPort->setValue(true); }
};

TEST_F(PortSearchWindow, RegistryValueCom12EndToEnd)
{
    Main& m = main();
    registry().set(SerialCommKey, SerialCommValue, "COM12");
    QTest::mouseDClick(m.Image2, Qt::LeftButton);
    EXPECT_TRUE(Visible(m.btnSearchCOMPort));
    EXPECT_FALSE(Visible(m.Label4));

    search();
    EXPECT_EQ(m.global.COMPortNumber, 12.0f);
    EXPECT_EQ(m.lblSearchPort->text(), "Oscilloscope USB interface found on COM Port 12.");
    EXPECT_TRUE(Visible(m.btnSelectCOMPort));
    EXPECT_EQ(m.btnSelectCOMPort->onText(), "Select COM Port 12");
    EXPECT_EQ(m.btnSelectCOMPort->offText(), "Select COM Port 12");
    EXPECT_EQ(m.CWButton7->offColor(), 255);

    dialogs().answer(MsgResult::No); // first-run calibration question
    m.btnSelectCOMPort->setValue(true);
    EXPECT_EQ(m.COMCombo->currentIndex(), 11);
    EXPECT_EQ(m.COMCombo->currentText(), "12");
    EXPECT_EQ(serial().PortNumber(), 12);
    EXPECT_TRUE(serial().isOpen());
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
    EXPECT_EQ(m.CheckCOM->interval(), 3000);
    EXPECT_EQ(m.lblSearchPort->text(), "");
    EXPECT_EQ(m.btnSelectCOMPort->onText(), "");
    EXPECT_EQ(m.btnSelectCOMPort->offText(), "");
}

TEST_F(PortSearchWindow, MissingOrUnusableValueEndsSilently)
{
    Main& m = main();
    for (const char* value :
         std::initializer_list<const char*>{nullptr, "COM", "COMx", "COM0", "COM300"}) {
        if (value)
            registry().set(SerialCommKey, SerialCommValue, value);
        m.btnSearchCOMPort->setValue(false);
        search();
        EXPECT_EQ(m.global.COMPortNumber, 0.0f) << (value ? value : "missing");
        EXPECT_EQ(m.lblSearchPort->text(), "");
        EXPECT_FALSE(Visible(m.btnSelectCOMPort));
    }
    EXPECT_EQ(serial().PortNumber(), 10);
}

TEST_F(PortSearchWindow, SearchOnlyWhenTheButtonGoesOn)
{
    Main& m = main();
    m.btnSearchCOMPort->setValue(true);
    registry().set(SerialCommKey, SerialCommValue, "COM12");
    m.btnSearchCOMPort->setValue(false);
    EXPECT_EQ(m.lblSearchPort->text(), "");
}

TEST_F(PortSearchWindow, OlderSystemFamilyRefusesTheSearch)
{
    Main& m = main();
    systemInfo().platform = 1;
    registry().set(SerialCommKey, SerialCommValue, "COM12");
    QTest::mouseDClick(m.Image2, Qt::LeftButton);
    EXPECT_FALSE(Visible(m.btnSearchCOMPort));
    EXPECT_TRUE(Visible(m.Label4));

    dialogs().answer(MsgResult::OK);
    search();
    const auto& box = dialogs().last();
    EXPECT_EQ(box.text, "COM Prot Dection is not avaliable in this version.");
    EXPECT_EQ(box.title, "Wrong Operating System!");
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(m.lblSearchPort->text(), "");
}

TEST_F(PortSearchWindow, UnidentifiedSystemAsksAndSearchesWhateverTheAnswer)
{
    Main& m = main();
    systemInfo().platform = 0;
    registry().set(SerialCommKey, SerialCommValue, "COM12");
    dialogs().answer(MsgResult::No);
    search();
    const auto& box = dialogs().last();
    EXPECT_EQ(box.text, "Are you running Windows 2000,\nWindows XP or later?");
    EXPECT_EQ(box.title, "Unidentified Operating System.");
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(m.lblSearchPort->text(), "Oscilloscope USB interface found on COM Port 12.");
}

TEST_F(PortSearchWindow, LeavingTheBoxSelectsTheTypedPort)
{
    Main& m = main();
    struct Case
    {
        const char* typed;
        int port;
    };
    for (const Case c :
         {Case{"7", 7}, Case{"abc", 7}, Case{"999", 256}, Case{"0", 1}, Case{"12", 12}}) {
        m.COMCombo->setEditText(QString::fromLatin1(c.typed));
        m.portSearch->COMCombo_LostFocus();
        EXPECT_EQ(serial().PortNumber(), c.port) << c.typed;
        EXPECT_EQ(m.COMCombo->currentIndex(), c.port - 1) << c.typed;
        EXPECT_EQ(m.COMCombo->currentText(), QString::number(c.port)) << c.typed;
    }
    // The new port is opened by the next identification.
    dialogs().answer(MsgResult::No);
    m.CheckCOM->fire();
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
}

TEST_F(PortSearchWindow, FocusLeavingTheBoxRunsTheHandler)
{
    Main& m = main();
    m.show();
    m.COMCombo->setFocus();
    QApplication::processEvents();
    m.COMCombo->setEditText("33");
    m.btnCalibrate->setFocus();
    QApplication::processEvents();
    if (m.COMCombo->hasFocus())
        GTEST_SKIP() << "no focus changes on this platform";
    EXPECT_EQ(serial().PortNumber(), 33);
}

TEST_F(PortSearchWindow, FileSetComPortPressesTheSettingsButton)
{
    Main& m = main();
    std::vector<bool> values;
    QObject::connect(m.CWButton18, &CwButton::valueChanged, [&](bool v) { values.push_back(v); });
    m.mnuFcom->trigger();
    EXPECT_EQ(values, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace kv::test
