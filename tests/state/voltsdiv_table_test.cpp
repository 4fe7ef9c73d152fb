#include "state/voltsdiv_table.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// The low range (4 V full scale, range bit "0") holds the three millivolt positions.
TEST(VoltsDivTable, RangeFollowsTheCaption)
{
    for (int position = 1; position <= VoltsDivPositions; ++position) {
        SCOPED_TRACE(position);
        const auto row = voltsDivRow(position);
        ASSERT_TRUE(row);
        const bool low = position <= 3;
        EXPECT_STREQ(row->rangeBit, low ? "0" : "1");
        EXPECT_EQ(row->fullScale, low ? 4.0 : 20.0);
        EXPECT_EQ(std::string_view(row->label).ends_with("mV"), low);
        EXPECT_EQ(voltsDivPositionOfLabel(row->label), position);
    }
    EXPECT_FALSE(voltsDivRow(0));
    EXPECT_FALSE(voltsDivRow(VoltsDivPositions + 1));
    EXPECT_FALSE(voltsDivPositionOfLabel("100mv")); // exact, case included
    EXPECT_FALSE(voltsDivPositionOfLabel(""));
}

} // namespace
} // namespace kv
