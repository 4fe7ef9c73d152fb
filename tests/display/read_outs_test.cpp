#include "app/main_window.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "display/read_outs.h"
#include "support/main_fixture.h"

#include <QLabel>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <span>

namespace kv {
namespace {

using test::MainFixture;

// ---- Tables ---------------------------------------------------------------------------------

TEST(SampleRateTable, CaptionsAndRatesByPosition)
{
    struct Row
    {
        int position;
        bool both;
        const char* caption;
        int rate;
    };
    const Row rows[] = {
        {1, false, "1M s/S", 1000000},  {1, true, "500K s/S", 1000000},
        {2, false, "500K s/S", 500000}, {3, true, "250K s/S", 250000},
        {4, false, "100K s/S", 100000}, {5, false, "50K s/S", 50000},
        {6, false, "25K s/S", 25000},   {7, false, "10K s/S", 10000},
        {8, false, "5K s/S", 5000},     {9, false, "2.5K s/S", 2500},
        {10, false, "1K s/S", 1000},    {11, false, "500 s/S", 500},
        {12, false, "250 s/S", 250},    {13, false, "100 s/S", 100},
        {14, true, "50 s/S", 50},
    };
    for (const Row& row : rows) {
        const auto entry = SampleRateForPosition(row.position, row.both);
        ASSERT_TRUE(entry) << row.position;
        EXPECT_EQ(entry->caption, row.caption) << row.position;
        EXPECT_EQ(entry->rate, row.rate) << row.position;
    }
    EXPECT_FALSE(SampleRateForPosition(0, false));
    EXPECT_FALSE(SampleRateForPosition(15, false));
}

TEST(VoltsPerCountTables, ChannelAndReference)
{
    EXPECT_EQ(MeasVoltsPerCountFor(1), 0.01569f);
    EXPECT_EQ(MeasVoltsPerCountFor(3), 0.01569f);
    EXPECT_EQ(MeasVoltsPerCountFor(4), 0.076825f);
    EXPECT_EQ(MeasVoltsPerCountFor(6), 0.076825f);
    EXPECT_FALSE(MeasVoltsPerCountFor(0));
    EXPECT_FALSE(MeasVoltsPerCountFor(7));
    EXPECT_FALSE(MeasVoltsPerCountFor(Variant()));

    EXPECT_EQ(RefVoltsPerCount("100mV"), 0.01569f);
    EXPECT_EQ(RefVoltsPerCount("500mV"), 0.01569f);
    EXPECT_EQ(RefVoltsPerCount("1V"), 0.076825f);
    EXPECT_EQ(RefVoltsPerCount("5V"), 0.076825f);
    EXPECT_FALSE(RefVoltsPerCount("1v"));
    EXPECT_FALSE(RefVoltsPerCount("Autoscale"));
    EXPECT_FALSE(RefVoltsPerCount(Variant()));
}

TEST(ReferenceRateTable, ExactTextsOnly)
{
    EXPECT_EQ(RefSampleRate("50uS"), 1000000);
    EXPECT_EQ(RefSampleRate("1mS"), 50000);
    EXPECT_EQ(RefSampleRate("20mS"), 2500);
    EXPECT_EQ(RefSampleRate("1S"), 50);
    EXPECT_FALSE(RefSampleRate("1ms"));
    EXPECT_FALSE(RefSampleRate("50us"));
    EXPECT_FALSE(RefSampleRate(""));
}

TEST(Mean2Rule, ThreeDecimalsCutToSixCharactersAndNegated)
{
    EXPECT_DOUBLE_EQ(Mean2Value(0.4707), -0.471);
    EXPECT_DOUBLE_EQ(Mean2Value(-0.4707), 0.471);
    EXPECT_DOUBLE_EQ(Mean2Value(12.3456), -12.346);
    EXPECT_DOUBLE_EQ(Mean2Value(1234.5678), -1234.5); // "1234.568" cut to "1234.5"
    EXPECT_DOUBLE_EQ(Mean2Value(-12.3456), 12.34);    // "-12.346" cut to "-12.34"
    const double zero = Mean2Value(0.0003);
    EXPECT_EQ(zero, 0.0);
    EXPECT_FALSE(std::signbit(zero)); // reaches the formatter as 0, not -0
}

// ---- The updates ----------------------------------------------------------------------------

class ReadOutsTest : public MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        Main& w = load();
        ASSERT_NE(w.readOuts, nullptr);
        w.CWKnob2->setPosition(2);
        setShown(true, true);
        w.state.VdivIndex = 1;
        w.state.VdivIndexCH1 = 1;
        w.state.VdivIndexCH2 = 1;
        w.global.ActiveChannel = 1;
    }

