#include "display/rules/trace_statistics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <vector>

namespace kv {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ExtremesCase
{
    std::vector<double> values;
    double largest;
    std::size_t largestIndex;
    double smallest;
    std::size_t smallestIndex;
};

TEST(TraceStatistics, ExtremesReportValuesAndFirstIndexOnTies)
{
    const std::vector<ExtremesCase> cases = {
        {{5.0}, 5.0, 0, 5.0, 0},
        {{3.0, -1.0, 7.0, 7.0, -1.0}, 7.0, 2, -1.0, 1},
        {{0.0, 0.0, 0.0}, 0.0, 0, 0.0, 0},
        {{-4.0, 30.0, -40.0, 12.0}, 30.0, 1, -40.0, 2},
        {{kNaN, 1.0, 3.0, kNaN}, 3.0, 2, 1.0, 1},
    };
    for (const auto& c : cases) {
        const auto e = Extremes(c.values);
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->largest, c.largest);
        EXPECT_EQ(e->largestIndex, c.largestIndex);
        EXPECT_EQ(e->smallest, c.smallest);
        EXPECT_EQ(e->smallestIndex, c.smallestIndex);
    }
}

TEST(TraceStatistics, EmptyArraysHaveNoExtremesRmsOrMeanAndSumZero)
{
    const std::vector<double> empty;
    EXPECT_FALSE(Extremes(empty).has_value());
    EXPECT_FALSE(TrueRms(empty).has_value());
    EXPECT_FALSE(Mean(empty).has_value());
    EXPECT_FALSE(ComputeTraceReadouts(empty, 0.01569f).has_value());
    EXPECT_EQ(Sum(std::span<const double>(empty)), 0.0);
}

TEST(TraceStatistics, TrueRmsIsRootOfMeanSquareAndMeanIsArithmetic)
{
    EXPECT_DOUBLE_EQ(*TrueRms(std::vector<double>{3.0, -4.0}), std::sqrt(12.5));
    EXPECT_DOUBLE_EQ(*TrueRms(std::vector<double>{-2.0, -2.0, -2.0}), 2.0);
    EXPECT_DOUBLE_EQ(*TrueRms(std::vector<double>{-7.0}), 7.0);
    EXPECT_DOUBLE_EQ(*Mean(std::vector<double>{1.0, 2.0, 3.0, 4.0}), 2.5);
    EXPECT_DOUBLE_EQ(*Mean(std::vector<double>{-7.0}), -7.0);

    // A sine over whole periods: RMS is amplitude / sqrt 2, mean 0.
    std::vector<double> sine(1500);
    for (std::size_t n = 0; n < sine.size(); ++n) {
        sine[n] = 50.0 * std::sin(2.0 * std::numbers::pi * 6.0 * static_cast<double>(n) / 1500.0);
    }
    EXPECT_NEAR(*TrueRms(sine), 50.0 / std::numbers::sqrt2, 1e-9);
    EXPECT_NEAR(*Mean(sine), 0.0, 1e-9);
}

TEST(TraceStatistics, SumOfCalibrationTableInDoublePrecision)
{
    // 49 captures of mean 2 and one without a record (0), element 0 kept at 0.
    std::vector<float> table(51, 2.0f);
    table[0] = 0.0f;
    table[17] = 0.0f;
    EXPECT_DOUBLE_EQ(Sum(table) / 50.0, 1.96);
    EXPECT_DOUBLE_EQ(Sum(std::vector<double>{1.5, -0.5, 2.0}), 3.0);
}

struct SubsetCase
{
    std::size_t first;
    std::size_t count;
    bool valid;
};

TEST(TraceStatistics, SubsetInsideTheArrayOnly)
{
    const std::vector<double> values = {10, 11, 12, 13, 14};
    const std::vector<SubsetCase> cases = {
        {0, 5, true},  {1, 3, true},  {5, 0, true},
        {4, 2, false}, {6, 0, false}, {1, std::numeric_limits<std::size_t>::max(), false},
    };
    for (const auto& c : cases) {
        const auto part = Subset(values, c.first, c.count);
        ASSERT_EQ(part.has_value(), c.valid) << c.first << " " << c.count;
        if (c.valid) {
            ASSERT_EQ(part->size(), c.count);
            if (c.count > 0) {
                EXPECT_EQ(part->front(), values[c.first]);
            }
        }
    }
}

TEST(TraceStatistics, ReadoutsOfCountsInvertTheSign)
{
    // Largest count 30, smallest -40, at 100 mV/div (0.01569 V per count as a 32-bit float).
    const float k = 0.01569f;
    const double kd = 0.015690000727772713;
    const auto r = ComputeTraceReadouts(std::vector<double>{30.0, -40.0, 10.0, 20.0}, k);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->minimum, -kd * 30.0);
    EXPECT_EQ(r->maximum, -kd * -40.0);
    EXPECT_EQ(r->peakToPeak, std::abs(kd * -40.0 - kd * 30.0));
    EXPECT_NEAR(r->minimum, -0.4707, 1e-6);
    EXPECT_NEAR(r->maximum, 0.6276, 1e-6);
    EXPECT_NEAR(r->peakToPeak, 1.0983, 1e-6);
    EXPECT_DOUBLE_EQ(r->rms, kd * std::sqrt(750.0));
    EXPECT_DOUBLE_EQ(r->mean, -kd * 5.0);
}

TEST(TraceStatistics, ReadoutsOfAllZeroTraceAreZero)
{
    const auto r = ComputeTraceReadouts(std::vector<double>(1500, 0.0), 0.076825f);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->minimum, 0.0);
    EXPECT_EQ(r->maximum, 0.0);
    EXPECT_EQ(r->peakToPeak, 0.0);
    EXPECT_EQ(r->rms, 0.0);
    EXPECT_EQ(r->mean, 0.0);
}

} // namespace
} // namespace kv
