// The read-out strip measures the selected channel, on records whose two channels differ in
// amplitude, offset, frequency and volts/div.
#include "app/main_window.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "display/read_outs.h"
#include "support/main_fixture.h"

#include <QLabel>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kv {
namespace {

// A sine of `cycles` whole periods over the array, peak `amplitude` counts, around `mean`.
void fillSine(std::span<double> counts, double cycles, double amplitude, double mean)
{
    for (std::size_t i = 0; i < counts.size(); ++i)
        counts[i] = std::round(mean + amplitude * std::sin(2 * std::numbers::pi * cycles *
                                                           double(i) / double(counts.size())));
}

struct StripCase
{
    const char* name;
    int timeDiv; // CWKnob2 position; both traces shown
    int active;  // ActiveChannel
    // lblMIN, lblMAX, lblP2P, lblRMS, lblMnn, lblPrd, lblFrq
    std::vector<std::string> strip;
};

void PrintTo(const StripCase& c, std::ostream* os)
{
    *os << c.name;
}

class SelectedChannelReadOuts : public test::MainFixture,
                                public ::testing::WithParamInterface<StripCase>
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        Main& m = load();
        m.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
        m.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), true);
        // Channel 1 at 100 mV/div: 40 counts either side of zero. Channel 2 at 1 V/div: 10
        // counts either side of 20 counts below zero, at half the frequency.
        m.state.VdivIndexCH1 = 1;
        m.state.VdivIndexCH2 = 4;
        SampleArrays& s = m.global.Samples;
        fillSine(s.CountsCH1, 30, 40, 0);
        fillSine(s.CountsCH2, 15, 10, -20);
        fillSine(s.Counts750CH1, 30, 40, 0);
        fillSine(s.Counts750CH2, 15, 10, -20);
    }

    std::vector<std::string> strip()
    {
        Main& m = main();
        std::vector<std::string> texts;
        for (QLabel* l : {m.lblMIN, m.lblMAX, m.lblP2P, m.lblRMS, m.lblMnn, m.lblPrd, m.lblFrq})
            texts.push_back(l->text().toStdString());
        return texts;
    }
};

TEST_P(SelectedChannelReadOuts, StripShowsTheSelectedChannelAndThePanelsTheirOwn)
{
    const StripCase& c = GetParam();
    Main& m = main();
    m.CWKnob2->setPosition(c.timeDiv);
    m.global.ActiveChannel = c.active;
    // The knob shows the selected channel's range.
    m.state.VdivIndex = c.active == 1 ? 1 : 4;
    m.readOuts->UpdateForTimebase();
    EXPECT_EQ(strip(), c.strip);
    EXPECT_EQ(m.Max1->text().toStdString(), "628mV");
    EXPECT_EQ(m.Max2->text().toStdString(), "2.3 V");
    EXPECT_EQ(m.Min2->text().toStdString(), "768mV");
}

// At 1 ms/div (50 kS/s, 1500 points) channel 1 is a 1 kHz sine, channel 2 a 500 Hz one; at
// 50 us/div with both traces (500 kS/s, 750 points) 20 kHz and 10 kHz. A count reads minus
// 15.69 mV on channel 1 and minus 76.825 mV on channel 2: channel 2's 30 counts below zero are
// its maximum, 2.3 V, and its 10 below zero its minimum, 768 mV.
INSTANTIATE_TEST_SUITE_P(
    Records, SelectedChannelReadOuts,
    ::testing::Values(StripCase{"channel 1 at 1 ms/div",
                                5,
                                1,
                                {"-628mV", "628mV", "1.26 V", "444mV", "0mV", "1 mS", "1KHz"}},
                      StripCase{"channel 2 at 1 ms/div",
                                5,
                                2,
                                {"768mV", "2.3 V", "1.54 V", "1.63 V", "1.54 V", "2 mS", "500 Hz"}},
                      StripCase{"channel 1 at 50 us/div",
                                1,
                                1,
                                {"-628mV", "628mV", "1.26 V", "444mV", "0mV", "50 uS", "20KHz"}},
                      StripCase{
                          "channel 2 at 50 us/div",
                          1,
                          2,
                          {"768mV", "2.3 V", "1.54 V", "1.63 V", "1.54 V", "100 uS", "10KHz"}}));

} // namespace
} // namespace kv
