#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "display/read_outs.h"
#include "link/acquisition.h"
#include "support/main_fixture.h"

#include <QLabel>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>
#include <ostream>
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
    // The spike of the small sine moves the refined estimate a little above 10 kHz.
    EXPECT_TRUE(w().lblPrd->text() == "100 uS" || w().lblPrd->text() == "99.9 uS")
        << w().lblPrd->text().toStdString();
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

// ---- The read-outs of sines from the simulated instrument ------------------------------------

// The number a frequency read-out stands for: "1.23KHz", "500 Hz", "1MHz".
double hertzOf(const QString& text)
{
    const std::pair<const char*, double> units[] = {
        {"GHz", 1e9}, {"MHz", 1e6}, {"KHz", 1e3}, {" Hz", 1.0}};
    for (const auto& [unit, factor] : units)
        if (text.endsWith(QLatin1String(unit)))
            return text.chopped(int(std::strlen(unit))).toDouble() * factor;
    return std::nan("");
}

// The seconds a period read-out stands for: "5.1 uS", "1.23 mS", "2  S".
double secondsOf(const QString& text)
{
    const std::pair<const char*, double> units[] = {{" uS", 1e-6}, {" mS", 1e-3}, {"  S", 1.0}};
    for (const auto& [unit, factor] : units)
        if (text.endsWith(QLatin1String(unit)))
            return text.chopped(int(std::strlen(unit))).toDouble() * factor;
    return std::nan("");
}

struct SineCase
{
    int timeDiv;  // CWKnob2 position
    bool both;    // both traces shown (at 50 us/div: 750 points a channel at 500 kS/s)
    double hertz; // channel 1's sine; channel 2 has 1.37 times the frequency
};

void PrintTo(const SineCase& c, std::ostream* os)
{
    *os << "position " << c.timeDiv << (c.both ? ", both traces, " : ", one trace, ") << c.hertz
        << " Hz";
}

class SimulatedSineReadOuts : public MainFixture, public ::testing::WithParamInterface<SineCase>
{
};

// Every sine with two periods or more in the record reads within 1 % of its frequency, in the
// frequency and the period read-outs of the selected trace and of both panels.
TEST_P(SimulatedSineReadOuts, FrequencyAndPeriodReadWithinOnePercent)
{
    const SineCase& c = GetParam();
    dialogs().answer(MsgResult::No); // the first start offers the probe calibration
    Main& w = load();
    dialogs().clear();
    instrument().setHonourChannelEnable(false);
    instrument().setSignal(1, {SimWaveform::Sine, c.hertz, 0.5, 0.1});
    instrument().setSignal(2, {SimWaveform::Sine, c.hertz * 1.37, 0.4, -0.2});
    w.global.ModelGainLo = w.global.ModelGainHi = 1.0f;
    w.global.ATTFactorCH1 = w.global.ATTFactorCH2 = 1.0f;
    w.state.CalOffsetCH1Lo = 0;
    w.state.CalOffsetCH2Lo = 0;
    w.state.VdivIndex = w.state.VdivIndexCH1 = w.state.VdivIndexCH2 = 2;
    w.global.ActiveChannel = 1;
    w.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
    w.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), c.both);
    w.CWKnob2->setPosition(c.timeDiv);
    w.CWButton4->setValue(true); // single
    w.CWButton1->setValue(true);
    w.acquisition->Timer1_Timer();
    ASSERT_FALSE(w.CWButton1->value()) << "no record";
    const auto expectWithin = [](const QString& text, double value, double expected) {
        EXPECT_NEAR(value, expected, 0.01 * expected) << text.toStdString();
    };
    expectWithin(w.lblFrq->text(), hertzOf(w.lblFrq->text()), c.hertz);
    expectWithin(w.lblPrd->text(), secondsOf(w.lblPrd->text()), 1.0 / c.hertz);
    expectWithin(w.Frq1->text(), hertzOf(w.Frq1->text()), c.hertz);
    expectWithin(w.Prd1->text(), secondsOf(w.Prd1->text()), 1.0 / c.hertz);
    if (c.both || c.timeDiv != 1) {
        expectWithin(w.Frq2->text(), hertzOf(w.Frq2->text()), 1.37 * c.hertz);
        expectWithin(w.Prd2->text(), secondsOf(w.Prd2->text()), 1.0 / (1.37 * c.hertz));
    }
}

// Frequencies of 2 to some 100 periods a record at each time/div: the fastest with one and
// with both traces, and then 100 us to 1 s per division. (Below 1 Hz the read-out's four
// characters, "0.13 Hz", hold only two digits.)
INSTANTIATE_TEST_SUITE_P(Sines, SimulatedSineReadOuts,
                         ::testing::Values(SineCase{1, false, 1500.0}, SineCase{1, false, 2000.0},
                                           SineCase{1, false, 37000.0}, SineCase{1, true, 1500.0},
                                           SineCase{1, true, 2000.0}, SineCase{1, true, 51000.0},
                                           SineCase{2, true, 1000.0}, SineCase{2, true, 12300.0},
                                           SineCase{4, true, 500.0}, SineCase{4, true, 2220.0},
                                           SineCase{5, true, 1000.0}, SineCase{7, true, 10.0},
                                           SineCase{7, true, 333.0}, SineCase{10, true, 2.0},
                                           SineCase{10, true, 47.0}, SineCase{14, true, 1.1},
                                           SineCase{14, true, 1.7}));

} // namespace
} // namespace kv
