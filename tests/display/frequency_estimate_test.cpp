#include "display/frequency_estimate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace kv {
namespace {

// length samples of offset + amplitude * sin at cycles periods per record.
std::vector<double> Sine(std::size_t length, double cycles, double amplitude, double offset = 0.0)
{
    std::vector<double> record(length);
    for (std::size_t n = 0; n < length; ++n) {
        const double phase =
            2.0 * std::numbers::pi * cycles * static_cast<double>(n) / static_cast<double>(length);
        record[n] = offset + amplitude * std::sin(phase + 0.3);
    }
    return record;
}

struct EstimateCase
{
    std::size_t length;
    double dt;
    double cycles;
    double offset;
    std::size_t expectedBin;
};

TEST(FrequencyEstimate, PeakBinTimesBinWidth)
{
    const std::vector<EstimateCase> cases = {
        {1500, 1e-6, 37.0, 0.0, 37},   // 1 MS/s, on a bin
        {1500, 2e-6, 37.3, 0.0, 37},   // between bins: the nearer one
        {1500, 2e-5, 249.6, 0.0, 250}, // 50 kS/s
        {750, 2e-6, 12.0, 0.0, 12},    // both channels at 500 kS/s
        {1500, 1e-3, 10.0, 120.0, 10}, // constant part larger than the sine: searched again
        {1500, 1e-6, 2.0, -200.0, 2},  // bin 2 behind a large constant part
        {1500, 1e-6, 749.0, 0.0, 749},
    };
    for (const auto& c : cases) {
        Spectrum held;
        const auto m = MeasureFrequency(Sine(c.length, c.cycles, 40.0, c.offset), c.dt, held);
        EXPECT_EQ(m.error, SpectrumError::None);
        const double df = 1.0 / (static_cast<double>(c.length) * c.dt);
        EXPECT_DOUBLE_EQ(held.df, df);
        EXPECT_DOUBLE_EQ(m.estimate, static_cast<double>(c.expectedBin) * df)
            << c.length << " points, " << c.cycles << " cycles";
    }
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
    EXPECT_EQ(m.estimate, 20.0); // bin 0 cleared, bin 2 of the held spectrum

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