    Main& w() { return main(); }
    ReadOuts& readOuts() { return *main().readOuts; }

    void setShown(bool ch1, bool ch2)
    {
        w().CWGraph1->setPlotVisible(QStringLiteral("PCH1"), ch1);
        w().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), ch2);
    }

    // A sine of `cycles` whole periods over the array, peak `amplitude` counts, around `mean`.
    static void fillSine(std::span<double> counts, double cycles, double amplitude,
                         double mean = 0.0)
    {
        for (std::size_t i = 0; i < counts.size(); ++i)
            counts[i] = std::round(mean + amplitude * std::sin(2 * std::numbers::pi * cycles *
                                                               double(i) / counts.size()));
    }

    // Largest count 30, smallest -40.
    static void fillExample(std::span<double> counts)
    {
        fillSine(counts, 10, 5);
        counts[100] = 30;
        counts[200] = -40;
    }

    static std::vector<QString> texts(std::initializer_list<QLabel*> labels)
    {
        std::vector<QString> result;
        for (QLabel* label : labels)
            result.push_back(label->text());
        return result;
    }
    std::vector<QString> selected()
    {
        return texts(
            {w().lblMIN, w().lblMAX, w().lblP2P, w().lblRMS, w().lblMnn, w().lblPrd, w().lblFrq});
    }
    std::vector<QString> panel1()
    {
        return texts({w().Min1, w().Max1, w().P2P1, w().RMS1, w().Mean1, w().Prd1, w().Frq1});
    }
    std::vector<QString> panel2()
    {
        return texts({w().Min2, w().Max2, w().P2P2, w().RMS2, w().Mean2, w().Prd2, w().Frq2});
    }
    static std::vector<QString> dashes() { return std::vector<QString>(7, QStringLiteral("-")); }
};

TEST_F(ReadOutsTest, LargestAndSmallestCountGiveMinimumMaximumAndPeakToPeak)
{
    fillExample(w().global.Samples.CountsCH1);
    readOuts().UpdateReadouts();
    EXPECT_EQ(w().lblMIN->text(), "-471mV");
    EXPECT_EQ(w().lblMAX->text(), "628mV");
    EXPECT_EQ(w().lblP2P->text(), "1.1 V");
    EXPECT_EQ(w().Min1->text(), "-471mV");
    EXPECT_EQ(w().Max1->text(), "628mV");
    EXPECT_EQ(w().P2P1->text(), "1.1 V");
    EXPECT_EQ(w().TimeVal->text(), "500K s/S");
}

TEST_F(ReadOutsTest, PeriodAndFrequencyFromTheSampleRateOfTheKnob)
{
    // 1 ms/div: 50 kS/s; 30 cycles in 1500 samples are 1 kHz.
    w().CWKnob2->setPosition(5);
    fillSine(w().global.Samples.CountsCH1, 30, 50);
    fillSine(w().global.Samples.CountsCH2, 15, 50);
    readOuts().UpdateReadouts();
    EXPECT_EQ(w().TimeVal->text(), "50K s/S");
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
    EXPECT_EQ(w().lblPrd->text(), "1 mS");
    EXPECT_EQ(w().Frq1->text(), "1KHz");
    EXPECT_EQ(w().Frq2->text(), "500 Hz");
    EXPECT_EQ(w().Prd2->text(), "2 mS");
    // The estimate of the last trace measured stays.
    EXPECT_DOUBLE_EQ(w().state.FreqEstimate, 500.0);
}

