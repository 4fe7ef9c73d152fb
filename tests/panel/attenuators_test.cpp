#include "link/acquisition.h"
#include "link/rules/sample_decode.h"
#include "panel/attenuators.h"
#include "panel/hardware_check_dialog.h"
#include "platform/qt_dialogs.h"
#include "started_panel_fixture.h"
#include "support/box_watcher.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace kv::test {
namespace {

TEST(AttenuationFactor, ZeroMeansTheStandardFactor)
{
    EXPECT_FLOAT_EQ(attenuationFactor(0.0f), 2.0f);
    EXPECT_FLOAT_EQ(attenuationFactor(2.0f), 2.0f);
    EXPECT_FLOAT_EQ(attenuationFactor(1.5f), 1.5f);
    EXPECT_EQ(attenuatorLedColor(0.0f), 0x00FF00);
    EXPECT_EQ(attenuatorLedColor(2.0f), 0x00FF00);
    EXPECT_EQ(attenuatorLedColor(1.5f), 0x0000FF);
}

class AttenuatorsTest : public StartedPanelFixture
{
  protected:
    Attenuators& att() { return *main().attenuators; }
    HardwareCheckDialog* dialog() { return att().frm30volt(); }
    CwButton* key(int channel) { return channel == 1 ? main().CH1ATT : main().CH2ATT; }
    // A click of the mouse on the channel's attenuator key.
    void click(int channel) { QTest::mouseClick(key(channel), Qt::LeftButton); }
    // A double-click as the mouse gives it: press, release, a second press that is the double
    // click, release.
    void doubleClick(int channel)
    {
        QTest::mouseClick(key(channel), Qt::LeftButton);
        QTest::mouseDClick(key(channel), Qt::LeftButton);
        QTest::mouseRelease(key(channel), Qt::LeftButton);
    }
    // Answers the open dialog as the user does: Space on the box when it must change, then a
    // click on "Yes" or "No"; the window goes away.
    void answer(bool yes, bool stopAsking)
    {
        ASSERT_NE(dialog(), nullptr);
        ASSERT_TRUE(dialog()->isVisible());
        if (dialog()->Check1->isChecked() != stopAsking)
            QTest::keyClick(dialog()->Check1, Qt::Key_Space);
        ASSERT_EQ(dialog()->Check1->isChecked(), stopAsking);
        if (stopAsking)
            dialogs().answer(MsgResult::OK);
        QTest::mouseClick(yes ? dialog()->Command1 : dialog()->Command2, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dialog(), nullptr);
    }
    void expectLeds(int channel, int bgr)
    {
        EXPECT_EQ((channel == 1 ? main().LEDATT1 : main().LEDATT2)->offColor(), bgr);
        EXPECT_EQ((channel == 1 ? main().LEDATT1b : main().LEDATT2b)->offColor(), bgr);
    }
    void confirmHardware()
    {
        click(1);
        answer(true, false);
    }
};

TEST_F(AttenuatorsTest, FirstPressAsksAndSwitchesNothing)
{
    click(1);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->isModal());
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("Hardware Check"));
    EXPECT_FALSE(dialog()->Check1->isChecked());
    EXPECT_FALSE(main().global.ATTOnCH1);
    EXPECT_FLOAT_EQ(main().global.ATTFactorCH1, 1.0f);
    // One instance: a second press shows the same window.
    HardwareCheckDialog* first = dialog();
    click(1);
    EXPECT_EQ(dialog(), first);
    answer(false, false);
}

struct FactorCase
{
    float value;
    int led;
    float factor;
};

// Names the case in test listings and failure messages.
void PrintTo(const FactorCase& c, std::ostream* os)
{
    *os << "value " << c.value;
}

class AttenuatorFactor : public AttenuatorsTest, public ::testing::WithParamInterface<FactorCase>
{
};

