#include "display/read_outs.h"
#include "front_panel_fixture.h"
#include "panel/volts_div.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

// ---- Pure tables ------------------------------------------------------------------------------

struct VoltsRow
{
    int position;
    const char* label;
    double voltsPerDiv;
    const char* rangeBit;
    double plotScale;
};

const VoltsRow VoltsRows[] = {
    {1, "100mV", 0.1, "0", 7.8125}, {2, "200mV", 0.2, "0", 3.90625}, {3, "500mV", 0.5, "0", 1.5625},
    {4, "1V", 1.0, "1", 3.90625},   {5, "2V", 2.0, "1", 1.953125},   {6, "5V", 5.0, "1", 0.78125},
};

TEST(VoltsDivTable, EveryPositionHasItsLabelValueRangeAndScale)
{
    for (const VoltsRow& row : VoltsRows) {
        const auto setting = voltsDivSetting(row.position);
        ASSERT_TRUE(setting) << row.position;
        EXPECT_STREQ(setting->label, row.label);
        EXPECT_DOUBLE_EQ(setting->voltsPerDiv, row.voltsPerDiv);
        EXPECT_STREQ(setting->rangeBit, row.rangeBit);
        EXPECT_DOUBLE_EQ(plotScale(setting->fullScale, setting->voltsPerDiv), row.plotScale);
    }
    EXPECT_FALSE(voltsDivSetting(0));
    EXPECT_FALSE(voltsDivSetting(7));
}

TEST(VoltsDivTable, TriggerPointerKeepsItsVoltage)
{
    struct Case
    {
        double vpos, trig, oldVdiv, newVdiv, expected;
    };
    const Case cases[] = {
        {10, 50, 1.0, 2.0, 30},    // 40 units above -> 20 above
        {10, 30, 2.0, 1.0, 50},    // and back
        {0, -60, 0.5, 0.1, -300},  // below the zero line, off the slide: kept as computed
        {-20, 40, 1.0, 1.0, 40},   // same scale: unchanged
        {0.1, 0.3, 0.2, 0.2, 0.3}, // same scale: exactly unchanged, no rounding drift
        {10, 50, 0.0, 2.0, 50},    // no old scale (never set): unchanged, not scaled to 0
        {10, 50, 1.0, 0.0, 50},    // no new scale: unchanged, not infinite
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(rescaledTriggerPointer(c.vpos, c.trig, c.oldVdiv, c.newVdiv), c.expected)
            << c.vpos << " " << c.trig << " " << c.oldVdiv << " -> " << c.newVdiv;
}

// ---- The knob on the window -------------------------------------------------------------------

class VoltsDivKnob : public FrontPanelFixture
{
  protected:
    // Byte 2 of the frame: CH2 range bit 7, CH1 range bit 6, slope 11, CH1 enable.
    static int rangeBits(std::uint8_t byte2) { return byte2 >> 6; }
};

TEST_F(VoltsDivKnob, EveryPositionReachesFieldsCaptionMarksScaleAndFrame)
{
    Main& m = main();
    for (int channel = 1; channel <= 2; ++channel) {
        selectChannel(channel);
        for (const VoltsRow& row : VoltsRows) {
            // Come from the other end, so that every position is a real change.
            m.CWKnob1->setPosition(row.position == 6 ? 1 : 6);
            m.CWKnob1->setPosition(row.position);
            const bool ch1 = channel == 1;
            const ScopeState& s = m.state;
            SCOPED_TRACE(std::string("CH") + char('0' + channel) + " " + row.label);
            EXPECT_EQ((ch1 ? s.VdivCH1 : s.VdivCH2).toNumber(), row.voltsPerDiv);
            EXPECT_EQ((ch1 ? s.VdivIndexCH1 : s.VdivIndexCH2).toNumber(), row.position);
            EXPECT_EQ(s.VdivIndex.toNumber(), row.position);
            EXPECT_EQ(ch1 ? s.CH1RangeBit : s.CH2RangeBit, row.rangeBit);
            EXPECT_DOUBLE_EQ(ch1 ? s.PlotScaleCH1 : s.PlotScaleCH2, row.plotScale);
            EXPECT_EQ((ch1 ? m.PeriodVAL : m.PeriodVAL2)->text(), QLatin1String(row.label));
            EXPECT_EQ(checkedPositions(verticalItems(m, channel)), std::vector<int>{row.position});
            const int bit = row.rangeBit[0] == '1' ? 1 : 0;
            const int expectedRange = ch1 ? (s.CH2RangeBit == "1" ? 2 : 0) | bit
                                          : (bit << 1) | (s.CH1RangeBit == "1" ? 1 : 0);
            EXPECT_EQ(rangeBits(nextFrame()[2]), expectedRange);
        }
    }
}

TEST_F(VoltsDivKnob, OneChannelsScaleNeverTouchesTheOther)
{
    Main& m = main();
    selectChannel(1);
    m.CWKnob1->setPosition(5);
    const double ch1Trigger = m.CWSlide3->pointerValue(1);
    const auto ch1Marks = checkedPositions(verticalItems(m, 1));
    selectChannel(2);
    m.CWKnob1->setPosition(2);
    EXPECT_EQ(m.state.VdivIndexCH1.toNumber(), 5);
    EXPECT_EQ(m.state.VdivCH1.toNumber(), 2.0);
    EXPECT_EQ(m.state.CH1RangeBit, "1");
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH1, 1.953125);
    EXPECT_EQ(m.PeriodVAL->text(), "2V");
    EXPECT_EQ(checkedPositions(verticalItems(m, 1)), ch1Marks);
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(1), ch1Trigger);
    EXPECT_EQ(m.state.VdivIndexCH2.toNumber(), 2);
    EXPECT_EQ(m.PeriodVAL2->text(), "200mV");
    EXPECT_EQ(rangeBits(nextFrame()[2]), 0b01);
}

