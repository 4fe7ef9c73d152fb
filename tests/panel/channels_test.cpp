#include "panel/channels.h"
#include "started_panel_fixture.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kv::test {
namespace {

const QString PCH1 = QStringLiteral("PCH1");
const QString PCH2 = QStringLiteral("PCH2");
const QString PREF1 = QStringLiteral("PREF1");

// ---- Who is selected after a switch-off ---------------------------------------------------------

struct HandOver
{
    int switchedOff;
    bool led1, led2, led5;
    int selected;
};

// Names the case in test listings and failure messages.
void PrintTo(const HandOver& c, std::ostream* os)
{
    *os << "off " << c.switchedOff << " with LEDs " << c.led1 << c.led2 << c.led5 << " -> "
        << c.selected;
}

class NextSelection : public ::testing::TestWithParam<HandOver>
{
};

TEST_P(NextSelection, Order)
{
    const HandOver c = GetParam();
    EXPECT_EQ(nextSelection(c.switchedOff, c.led1, c.led2, c.led5), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextSelection,
    ::testing::Values(HandOver{1, false, true, true, 5}, HandOver{1, false, true, false, 2},
                      HandOver{1, false, false, false, 1}, HandOver{2, true, false, true, 5},
                      HandOver{2, true, false, false, 1}, HandOver{2, false, false, false, 2},
                      HandOver{5, true, true, false, 2}, HandOver{5, true, false, false, 1},
                      HandOver{5, false, false, false, 5}, HandOver{0, true, true, true, 0}));

// ---- The channel buttons, the OFF button and the Channel menu -----------------------------------

class ChannelsTest : public StartedPanelFixture
{
  protected:
    // Shows the reference trace as its own button would, optionally selecting it.
    void referenceOn(bool select)
    {
        Main& m = main();
        m.LED5->setValue(true);
        m.CWGraph1->setPlotVisible(PREF1, true);
        m.lblVREF->setVisible(true);
        if (select) {
            m.LED5->setOnColor(LedSelected);
            m.global.ActiveChannel = 5;
        }
    }
    int active() { return int(main().global.ActiveChannel.toNumber()); }
};

TEST_F(ChannelsTest, SelectingChannel1SwitchesItOnAndReleasesTheButton)
{
    Main& m = main();
    m.mnuC1->trigger();
    EXPECT_EQ(active(), 1);
    EXPECT_FALSE(m.CH1Button->value());
    EXPECT_TRUE(m.LED1->value());
    EXPECT_EQ(m.LED1->onColor(), LedSelected);
    EXPECT_TRUE(m.CWGraph1->plotVisible(PCH1));
    EXPECT_EQ(m.CWGraph1->plotLineWidth(PCH1), 2);
    EXPECT_TRUE(m.mnuC1->isChecked());
    EXPECT_TRUE(Visible(m.CHDISP));
    EXPECT_EQ(m.CHDISP->offText(), QStringLiteral("CH1"));
    EXPECT_EQ(m.CHDISP->offColor(), 0xFF0000);
    EXPECT_EQ(m.CHDISP->textColor(), 0xFFFFFF);
    EXPECT_EQ(m.CWKnob1->pointerColor(1), 0xFF0000);
    EXPECT_TRUE(m.CWKnob1->isEnabled());
    EXPECT_EQ(m.CWKnob1->position(), 1);
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH1, 7.8125);
    EXPECT_EQ(bits(nextFrame()[2], 3, 0), 0b0001);
}

TEST_F(ChannelsTest, SelectingChannel2TurnsChannel1Yellow)
{
    Main& m = main();
    m.mnuC1->trigger();
    m.mnuC2->trigger();
    EXPECT_EQ(active(), 2);
    EXPECT_EQ(m.LED1->onColor(), LedOnNotSelected);
    EXPECT_EQ(m.LED2->onColor(), LedSelected);
    EXPECT_TRUE(m.LED1->value());
    EXPECT_TRUE(m.CWGraph1->plotVisible(PCH1));
    EXPECT_EQ(m.CWGraph1->plotLineWidth(PCH1), 1);
    EXPECT_EQ(m.CWGraph1->plotLineWidth(PCH2), 2);
    EXPECT_EQ(m.CHDISP->offText(), QStringLiteral("CH2"));
    EXPECT_EQ(m.CHDISP->offColor(), 0x0000FF);
    EXPECT_EQ(m.CHDISP->textColor(), 0x000000);
    EXPECT_EQ(m.state.CH2EnableBits, "0001");
}

TEST_F(ChannelsTest, SelectingAChannelOverTheReferenceKeepsItShown)
{
    Main& m = main();
    m.mnuC2->trigger();
    referenceOn(true);
    m.mnuC1->trigger();
    EXPECT_EQ(m.LED5->onColor(), LedOnNotSelected);
    EXPECT_EQ(m.LED2->onColor(), LedOnNotSelected);
    EXPECT_EQ(m.LED1->onColor(), LedSelected);
    EXPECT_TRUE(m.CWGraph1->plotVisible(PREF1));
    EXPECT_FALSE(m.CWSlide4->pointerVisible(m.CWSlide4->pointerIndex(QStringLiteral("VREF1"))));
}

struct OffCase
{
    const char* name;
    bool ch1, ch2, ref;
    int selected;
    int expected;
};

// Names the case in test listings and failure messages.
void PrintTo(const OffCase& c, std::ostream* os)
{
    *os << c.name;
}

class SwitchOff : public ChannelsTest, public ::testing::WithParamInterface<OffCase>
{
};

TEST_P(SwitchOff, HandsTheSelectionOver)
{
    const OffCase c = GetParam();
    Main& m = main();
    if (c.ch1)
        m.mnuC1->trigger();
    if (c.ch2)
        m.mnuC2->trigger();
    if (c.ref)
        referenceOn(false);
    if (c.selected == 1)
        m.mnuC1->trigger();
    else if (c.selected == 2)
        m.mnuC2->trigger();
    else
        referenceOn(true);

    m.mnuCO->trigger();
    EXPECT_EQ(active(), c.expected);
    CwButton* offLed = c.selected == 1 ? m.LED1 : c.selected == 2 ? m.LED2 : m.LED5;
    EXPECT_FALSE(offLed->value());
    if (c.expected != c.selected) {
        CwButton* led = c.expected == 1 ? m.LED1 : c.expected == 2 ? m.LED2 : m.LED5;
        EXPECT_EQ(led->onColor(), LedSelected);
        // The indicator names the trace now selected.
        const char* name = c.expected == 1 ? "CH1" : c.expected == 2 ? "CH2" : "REF";
        EXPECT_EQ(m.CHDISP->offText().toStdString(), name);
    }
    const bool refSelected = c.expected == 5 && c.selected != 5;
    EXPECT_EQ(m.CWKnob2->isEnabled(), !refSelected);
    if (refSelected) {
        EXPECT_FALSE(m.CWKnob1->isEnabled());
    }
    // The others keep their yellow.
    if (c.selected == 1 && c.expected == 5 && c.ch2) {
        EXPECT_EQ(m.LED2->onColor(), LedOnNotSelected);
    }
}

INSTANTIATE_TEST_SUITE_P(Order, SwitchOff,
                         ::testing::Values(OffCase{"ch1_to_ref", true, true, true, 1, 5},
                                           OffCase{"ch1_to_ch2", true, true, false, 1, 2},
                                           OffCase{"ch2_to_ref", true, true, true, 2, 5},
                                           OffCase{"ch2_to_ch1", true, true, false, 2, 1},
                                           OffCase{"ref_to_ch2", true, true, true, 5, 2},
                                           OffCase{"ref_to_ch1", true, false, true, 5, 1},
                                           OffCase{"ch1_alone", true, false, false, 1, 1},
                                           OffCase{"ch2_alone", false, true, false, 2, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelsTest, SwitchingOffTheOnlyChannel)
{
    Main& m = main();
    m.mnuC1->trigger();
    m.CWKnob1->setPosition(3);
    m.mnuCO->trigger();
    EXPECT_EQ(active(), 1);
    EXPECT_EQ(m.state.CH1EnableBits, "0000");
    EXPECT_EQ(bits(nextFrame()[2], 3, 0), 0b0000);
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_EQ(m.CWKnob1->position(), 1);
    EXPECT_FALSE(Visible(m.CHDISP));
    EXPECT_FALSE(m.CWGraph1->plotVisible(PCH1));
    EXPECT_FALSE(m.mnuC1->isChecked());
    EXPECT_FALSE(Visible(m.PeriodVAL));
    EXPECT_FALSE(Visible(m.CWButton22));
    EXPECT_FALSE(m.CWButton8->value());
}

TEST_F(ChannelsTest, SwitchingOffTheReferenceHidesItsTraceAndLabels)
{
    Main& m = main();
    m.mnuC2->trigger();
    referenceOn(true);
    m.mnuCO->trigger();
    EXPECT_FALSE(m.CWGraph1->plotVisible(PREF1));
    EXPECT_FALSE(Visible(m.lblVREF));
    EXPECT_FALSE(Visible(m.lblHREF));
    EXPECT_EQ(active(), 2);
    EXPECT_TRUE(m.CWKnob1->isEnabled());
}

TEST_F(ChannelsTest, OffWithNothingSelectedSwitchesNothingOff)
{
    Main& m = main();
    m.mnuC1->trigger();
    m.global.ActiveChannel = 0;
    m.mnuCO->trigger();
    EXPECT_TRUE(m.LED1->value());
    EXPECT_EQ(m.state.CH1EnableBits, "0001");
}

// At 50 us/div only the shown channel is captured: the trigger follows the selection.
TEST_F(ChannelsTest, SwitchOffAt50usHandsTheTriggerOver)
{
    Main& m = main();
    ASSERT_EQ(m.CWKnob2->position(), 1);
    m.mnuC2->trigger();
    m.mnuC1->trigger();
    m.mnuTSCh1->trigger();
    m.mnuCO->trigger();
    EXPECT_EQ(m.CWSlide5->position(), 2);
    EXPECT_EQ(m.state.TrigSourceText, "CH2");
    EXPECT_TRUE(m.state.TrigOnCH2);
    EXPECT_FALSE(m.state.TrigOnCH1);
    EXPECT_TRUE(m.CWSlide3->pointerVisible(2));
    EXPECT_FALSE(m.CWSlide3->pointerVisible(1));
    EXPECT_EQ(m.CWButton21->offText(), QStringLiteral("CH2"));
    EXPECT_EQ(m.CWButton21->offColor(), m.CH2Button->offColor());
    EXPECT_EQ(m.CWGraph1->cursorColor(QStringLiteral("T")), m.CWGraph1->plotColor(PCH2));
    EXPECT_EQ(bits(nextFrame()[3], 1, 0), 0b01);

    // And back to channel 1 when channel 2 goes off, from the external source too.
    m.mnuC1->trigger();
    m.mnuTSExt->trigger();
    m.mnuC2->trigger();
    m.mnuCO->trigger();
    EXPECT_EQ(m.CWSlide5->position(), 1);
    const auto f = nextFrame();
    EXPECT_EQ(bits(f[3], 1, 0), 0b00);
    EXPECT_EQ(bits(f[4], 6, 6), 0);
    EXPECT_TRUE(m.CWButton12->isEnabled());
}

TEST_F(ChannelsTest, SwitchOffAtOtherTimebasesLeavesTheTrigger)
{
    Main& m = main();
    m.CWKnob2->setPosition(2);
    m.mnuC2->trigger();
    m.mnuC1->trigger();
    m.mnuTSCh1->trigger();
    m.mnuCO->trigger();
    EXPECT_EQ(m.CWSlide5->position(), 1);
    EXPECT_EQ(bits(nextFrame()[3], 1, 0), 0b00);
}

TEST_F(ChannelsTest, AutoscaleAndZoomedCaptions)
{
    Main& m = main();
    m.mnuC2->trigger();
    m.state.IsZoomed = true;
    m.mnuC1->trigger();
    EXPECT_EQ(m.PeriodVAL->text(), QStringLiteral("Zoomed"));

    m.state.IsZoomed = false;
    m.Autoscale->setValue(true);
    m.mnuC1->trigger();
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_EQ(m.PeriodVAL->text(), QStringLiteral("Autoscale"));
    EXPECT_EQ(m.PeriodVAL2->text(), QStringLiteral("Autoscale"));

    // Autoscale wins over Zoomed.
    m.state.IsZoomed = true;
    m.mnuC2->trigger();
    EXPECT_EQ(m.PeriodVAL2->text(), QStringLiteral("Autoscale"));
}

} // namespace
} // namespace kv::test