TEST_F(ReadOutsTest, RmsAndMeanOfTheCounts)
{
    auto& c = w().global.Samples.CountsCH1;
    c.fill(-30); // 30 counts below zero: +0.4707 V
    readOuts().UpdateReadouts();
    EXPECT_EQ(w().lblRMS->text(), "471mV");
    EXPECT_EQ(w().lblMnn->text(), "471mV");
    EXPECT_EQ(w().lblFrq->text(), "0 Hz"); // a flat record has no frequency
    EXPECT_EQ(w().lblPrd->text(), "0 uS");
}

TEST_F(ReadOutsTest, HiddenTraceShowsDashesWhileTheOthersUpdate)
{
    setShown(true, false);
    fillExample(w().global.Samples.CountsCH1);
    readOuts().UpdateReadouts();
    EXPECT_EQ(panel2(), dashes());
    EXPECT_EQ(w().Min1->text(), "-471mV");
    EXPECT_EQ(w().lblMIN->text(), "-471mV");

    setShown(false, true);
    readOuts().UpdateReadouts();
    EXPECT_EQ(panel1(), dashes());
    EXPECT_NE(w().Min2->text(), "-");
}

TEST_F(ReadOutsTest, NoSelectedTraceKeepsTheSelectedLabels)
{
    fillExample(w().global.Samples.CountsCH1);
    readOuts().UpdateReadouts();
    const auto before = selected();
    w().global.ActiveChannel = 0;
    w().global.Samples.CountsCH1.fill(0);
    w().CWKnob2->setPosition(14);
    readOuts().UpdateReadouts();
    EXPECT_EQ(selected(), before);
    EXPECT_EQ(w().TimeVal->text(), "50 s/S");
    EXPECT_EQ(w().Min1->text(), "0mV");
}

TEST_F(ReadOutsTest, EachPanelUsesItsChannelsVoltsPerCount)
{
    fillExample(w().global.Samples.CountsCH1);
    fillExample(w().global.Samples.CountsCH2);
    w().state.VdivIndexCH2 = 4;
    w().global.ActiveChannel = 2;
    w().state.VdivIndex = 4;
    readOuts().UpdateReadouts();
    EXPECT_EQ(w().Max1->text(), "628mV");
    EXPECT_EQ(w().Max2->text(), "3.07 V"); // 40 x 0.076825
    EXPECT_EQ(w().lblMAX->text(), "3.07 V");
    EXPECT_FLOAT_EQ(w().state.MeasVoltsPerCount, 0.076825f); // the CH2 value is left
}

TEST_F(ReadOutsTest, ReferenceUsesItsOwnScaleAndRateForAllLabels)
{
    // Knob at 1 s/div (50 S/s), reference taken at 1 ms/div (50 kS/s).
    w().CWKnob2->setPosition(14);
    w().global.ActiveChannel = 5;
    w().state.VREFLabel = "1V";
    w().state.HREFLabel = "1mS";
    fillExample(w().state.REFCounts);
    fillSine(w().state.REFCounts, 30, 5);
    w().state.REFCounts[7] = -40;
    fillSine(w().global.Samples.CountsCH1, 30, 50);
    fillSine(w().global.Samples.CountsCH2, 30, 50);
    readOuts().UpdateReadouts();
    EXPECT_FLOAT_EQ(w().state.VoltsPerCount, 0.076825f);
    EXPECT_EQ(w().lblMAX->text(), "3.07 V");
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
    EXPECT_EQ(w().Frq1->text(), "1KHz");
    EXPECT_EQ(w().Frq2->text(), "1KHz");
    EXPECT_EQ(w().TimeVal->text(), "50 s/S");
}