TEST_F(VoltsDivKnob, TheAcquisitionSendsTheNewRange)
{
    Main& m = main();
    selectChannel(2);
    m.CWKnob1->setPosition(6);
    EXPECT_EQ(rangeBits(acquiredFrame()[2]), 0b10);
    m.CWButton1->setValue(false);
    selectChannel(1);
    m.CWKnob1->setPosition(4);
    EXPECT_EQ(rangeBits(acquiredFrame()[2]), 0b11);
}

TEST_F(VoltsDivKnob, TriggerPointerKeepsItsVoltageFromOneToTwoVolts)
{
    Main& m = main();
    selectChannel(1);
    m.CWKnob1->setPosition(4); // 1 V/div
    m.CWSlide4->setPointerValue(1, 20);
    m.CWSlide3->setPointerValue(1, 60); // 40 units from the zero line
    m.CWKnob1->setPosition(5);          // 2 V/div
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(1) - m.CWSlide4->pointerValue(1), 20.0);
    EXPECT_EQ(m.state.VdivOldCH1.toNumber(), 1.0);
}

TEST_F(VoltsDivKnob, FromHalfAVoltToOneVoltSwitchesTheRange)
{
    Main& m = main();
    selectChannel(1);
    m.CWKnob1->setPosition(3);
    EXPECT_EQ(m.state.CH1RangeBit, "0");
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH1, 1.5625);
    EXPECT_EQ(rangeBits(nextFrame()[2]), 0b00);
    m.CWKnob1->setPosition(4);
    EXPECT_EQ(m.state.CH1RangeBit, "1");
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH1, 3.90625);
    EXPECT_EQ(rangeBits(nextFrame()[2]), 0b01);
}

TEST_F(VoltsDivKnob, TheSamePositionAgainLeavesTheTriggerPointer)
{
    Main& m = main();
    selectChannel(2);
    m.CWKnob1->setPosition(4);
    m.CWSlide4->setPointerValue(2, -13);
    m.CWSlide3->setPointerValue(2, 27.5);
    m.voltsDiv->CWKnob1_PointerValueChanged(); // the handler once more at the same position
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(2), 27.5);
}

TEST_F(VoltsDivKnob, WithBothChannelsOffOnlyTheOldScalesAndTheTimerChange)
{
    Main& m = main();
    m.global.ActiveChannel = 1;
    m.state.VdivCH1 = 0.5;
    m.state.VdivCH2 = 2.0;
    m.TriggerTimer->setEnabled(false);
    m.CWKnob1->setPosition(6);
    EXPECT_TRUE(m.TriggerTimer->enabled());
    EXPECT_EQ(m.state.VdivOldCH1.toNumber(), 0.5);
    EXPECT_EQ(m.state.VdivOldCH2.toNumber(), 2.0);
    EXPECT_EQ(m.state.VdivCH1.toNumber(), 0.5);
    EXPECT_EQ(m.state.VdivIndex.toNumber(), 1);
    EXPECT_EQ(m.state.VdivIndexCH1.toNumber(), 1);
    EXPECT_EQ(m.PeriodVAL->text(), "100mV");
    EXPECT_TRUE(checkedPositions(verticalItems(m, 1)).empty());
}

TEST_F(VoltsDivKnob, WithTheReferenceSelectedOnlyTheKnobIndexChanges)
{
    Main& m = main();
    selectChannel(1);
    m.global.ActiveChannel = 5;
    m.CWKnob1->setPosition(4);
    EXPECT_EQ(m.state.VdivIndex.toNumber(), 4);
    EXPECT_EQ(m.state.VdivIndexCH1.toNumber(), 1);
    EXPECT_EQ(m.state.VdivCH1.toNumber(), 0.1);
    EXPECT_EQ(m.state.CH1RangeBit, "0");
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH1, 19.53125);
    EXPECT_EQ(m.PeriodVAL->text(), "100mV");
}

