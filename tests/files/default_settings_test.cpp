#include "files/default_settings.h"
#include "files/files_fixture.h"
#include "files/settings_file.h"
#include "link/rules/command_frame.h"
#include "platform/rules/serial_control.h"

#include <QGroupBox>
#include <QLabel>

namespace kv::test {
namespace {

class Defaults : public MainFixture
{
  protected:
    Main& start()
    {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        Main& m = load();
        dialogs().clear();
        return m;
    }
};

TEST_F(Defaults, NoAtTheFirstQuestionOnlyHidesTheOptionsPanel)
{
    Main& m = start();
    m.Options->setVisible(true);
    m.COMCombo->setCurrentIndex(3);
    m.state.CalOffsetCH1Lo = Variant(7);
    m.state.FilePath = path("before.set").toStdString();
    ASSERT_TRUE(m.settingsFile->SaveSettingsFile());
    dialogs().answer(MsgResult::No);
    m.CWButton27->setValue(true);
    const auto& question = dialogs().last();
    EXPECT_EQ(question.title, QStringLiteral("Load Default Settings?"));
    EXPECT_EQ(question.text, QStringLiteral("Are you sure you want to load default settings?\r"
                                            "This will erase all unsaved settings, including \r"
                                            "calibration settings!"));
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_FALSE(Visible(m.Options));
    EXPECT_FALSE(m.CWButton27->value());
    m.state.FilePath = path("after.set").toStdString();
    ASSERT_TRUE(m.settingsFile->SaveSettingsFile());
    EXPECT_EQ(readAll(path("after.set")), readAll(path("before.set")));
}

TEST_F(Defaults, FactoryStateAndChannelOneSelected)
{
    Main& m = start();
    m.CWKnob2->setPosition(5);
    m.COMCombo->setCurrentIndex(3);
    m.global.ATTFactorCH1 = 2.0f;
    m.state.CalOffsetCH2Hi = Variant(4);
    m.CWButton1->setValue(true);
    dialogs().answer(MsgResult::Yes).answer(MsgResult::Yes);
    m.CWButton27->setValue(true);
    const auto& second = dialogs().last();
    EXPECT_EQ(second.title, QStringLiteral("Reset COM Port?"));
    EXPECT_EQ(second.text,
              QStringLiteral("Do you want to revert to the default COM port settings?\r\r"
                             "Choosing Yes will change the COM port setting to port 10.\r"
                             "Choosing No will keep the current setting."));
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_FALSE(m.CWButton27->value());
    EXPECT_EQ(m.global.ActiveChannel, Variant(1));
    EXPECT_TRUE(m.LED1->value());
    EXPECT_EQ(m.COMCombo->currentIndex(), 9);
    EXPECT_EQ(m.CWSerial1.PortNumber(), 10);
    EXPECT_EQ(m.global.ATTFactorCH1, 1.0f);
    EXPECT_EQ(m.Frame2->title(), QStringLiteral("30 Volt Attenuation"));
    EXPECT_EQ(m.CH1ATT->offText(), QStringLiteral("CH1 Attenuation"));
    EXPECT_EQ(m.LEDATT2b->offColor(), 19230);
    EXPECT_EQ(m.state.CalOffsetCH2Hi, Variant(0));
    EXPECT_EQ(m.CWKnob2->position(), 1);
    EXPECT_EQ(m.state.PlotScaleCH2, 19.5); // channel 1's handler rescales its own
    EXPECT_EQ(m.state.GainHiRev2, 1.0229079723358154f);
    EXPECT_EQ(m.CWButton5->offColor(), 255);
    EXPECT_EQ(m.CWGraph1->cursorColor(QStringLiteral("A")), 255);
    EXPECT_EQ(m.CWGraph1->cursorColor(QStringLiteral("B")), 16711680);
    EXPECT_TRUE(m.mnuPOPCFloat->isChecked());
    EXPECT_FALSE(m.mnuPOPCSnap->isChecked());
    EXPECT_TRUE(m.CWKnob1->isEnabled());
    EXPECT_FALSE(m.state.IsZoomed);
    EXPECT_EQ(m.CWGraph1->axisMinimum(1), 500);
    EXPECT_EQ(m.CWGraph1->axisMaximum(1), 1000);
}

// The defaults put channel 2 at 5 V/div: switched on, its caption says so.
TEST_F(Defaults, ChannelTwoCaptionNamesItsRange)
{
    Main& m = start();
    dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
    m.CWButton27->setValue(true);
    ASSERT_EQ(m.state.VdivIndexCH2, Variant(6));
    m.CH2Button->setValue(true);
    m.CH2Button->setValue(false);
    EXPECT_EQ(m.PeriodVAL2->text(), QStringLiteral("5V"));
    EXPECT_EQ(m.PeriodVAL->text(), QStringLiteral("5V"));
}

TEST_F(Defaults, CommandFrameCarriesTheDefaultTriggerPositionBytes)
{
    Main& m = start();
    dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
    m.CWButton27->setValue(true);
    Header(m.state, m.CWSlide5->position());
    EXPECT_EQ(m.state.HeaderBytes[5], "255");
    EXPECT_EQ(m.state.HeaderBytes[6], "100");
    EXPECT_EQ(m.state.HeaderBytes[7], "239");
    EXPECT_EQ(m.state.HeaderBytes[8], "3");
    // And on the link, in the next capture request.
    serial().clearWritten();
    SendCommandFrame(m.state, m.CWSerial1, m.CWSlide5->position());
    const auto frame = serial().lastFrame();
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ((*frame)[5], 0xFF);
    EXPECT_EQ((*frame)[6], 0x64);
    EXPECT_EQ((*frame)[7], 0xEF);
    EXPECT_EQ((*frame)[8], 0x03);
}

TEST_F(Defaults, NoAtTheSecondQuestionKeepsThePortAndSetsItAgain)
{
    Main& m = start();
    m.COMCombo->setCurrentIndex(3);
    m.CWSerial1.PortNumber(1);
    dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
    m.CWButton27->setValue(true);
    EXPECT_EQ(m.COMCombo->currentIndex(), 3);
    EXPECT_EQ(m.CWSerial1.PortNumber(), 4);
}

TEST_F(Defaults, FromTheMenuTheLinkWatchIsEnabled)
{
    Main& m = start();
    m.CheckCOM->setEnabled(false);
    dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
    m.mnuFDefault->trigger();
    EXPECT_TRUE(m.CheckCOM->enabled());
    EXPECT_FALSE(m.CWButton27->value());
    EXPECT_EQ(m.global.ActiveChannel, Variant(1));
}

TEST_F(Defaults, FromTheButtonTheLinkWatchIsLeftAsItWas)
{
    Main& m = start();
    m.CheckCOM->setEnabled(false);
    dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
    m.CWButton27->setValue(true);
    EXPECT_FALSE(m.CheckCOM->enabled());
}

} // namespace
} // namespace kv::test