TEST_F(ReadOutsTest, ReferenceWithAnUnknownVoltsLabelKeepsTheLastVoltsPerCount)
{
    w().global.ActiveChannel = 5;
    w().state.VoltsPerCount = 0.01569f;
    w().state.VREFLabel = "Autoscale";
    w().state.HREFLabel = "1mS";
    w().state.REFCounts.fill(0);
    w().state.REFCounts[3] = -40;
    readOuts().UpdateReadouts();
    EXPECT_FLOAT_EQ(w().state.VoltsPerCount, 0.01569f);
    EXPECT_EQ(w().lblMAX->text(), "628mV");
}

TEST_F(ReadOutsTest, SingleChannelRecordFillsPanelAndSelectedLabelsFromTheChannel1Arrays)
{
    // Channel 2 alone at 50 us/div: its samples are in CountsCH1.
    w().CWKnob2->setPosition(1);
    setShown(false, true);
    w().global.ActiveChannel = 0;
    w().state.VdivIndex = 1;
    w().state.VdivIndexCH2 = 4;
    fillExample(w().global.Samples.CountsCH1);
    w().global.Samples.CountsCH2.fill(0);
    readOuts().UpdateReadoutsSingle();
    EXPECT_EQ(w().TimeVal->text(), "1M s/S");
    EXPECT_EQ(panel1(), dashes());
    EXPECT_EQ(w().Max2->text(), "3.07 V");
    EXPECT_EQ(w().lblMAX->text(), "628mV");
}

TEST_F(ReadOutsTest, SingleChannelRecordWithDoubledReferenceUsesTheReferenceForSelectedLabels)
{
    w().CWKnob2->setPosition(1);
    setShown(true, false);
    w().global.ActiveChannel = 5;
    w().state.REFDualChannel = true;
    w().state.VREFLabel = "100mV";
    w().state.HREFLabel = "1mS";
    fillSine(w().state.REFCounts, 30, 5);
    w().state.REFCounts[9] = -40;
    w().global.Samples.CountsCH1.fill(0);
    readOuts().UpdateReadoutsSingle();
    EXPECT_EQ(w().lblMAX->text(), "628mV");
    EXPECT_EQ(w().lblPrd->text(), "1 mS");
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
}

TEST_F(ReadOutsTest, MeasureWorksOn750PointsAt500kSamplesPerSecond)
{
    w().CWKnob2->setPosition(1);
    // 15 cycles in 750 samples at 2 us: 10 kHz.
    fillSine(w().global.Samples.Counts750CH1, 15, 5);
    fillSine(w().global.Samples.Counts750CH2, 75, 50);
    w().global.Samples.Counts750CH1[10] = -40;
    readOuts().Measure();
    EXPECT_EQ(w().TimeVal->text(), "500K s/S");
    EXPECT_EQ(w().lblFrq->text(), "10KHz");
    EXPECT_EQ(w().lblPrd->text(), "100 uS");
    EXPECT_EQ(w().lblMAX->text(), "628mV");
    EXPECT_EQ(w().Frq2->text(), "50KHz");
    EXPECT_EQ(w().Prd2->text(), "20 uS");
}

TEST_F(ReadOutsTest, FailedSpectrumRequestIsReportedAndTheEstimateGoesOn)
{
    const std::size_t asked = dialogs().requests().size();
    dialogs().answer(MsgResult::OK);
    w().state.FreqEstimate = 123;
    readOuts().MeasureFrequency({}, 1e-6);
    ASSERT_EQ(dialogs().requests().size(), asked + 1);
    EXPECT_EQ(dialogs().last().text, "Analysis Error: 1");
    EXPECT_EQ(dialogs().last().buttons, MsgButtons::OK);
    EXPECT_EQ(w().state.FreqEstimate, 0.0);
}

} // namespace
} // namespace kv
