#include "state/global_v.h"
#include "state/scope_state.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(State, NewWindowStartsEmptyZeroAndFalse)
{
    const ScopeState s;
    EXPECT_TRUE(s.VdivIndexCH1.isEmpty());
    EXPECT_TRUE(s.TrigLevelCH1.isEmpty());
    EXPECT_EQ(s.TrigLevelCH1.toNumber(), 0.0); // empty reads as 0
    EXPECT_EQ(s.TrigLevelCH1.toText(), "");    // and as the empty text
    EXPECT_EQ(s.TimebaseCode, "");
    EXPECT_FALSE(s.AwaitingFrame);
    EXPECT_EQ(s.GainHiRev2, 0.0f);
    EXPECT_EQ(s.REFSamples.size(), 1500u);
    EXPECT_TRUE(std::all_of(s.HeaderBytes.begin(), s.HeaderBytes.end(),
                            [](const std::string& b) { return b.empty(); }));

    const GlobalV g;
    EXPECT_TRUE(g.ActiveChannel.isEmpty());
    EXPECT_TRUE(g.FirstRun.isEmpty());
    EXPECT_EQ(g.ModelGainLo, 0.0f);
    EXPECT_EQ(g.Samples.TraceCH1.size(), 1500u);
    EXPECT_EQ(g.Samples.Counts750CH2.size(), 750u);
    EXPECT_TRUE(std::all_of(g.Samples.CountsCH2.begin(), g.Samples.CountsCH2.end(),
                            [](double v) { return v == 0.0; }));
}

} // namespace
} // namespace kv
