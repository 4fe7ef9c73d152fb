#include "display/rules/trace_statistics.h"
#include "spectrum/rules/spectrum_math.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace kv {
namespace {

constexpr WindowFunction kWindows[] = {WindowFunction::Rectangular, WindowFunction::Hann,
                                       WindowFunction::Hamming, WindowFunction::BlackmanHarris};

std::vector<double> Cosine(std::size_t length, double cycles, double amplitude, double offset = 0)
{
    std::vector<double> record(length);
    for (std::size_t n = 0; n < length; ++n) {
        record[n] =
            offset + amplitude * std::cos(2.0 * std::numbers::pi * cycles * static_cast<double>(n) /
                                          static_cast<double>(length));
    }
    return record;
}

struct WindowValues
{
    WindowFunction window;
    double atStart;   // w[0]
    double atQuarter; // w[N/4]
    double atMiddle;  // w[N/2]
};

TEST(SpectrumWindow, CoefficientsOfThePeriodicWindows)
{
    const std::vector<WindowValues> cases = {
        {WindowFunction::Rectangular, 1.0, 1.0, 1.0},
        {WindowFunction::Hann, 0.0, 0.5, 1.0},
        {WindowFunction::Hamming, 0.08, 0.54, 1.0},
        {WindowFunction::BlackmanHarris, 0.00006, 0.35875 - 0.14128, 1.0},
    };
    const std::size_t n = 1024;
    for (const auto& c : cases) {
        const auto w = ApplyWindow(std::vector<double>(n, 1.0), c.window);
        ASSERT_EQ(w.size(), n);
        EXPECT_NEAR(w[0], c.atStart, 1e-12);
        EXPECT_NEAR(w[n / 4], c.atQuarter, 1e-12);
        EXPECT_NEAR(w[n / 2], c.atMiddle, 1e-12);
        for (std::size_t i = 1; i < n; ++i) {
            ASSERT_NEAR(w[i], w[n - i], 1e-12) << i; // symmetric about N/2
        }
    }
}

TEST(SpectrumWindow, WindowScalesTheRecordAndKeepsItsLength)
{
    const std::vector<double> record = {2.0, -3.0, 4.0, 5.0};
    EXPECT_EQ(ApplyWindow(record, WindowFunction::Rectangular), record);
    const auto hann = ApplyWindow(record, WindowFunction::Hann);
    ASSERT_EQ(hann.size(), 4u);
    EXPECT_NEAR(hann[0], 0.0, 1e-15);
    EXPECT_NEAR(hann[1], -1.5, 1e-15);
    EXPECT_NEAR(hann[2], 4.0, 1e-15);
    EXPECT_NEAR(hann[3], 2.5, 1e-15);
    for (const auto window : kWindows) {
        EXPECT_TRUE(ApplyWindow({}, window).empty());
        EXPECT_EQ(ApplyWindow(std::vector<double>{3.0}, window).size(), 1u);
    }
}

TEST(Spectrum, SinePeaksAtItsBinWithEveryWindowAndLength)
{
    for (const std::size_t length : {512u, 750u, 1024u, 1500u}) {
        for (const auto window : kWindows) {
            for (const double cycles : {5.0, 37.0, 100.4, static_cast<double>(length) / 2 - 3}) {
                Spectrum s;
                const auto record = ApplyWindow(Cosine(length, cycles, 30.0, 10.0), window);
                ASSERT_EQ(ComputeSpectrum(record, 1e-6, s), SpectrumError::None);
                auto bins = s.bins;
                bins[0] = 0.0;
                EXPECT_EQ(Extremes(bins)->largestIndex, std::lround(cycles))
                    << length << " points, window " << static_cast<int>(window);
            }
        }
    }
}

TEST(Spectrum, BinCountBinWidthAndAmplitudeScaling)
{
    for (const std::size_t length : {512u, 751u, 1500u}) {
        Spectrum s;
        ASSERT_EQ(ComputeSpectrum(Cosine(length, 20.0, 30.0, -10.0), 4e-6, s), SpectrumError::None);
        ASSERT_EQ(s.bins.size(), length / 2 + 1);
        EXPECT_DOUBLE_EQ(s.df, 1.0 / (static_cast<double>(length) * 4e-6));
        EXPECT_NEAR(s.bins[0], 10.0, 1e-9);  // the constant part, as a magnitude
        EXPECT_NEAR(s.bins[20], 30.0, 1e-9); // peak amplitude of the sine
        EXPECT_NEAR(s.bins[19], 0.0, 1e-9);
    }
    // Hann halves an on-bin sine (its coherent gain); a sine at Nyquist reads its amplitude.
    Spectrum s;
    ComputeSpectrum(ApplyWindow(Cosine(1024, 64.0, 30.0), WindowFunction::Hann), 1e-6, s);
    EXPECT_NEAR(s.bins[64], 15.0, 1e-9);
    ComputeSpectrum(Cosine(1024, 512.0, 30.0), 1e-6, s);
    EXPECT_NEAR(s.bins[512], 30.0, 1e-9);
}

TEST(Spectrum, ConstantAndOneElementRecordsHaveOnlyTheConstantPart)
{
    for (const std::size_t length : {1u, 750u, 1024u, 1500u}) {
        Spectrum s;
        ASSERT_EQ(ComputeSpectrum(std::vector<double>(length, -3.7), 1e-6, s), SpectrumError::None);
        EXPECT_NEAR(s.bins[0], 3.7, 1e-12);
        for (std::size_t k = 1; k < s.bins.size(); ++k) {
            ASSERT_EQ(s.bins[k], 0.0) << length << " bin " << k;
        }
        EXPECT_DOUBLE_EQ(s.df, 1.0 / (static_cast<double>(length) * 1e-6));
    }
}

TEST(Spectrum, InvalidRequestsLeaveTheSpectrumAsItWas)
{
    const Spectrum before{{1.0, 2.0}, 5.0};
    const std::vector<double> record(64, 1.0);
    struct Case
    {
        std::vector<double> record;
        double dt;
        SpectrumError error;
    };
    const std::vector<Case> cases = {
        {{}, 1e-6, SpectrumError::EmptyRecord},
        {record, 0.0, SpectrumError::BadSampleInterval},
        {record, -1e-6, SpectrumError::BadSampleInterval},
        {record, std::numeric_limits<double>::quiet_NaN(), SpectrumError::BadSampleInterval},
        {record, std::numeric_limits<double>::infinity(), SpectrumError::BadSampleInterval},
    };
    for (const auto& c : cases) {
        Spectrum s = before;
        EXPECT_EQ(ComputeSpectrum(c.record, c.dt, s), c.error);
        EXPECT_EQ(s.bins, before.bins);
        EXPECT_EQ(s.df, before.df);
    }
}

TEST(FftPlans, OnePlanPerLengthReused)
{
    FftPlanCache plans;
    FftPlan& a = plans.planFor(1024);
    FftPlan& b = plans.planFor(512);
    EXPECT_NE(&a, &b);
    EXPECT_EQ(&plans.planFor(1024), &a);
    EXPECT_EQ(plans.planCount(), 2u);
    Spectrum s;
    ComputeSpectrum(std::vector<double>(1024, 1.0), 1e-6, s, plans);
    ComputeSpectrum(std::vector<double>(512, 1.0), 1e-6, s, plans);
    EXPECT_EQ(plans.planCount(), 2u);
    EXPECT_EQ(&FftPlanCache::shared(), &FftPlanCache::shared());
}

TEST(FftPlans, RejectsMismatchedLengths)
{
    FftPlanCache plans;
    EXPECT_THROW(plans.planFor(0), std::invalid_argument);
    EXPECT_EQ(plans.planCount(), 0u);
    EXPECT_THROW(plans.planFor(8).transform(std::vector<double>(7, 0.0)), std::invalid_argument);
}

struct ChoiceCase
{
    int channel;
    int position;
    bool bothShown;
    FftSource source;
    std::size_t first;
    std::size_t length;
    float sampleTime;
    int firstBin;
    int binCount;
};

TEST(SpectrumRecord, ChoiceByChannelPositionAndShownTraces)
{
    using S = FftSource;
    const std::vector<ChoiceCase> cases = {
        {1, 1, true, S::Counts750CH1, 119, 512, 2e-6f, 2, 254},
        {1, 1, false, S::CountsCH1, 237, 1024, 1e-6f, 2, 510},
        {1, 2, true, S::CountsCH1, 237, 1024, 2e-6f, 2, 510},
        {1, 7, false, S::CountsCH1, 237, 1024, 1e-4f, 2, 510},
        {1, 14, true, S::CountsCH1, 237, 1024, 2e-2f, 2, 510},
        {2, 1, true, S::Counts750CH2, 119, 512, 2e-6f, 2, 254},
        {2, 1, false, S::CountsCH1, 237, 1024, 1e-6f, 2, 510},
        {2, 3, false, S::CountsCH2, 237, 1024, 4e-6f, 2, 510},
        {2, 7, true, S::CountsCH2, 237, 1024, 1e-4f, 0, 512},
        {2, 13, false, S::CountsCH2, 237, 1024, 1e-2f, 2, 510},
    };
    for (const auto& c : cases) {
        const auto choice = ChooseFftRecord(c.channel, c.position, c.bothShown);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(choice->source, c.source) << c.channel << " at " << c.position;
        EXPECT_EQ(choice->first, c.first);
        EXPECT_EQ(choice->length, c.length);
        EXPECT_EQ(choice->sampleTime, c.sampleTime);
        EXPECT_EQ(choice->firstBin, c.firstBin);
        EXPECT_EQ(choice->binCount, c.binCount);
    }
    EXPECT_FALSE(ChooseFftRecord(0, 3, false).has_value());
    EXPECT_FALSE(ChooseFftRecord(5, 3, false).has_value());
    EXPECT_FALSE(ChooseFftRecord(1, 0, false).has_value());
    EXPECT_FALSE(ChooseFftRecord(1, 15, false).has_value());
}

TEST(SpectrumRecord, ShownBinsLieInsideTheSpectrum)
{
    for (const int channel : {1, 2}) {
        for (int position = 1; position <= 14; ++position) {
            for (const bool both : {false, true}) {
                const auto choice = *ChooseFftRecord(channel, position, both);
                ASSERT_LE(choice.first + choice.length, choice.length == 512 ? 750u : 1500u);
                Spectrum s;
                ComputeSpectrum(std::vector<double>(choice.length, 1.0), choice.sampleTime, s);
                const auto shown = Subset(s.bins, static_cast<std::size_t>(choice.firstBin),
                                          static_cast<std::size_t>(choice.binCount));
                ASSERT_TRUE(shown.has_value()) << channel << " at " << position;
            }
        }
    }
}

TEST(SpectrumCursor, ReadoutTextRounding)
{
    const std::vector<std::pair<double, std::string>> cases = {
        {999.5, "1000 Hz"},
        {1234.5, "1.234 kHz"},
        {1235.5, "1.236 kHz"},
        {999.4, "999 Hz"},
        {1000.0, "1 kHz"},
        {1500.0, "1.5 kHz"},
        {250000.2, "250 kHz"},
        {0.0, "0 Hz"},
        {0.5, "0 Hz"},
        {1.5, "2 Hz"},
        {-0.4, "0 Hz"},
        {12.5, "12 Hz"},
        {488281.25, "488.281 kHz"},
    };
    for (const auto& [x, text] : cases) {
        EXPECT_EQ(CursorFrequencyText(true, x), text) << x;
    }
    EXPECT_EQ(CursorFrequencyText(false, 1234.5), "0.000 Hz");
    EXPECT_EQ(CursorFrequencyText(false, 0.0), "0.000 Hz");
}

} // namespace
} // namespace kv
