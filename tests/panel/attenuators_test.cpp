#include "link/acquisition.h"
#include "link/rules/sample_decode.h"
#include "panel/attenuators.h"
#include "panel/hardware_check_dialog.h"
#include "started_panel_fixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
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
    // A click on the switch toggles its value.
    void click(int channel)
    {
        CwButton* b = channel == 1 ? main().CH1ATT : main().CH2ATT;
        b->setValue(!b->value());
    }
    // Answers the open dialog with its buttons; the window goes away.
    void answer(bool yes, bool stopAsking)
    {
        ASSERT_NE(dialog(), nullptr);
        ASSERT_TRUE(dialog()->isVisible());
        dialog()->Check1->setChecked(stopAsking);
        if (stopAsking)
            dialogs().answer(MsgResult::OK);
        (yes ? dialog()->Command1 : dialog()->Command2)->click();
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

    Q_EMIT main().CH2ATT->doubleClicked();
    EXPECT_TRUE(dialog()->Check1->isChecked() == false);
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
    Q_EMIT main().CH1ATT->doubleClicked();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->Check1->isChecked());
    answer(true, false);
    EXPECT_TRUE(main().global.ShowHardwareCheck);
    click(1);
    EXPECT_TRUE(main().global.ATTOnCH1);
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

} // namespace
} // namespace kv::test