TEST_P(AttenuatorFactor, OnThenOff)
{
    const FactorCase c = GetParam();
    confirmHardware();
    EXPECT_FALSE(main().global.NoATTHardware);
    EXPECT_TRUE(main().global.ShowHardwareCheck);
    for (int ch : {1, 2}) {
        SCOPED_TRACE(ch);
        (ch == 1 ? main().state.ATTValueCH1 : main().state.ATTValueCH2) = c.value;
        float& factor = ch == 1 ? main().global.ATTFactorCH1 : main().global.ATTFactorCH2;
        click(ch);
        EXPECT_EQ(dialog(), nullptr);
        expectLeds(ch, c.led);
        EXPECT_FLOAT_EQ(factor, c.factor);
        click(ch);
        expectLeds(ch, LedAttOff);
        EXPECT_FLOAT_EQ(factor, 1.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, AttenuatorFactor,
                         ::testing::Values(FactorCase{2.0f, 0x00FF00, 2.0f},
                                           FactorCase{1.5f, 0x0000FF, 1.5f},
                                           FactorCase{0.0f, 0x00FF00, 2.0f}));

TEST_F(AttenuatorsTest, YesWithTheBoxTickedStopsAsking)
{
    click(1);
    answer(true, true);
    const auto& r = dialogs().last();
    EXPECT_EQ(r.title, QStringLiteral("Notice"));
    EXPECT_EQ(r.icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.buttons, MsgButtons::OK);
    EXPECT_EQ(r.text, QStringLiteral("The only way to see the Hardware Check window again is to "
                                     "double-\rclick on either CH1 or CH2 attenuation buttons."));
    EXPECT_FALSE(main().global.ShowHardwareCheck);
    main().state.ATTValueCH2 = 2.0f;
    click(2);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(main().global.ATTOnCH2);
}

TEST_F(AttenuatorsTest, NoSwitchesBothOffAndMakesTheSwitchesInert)
{
    main().state.ATTValueCH1 = 2.0f;
    main().state.ATTValueCH2 = 1.5f;
    confirmHardware();
    click(1);
    click(2);
    ASSERT_TRUE(main().global.ATTOnCH1 && main().global.ATTOnCH2);

    // With the hardware confirmed, the two clicks of a double-click toggle twice.
    doubleClick(2);
    ASSERT_TRUE(main().global.ATTOnCH1 && main().global.ATTOnCH2);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_FALSE(dialog()->Check1->isChecked());
    answer(false, true);
    EXPECT_TRUE(dialogs().last().text.endsWith(
        QStringLiteral("attenuation buttons.\rThis will be necessary if you ever add the 40 "
                       "volt attenuation circuitry.")));
    EXPECT_TRUE(main().global.NoATTHardware);
    EXPECT_FALSE(main().global.ShowHardwareCheck);
    for (int ch : {1, 2}) {
        expectLeds(ch, LedAttOff);
        click(ch);
        expectLeds(ch, LedAttOff);
    }
    EXPECT_FALSE(main().global.ATTOnCH1 || main().global.ATTOnCH2);
    EXPECT_FLOAT_EQ(main().global.ATTFactorCH1, 1.0f);
    EXPECT_FLOAT_EQ(main().global.ATTFactorCH2, 1.0f);
    EXPECT_EQ(dialog(), nullptr); // nothing visible at all

    // A double-click always asks; the box shows the choice made.
    doubleClick(1);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->Check1->isChecked());
    answer(true, false);
    EXPECT_TRUE(main().global.ShowHardwareCheck);
    click(1);
    EXPECT_TRUE(main().global.ATTOnCH1);
}

// The key is a command: it is drawn the same whatever the attenuator is, and only the LEDs
// tell whether it is on.
TEST_F(AttenuatorsTest, KeyLooksTheSameWhileTheLedsShowTheState)
{
    main().state.ATTValueCH1 = 2.0f;
    const QImage keyAtRest = key(1)->grab().toImage();
    const QImage ledOff = main().LEDATT1->grab().toImage();
    click(1); // asks, switches nothing
    EXPECT_EQ(key(1)->grab().toImage(), keyAtRest);
    answer(true, false);
    click(1);
    ASSERT_TRUE(main().global.ATTOnCH1);
    EXPECT_EQ(key(1)->grab().toImage(), keyAtRest);
    EXPECT_NE(main().LEDATT1->grab().toImage(), ledOff);
    click(1);
    ASSERT_FALSE(main().global.ATTOnCH1);
    EXPECT_EQ(key(1)->grab().toImage(), keyAtRest);
    EXPECT_EQ(main().LEDATT1->grab().toImage(), ledOff);
}

TEST_F(AttenuatorsTest, NoWithoutTheBoxAsksAgainNextTime)
{
    click(1);
    answer(false, false);
    EXPECT_TRUE(main().global.ShowHardwareCheck);
    click(1);
    EXPECT_NE(dialog(), nullptr);
    answer(false, false);
}

// The next decoded record of the channel carries the factor; the other channel is untouched.
TEST_F(AttenuatorsTest, NextRecordIsMultipliedByTheFactor)
{
    main().state.ATTValueCH1 = 2.0f;
    main().global.GainCH1 = 1.0f;
    main().global.GainCH2 = 1.0f;
    std::string record(DataFrameLength, char(SampleZero - 10));
    record[0] = DataSync;
    const auto decodeFirst = [&](int channel) {
        std::vector<double> counts(1500), trace(1500);
        decodeSpan(record, channel == 1 ? TwoChannelSpanCH1 : TwoChannelSpanCH2,
                   channelDecode(main().state, main().global, channel), counts, trace);
        return counts[0];
    };
    EXPECT_DOUBLE_EQ(decodeFirst(1), -10);
    confirmHardware();
    click(1);
    EXPECT_DOUBLE_EQ(decodeFirst(1), -20);
    EXPECT_DOUBLE_EQ(decodeFirst(2), -10);
}

// The same through an acquisition pass against the simulated instrument: a DC level of
// 0.5 V on channel 1 reads twice the counts once the attenuator is on.
TEST_F(AttenuatorsTest, AcquiredRecordCarriesTheFactor)
{
    Main& m = main();
    ASSERT_NE(m.acquisition, nullptr);
    instrument().faults().silence = false;
    instrument().setSignal(1, SimSignal{SimWaveform::Dc, 0, 0, 0.5});
    m.global.ModelGainLo = 1.0f; // as an identified instrument of the base model gives
    m.CWKnob2->setPosition(2);   // two-channel record
    m.mnuC1->trigger();
    m.state.ATTValueCH1 = 2.0f;
    const auto acquire = [&] {
        m.global.Samples.CountsCH1.fill(0);
        m.CWButton1->setValue(true);
        for (int tick = 0; tick < 4; ++tick)
            m.acquisition->Timer1_Timer();
        m.CWButton1->setValue(false);
        return m.global.Samples.CountsCH1[750];
    };
    const double plain = acquire();
    ASSERT_NE(plain, 0);
    confirmHardware();
    click(1);
    EXPECT_DOUBLE_EQ(acquire(), 2 * plain);
    click(1);
    EXPECT_DOUBLE_EQ(acquire(), plain);
}

// The whole path as the user meets it, with the program's real boxes: a click asks, "Yes" with
// the box ticked shows the notice, and from then on each click toggles without asking.
class AttenuatorsWithRealBoxes : public MainFixture
{
  protected:
    void SetUp() override { instrument().faults().silence = true; }
};

TEST_F(AttenuatorsWithRealBoxes, YesWithTheBoxTickedTellsOnceThenClicksToggle)
{
    QtDialogs dialogs;
    BoxWatcher watcher;
    Main m(services(dialogs));
    dialogs.setParent(&m);
    m.Form_Load();
    m.state.ATTValueCH1 = 2.0f;
    QTest::mouseClick(m.CH1ATT, Qt::LeftButton);
    HardwareCheckDialog* dialog = m.attenuators->frm30volt();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog->Check1, Qt::Key_Space);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    ASSERT_EQ(watcher.texts.size(), 1u);
    EXPECT_EQ(watcher.titles.front(), QStringLiteral("Notice"));
    EXPECT_EQ(watcher.texts.front(),
              QStringLiteral("The only way to see the Hardware Check window again is to "
                             "double-\nclick on either CH1 or CH2 attenuation buttons."));
    EXPECT_EQ(watcher.icons.front(), QMessageBox::Warning);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m.attenuators->frm30volt(), nullptr);

    QTest::mouseClick(m.CH1ATT, Qt::LeftButton);
    EXPECT_TRUE(m.global.ATTOnCH1);
    EXPECT_EQ(m.LEDATT1->offColor(), 0x00FF00);
    EXPECT_EQ(m.LEDATT1b->offColor(), 0x00FF00);
    QTest::mouseClick(m.CH1ATT, Qt::LeftButton);
    EXPECT_FALSE(m.global.ATTOnCH1);
    EXPECT_EQ(m.LEDATT1->offColor(), LedAttOff);
    EXPECT_EQ(m.attenuators->frm30volt(), nullptr);
    EXPECT_EQ(watcher.texts.size(), 1u);
}

} // namespace
} // namespace kv::test
