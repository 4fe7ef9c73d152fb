#include "display/rules/frequency_estimate.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace kv {
namespace {

// length samples of offset + amplitude * sin at cycles periods per record, rounded to whole
// counts as the instrument's samples are.
std::vector<double> Sine(std::size_t length, double cycles, double amplitude, double offset = 0.0,
                         double phase = 0.3)
{
    std::vector<double> record(length);
    for (std::size_t n = 0; n < length; ++n) {
        const double angle =
            2.0 * std::numbers::pi * cycles * static_cast<double>(n) / static_cast<double>(length);
        record[n] = std::nearbyint(offset + amplitude * std::sin(angle + phase));
    }
    return record;
}

// A square wave of the same form.
std::vector<double> Square(std::size_t length, double cycles, double amplitude)
{
    std::vector<double> record = Sine(length, cycles, 1.0, 0.0, 0.3);
    for (std::size_t n = 0; n < length; ++n) {
        const double angle =
            2.0 * std::numbers::pi * cycles * static_cast<double>(n) / static_cast<double>(length);
        record[n] = std::sin(angle + 0.3) >= 0 ? amplitude : -amplitude;
    }
    return record;
}

struct EstimateCase
{
    std::size_t length;
    double dt;
    double cycles;
    double offset;
};

// Between the bins, on them, behind a large constant part, at the fastest and the slowest
// rates: the estimate lies within 0.2 % of the sine's frequency from two periods on.
TEST(FrequencyEstimate, PeakIsRefinedBetweenTheBins)
{
    const std::vector<EstimateCase> cases = {
        {1500, 1e-6, 37.0, 0.0},   // 1 MS/s, on a bin
        {1500, 2e-6, 37.3, 0.0},   // between bins
        {1500, 2e-6, 37.5, 0.0},   // half way
        {1500, 2e-5, 249.6, 0.0},  // 50 kS/s
        {750, 2e-6, 12.0, 0.0},    // both channels at 500 kS/s
        {750, 2e-6, 3.0, 0.0},     // 2 kHz at 50 us/div with both channels
        {1500, 1e-5, 7.5, 0.0},    // 500 Hz at 500 us/div
        {1500, 1e-3, 10.0, 120.0}, // constant part larger than the sine
        {1500, 1e-6, 2.0, -100.0}, // two periods behind a large constant part
        {1500, 1e-6, 2.25, 60.0},  {750, 2e-6, 2.0, 30.0}, {1500, 0.02, 2.7, 0.0}, // 1 s/div
        {1500, 1e-6, 700.3, 0.0}, // near the top of the spectrum
    };
    for (const auto& c : cases) {
        for (const double phase : {0.0, 0.3, 1.4, 2.9}) {
            Spectrum held;
            const auto m =
                MeasureFrequency(Sine(c.length, c.cycles, 40.0, c.offset, phase), c.dt, held);
            EXPECT_EQ(m.error, SpectrumError::None);
            const double df = 1.0 / (static_cast<double>(c.length) * c.dt);
            EXPECT_DOUBLE_EQ(held.df, df);
            const double frequency = c.cycles * df;
            EXPECT_NEAR(m.estimate, frequency, 0.002 * frequency)
                << c.length << " points, " << c.cycles << " cycles, phase " << phase;
        }
    }
}

TEST(FrequencyEstimate, EveryFractionOfABinFromTwoPeriodsOn)
{
    double worst = 0.0;
    for (const std::size_t length : {750u, 1500u}) {
        for (double cycles = 2.0; cycles < 40.0; cycles += 0.05) {
            Spectrum held;
            const auto m = MeasureFrequency(Sine(length, cycles, 20.0, 5.0), 1e-6, held);
            const double frequency = cycles * held.df;
            worst = std::max(worst, std::abs(m.estimate - frequency) / frequency);
        }
    }
    EXPECT_LT(worst, 0.005);
}

TEST(FrequencyEstimate, SquareWaveReadsItsFundamental)
{
    // 500 Hz at 100 kS/s: 7.5 periods in the record, once read as bin 8 (533 Hz).
    Spectrum held;
    const auto m = MeasureFrequency(Square(1500, 7.5, 30.0), 1e-5, held);
    EXPECT_NEAR(m.estimate, 500.0, 2.5);
}

TEST(FrequencyEstimate, FundamentalInBinOneGivesZero)
{
    Spectrum held;
    EXPECT_EQ(MeasureFrequency(Sine(1500, 1.0, 40.0), 1e-6, held).estimate, 0.0);
    EXPECT_EQ(MeasureFrequency(Sine(1500, 1.0, 40.0, 500.0), 1e-6, held).estimate, 0.0);
}

TEST(FrequencyEstimate, FlatRecordsGiveZero)
{
    Spectrum held;
    for (const double level : {0.0, 2.0, -37.25, 255.0}) {
        for (const std::size_t length : {1500u, 750u, 1u}) {
            const auto m = MeasureFrequency(std::vector<double>(length, level), 1e-6, held);
            EXPECT_EQ(m.error, SpectrumError::None);
            EXPECT_EQ(m.estimate, 0.0) << level << " x " << length;
        }
    }
}

TEST(FrequencyEstimate, FailedRequestKeepsHeldSpectrumAndReportsError)
{
    Spectrum held{{9.0, 1.0, 5.0, 2.0}, 10.0};
    auto m = MeasureFrequency(Sine(1500, 37.0, 40.0), 0.0, held);
    EXPECT_EQ(m.error, SpectrumError::BadSampleInterval);
    EXPECT_EQ(held.df, 10.0);
    EXPECT_EQ(m.estimate, 20.0); // bin 0 cleared, bin 2 of the held spectrum, not refined

    m = MeasureFrequency({}, 1e-6, held);
    EXPECT_EQ(m.error, SpectrumError::EmptyRecord);
    EXPECT_EQ(m.estimate, 20.0);

    Spectrum none;
    m = MeasureFrequency({}, 1e-6, none);
    EXPECT_EQ(m.error, SpectrumError::EmptyRecord);
    EXPECT_EQ(m.estimate, 0.0);
}

TEST(FrequencyEstimate, PlansAreMadeOncePerLength)
{
    FftPlanCache plans;
    Spectrum held;
    const auto record = Sine(1500, 37.0, 40.0);
    MeasureFrequency(record, 1e-6, held, plans);
    const FftPlan* first = &plans.planFor(1500);
    MeasureFrequency(record, 2e-6, held, plans);
    EXPECT_EQ(plans.planCount(), 1u);
    EXPECT_EQ(&plans.planFor(1500), first);
    MeasureFrequency(Sine(750, 12.0, 40.0), 2e-6, held, plans);
    EXPECT_EQ(plans.planCount(), 2u);
    EXPECT_EQ(&plans.planFor(1500), first);
}

} // namespace
} // namespace kv
