#include "state/timebase_table.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace kv {
namespace {

// The columns of each row state one fact several ways; they must agree.
TEST(TimebaseTable, EveryRowAgreesWithItself)
{
    for (int position = 1; position <= TimebasePositions; ++position) {
        SCOPED_TRACE(position);
        const auto row = timebaseRow(position);
        ASSERT_TRUE(row);
        EXPECT_FLOAT_EQ(row->samplePeriod, float(row->timePerDiv / 50.0));
        EXPECT_NEAR(row->sampleRate * double(row->samplePeriod), 1.0, 1e-6);
        // The reference text is the label with an upper-case S.
        std::string label = row->label;
        label.back() = 'S';
        EXPECT_EQ(label, row->refText);
        EXPECT_EQ(timebasePositionOfRefText(row->refText), position);
    }
    EXPECT_FALSE(timebaseRow(0));
    EXPECT_FALSE(timebaseRow(TimebasePositions + 1));
    EXPECT_FALSE(timebasePositionOfRefText("50us")); // exact, case included
    EXPECT_FALSE(timebasePositionOfRefText(""));
}

TEST(TimebaseTable, FastestTwoPositionsShareTheirCode)
{
    EXPECT_STREQ(timebaseRow(1)->timebaseCode, "00011");
    EXPECT_STREQ(timebaseRow(2)->timebaseCode, "00011");
    EXPECT_STREQ(timebaseRow(14)->timebaseCode, "01111");
}

} // namespace
} // namespace kv