TEST_F(VoltsDivKnob, WhileZoomedTheShownChannelsReadZoomed)
{
    Main& m = main();
    selectChannel(2);
    selectChannel(1);
    m.state.IsZoomed = true;
    m.CWKnob1->setPosition(3);
    EXPECT_EQ(m.PeriodVAL->text(), "Zoomed");
    EXPECT_EQ(m.PeriodVAL2->text(), "Zoomed");
    EXPECT_EQ(m.state.VdivIndexCH1.toNumber(), 3); // the scale itself still changed
}

TEST_F(VoltsDivKnob, EveryChangeArmsTheTriggerTimer)
{
    Main& m = main();
    selectChannel(1);
    m.TriggerTimer->setEnabled(false);
    m.CWKnob1->setPosition(2);
    EXPECT_TRUE(m.TriggerTimer->enabled());
}

TEST_F(VoltsDivKnob, ReadOutsAreRefreshedByTheTimeDivRule)
{
    Main& m = main();
    if (!m.readOuts)
        GTEST_SKIP() << "no read-outs yet";
    enum Pass
    {
        Single,
        Dual,
        TwoChannel
    };
    struct Case
    {
        int timeDiv;
        bool bothShown;
        Pass expected;
    };
    const Case cases[] = {
        {1, false, Single}, {1, true, Dual}, {7, true, TwoChannel}, {14, false, TwoChannel}};
    // Different records in the arrays each variant reads, so that the read-outs tell them apart.
    m.global.Samples.CountsCH1.fill(-40);
    m.global.Samples.CountsCH2.fill(-10);
    m.global.Samples.Counts750CH1.fill(-90);
    m.global.Samples.Counts750CH2.fill(-70);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.timeDiv) + (c.bothShown ? " both" : " one"));
        selectChannel(1);
        m.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), c.bothShown);
        m.CWKnob2->setPosition(c.timeDiv);
        m.lblMAX->clear();
        m.CWKnob1->setPosition(m.CWKnob1->position() == 2 ? 3 : 2);
        const QString shown = m.lblMAX->text();
        EXPECT_FALSE(shown.isEmpty());
        m.lblMAX->clear();
        if (c.expected == Single)
            m.readOuts->UpdateReadoutsSingle();
        else if (c.expected == Dual)
            m.readOuts->Measure();
        else
            m.readOuts->UpdateReadouts();
        EXPECT_EQ(shown, m.lblMAX->text());
    }
}

// ---- The Vertical menu ------------------------------------------------------------------------

struct MenuRow
{
    QAction* Main::*item;
    int channel;
    int position;
};

const MenuRow MenuRows[] = {
    {&Main::mnuVCH1100mv, 1, 1}, {&Main::mnuVCH1200mV, 1, 2}, {&Main::mnuVCH1500mV, 1, 3},
    {&Main::mnuVch11V, 1, 4},    {&Main::mnuVch12V, 1, 5},    {&Main::mnuVCH15V, 1, 6},
    {&Main::mnuVch2100mV, 2, 1}, {&Main::mnuVch2200mV, 2, 2}, {&Main::mnuVch2500mV, 2, 3},
    {&Main::mnuVch21V, 2, 4},    {&Main::mnuVch22V, 2, 5},    {&Main::mnuVch25V, 2, 6},
};

TEST_F(VoltsDivKnob, EveryMenuItemSetsTheKnobOfItsChannel)
{
    Main& m = main();
    selectChannel(2);
    selectChannel(1);
    for (const MenuRow& row : MenuRows) {
        QAction* item = m.*row.item;
        SCOPED_TRACE(item->objectName().toStdString());
        m.global.ActiveChannel = row.channel; // selected as the channel button would
        m.CWKnob1->setPosition(row.position == 1 ? 2 : 1);
        item->trigger();
        EXPECT_EQ(m.CWKnob1->position(), row.position);
        const Variant& index = row.channel == 1 ? m.state.VdivIndexCH1 : m.state.VdivIndexCH2;
        EXPECT_EQ(index.toNumber(), row.position);
        EXPECT_EQ((row.channel == 1 ? m.PeriodVAL : m.PeriodVAL2)->text(),
                  QLatin1String(voltsDivSetting(row.position)->label));
        EXPECT_EQ(checkedPositions(verticalItems(m, row.channel)), std::vector<int>{row.position});
        EXPECT_FALSE((row.channel == 1 ? m.CH1Button : m.CH2Button)->value());
    }
}

TEST_F(VoltsDivKnob, AChannelTwoItemSelectsChannelTwoThroughItsButton)
{
    Main& m = main();
    if (!m.channels)
        GTEST_SKIP() << "channel buttons have no handler yet";
    selectChannel(2);
    selectChannel(1);
    m.mnuVch22V->trigger();
    EXPECT_EQ(m.global.ActiveChannel.toNumber(), 2);
    EXPECT_EQ(m.state.VdivIndexCH2.toNumber(), 5);
    EXPECT_EQ(m.state.VdivIndexCH1.toNumber(), 1);
    EXPECT_EQ(m.PeriodVAL2->text(), "2V");
}

} // namespace
} // namespace kv::test
