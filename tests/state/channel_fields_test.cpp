#include "state/channel_fields.h"
#include "state/names.h"
#include "state/voltsdiv_range.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kv {
namespace {

// Each twin field of a channel is that channel's own field: a swapped or doubled wiring shows.
TEST(ChannelFields, StateFieldsAreTheChannelsOwn)
{
    ScopeState s;
    const ChannelState one = channelState(s, 1);
    const ChannelState two = channelState(s, 2);
    EXPECT_EQ(one.number, 1);
    EXPECT_EQ(two.number, 2);
    EXPECT_EQ(&one.VdivIndex, &s.VdivIndexCH1);
    EXPECT_EQ(&two.VdivIndex, &s.VdivIndexCH2);
    EXPECT_EQ(&one.Vdiv, &s.VdivCH1);
    EXPECT_EQ(&two.Vdiv, &s.VdivCH2);
    EXPECT_EQ(&one.VdivOld, &s.VdivOldCH1);
    EXPECT_EQ(&two.VdivOld, &s.VdivOldCH2);
    EXPECT_EQ(&one.RangeBit, &s.CH1RangeBit);
    EXPECT_EQ(&two.RangeBit, &s.CH2RangeBit);
    EXPECT_EQ(&one.EnableBits, &s.CH1EnableBits);
    EXPECT_EQ(&two.EnableBits, &s.CH2EnableBits);
    EXPECT_EQ(&one.VPos, &s.VPosCH1);
    EXPECT_EQ(&two.VPos, &s.VPosCH2);
    EXPECT_EQ(&one.FrameVPos, &s.FrameVPosCH1);
    EXPECT_EQ(&two.FrameVPos, &s.FrameVPosCH2);
    EXPECT_EQ(&one.PlotScale, &s.PlotScaleCH1);
    EXPECT_EQ(&two.PlotScale, &s.PlotScaleCH2);
    EXPECT_EQ(&one.ATTValue, &s.ATTValueCH1);
    EXPECT_EQ(&two.ATTValue, &s.ATTValueCH2);
    EXPECT_EQ(&one.CalOffsetLo, &s.CalOffsetCH1Lo);
    EXPECT_EQ(&two.CalOffsetLo, &s.CalOffsetCH2Lo);
    EXPECT_EQ(&one.CalOffsetHi, &s.CalOffsetCH1Hi);
    EXPECT_EQ(&two.CalOffsetHi, &s.CalOffsetCH2Hi);
    EXPECT_EQ(&one.TrigLevel, &s.TrigLevelCH1);
    EXPECT_EQ(&two.TrigLevel, &s.TrigLevelCH2);
    EXPECT_EQ(&one.TrigPointer, &s.TrigPointerCH1);
    EXPECT_EQ(&two.TrigPointer, &s.TrigPointerCH2);
    EXPECT_EQ(&one.TrigOffset, &s.TrigOffsetCH1);
    EXPECT_EQ(&two.TrigOffset, &s.TrigOffsetCH2);
    EXPECT_EQ(&one.TrigOn, &s.TrigOnCH1);
    EXPECT_EQ(&two.TrigOn, &s.TrigOnCH2);
    EXPECT_EQ(&one.SampleIndex, &s.SampleIndexCH1);
    EXPECT_EQ(&two.SampleIndex, &s.SampleIndexCH2);
}

TEST(ChannelFields, SharedAndSampleFieldsAreTheChannelsOwn)
{
    GlobalV g;
    const ChannelShared one = channelShared(g, 1);
    const ChannelShared two = channelShared(g, 2);
    EXPECT_EQ(&one.ATTFactor, &g.ATTFactorCH1);
    EXPECT_EQ(&two.ATTFactor, &g.ATTFactorCH2);
    EXPECT_EQ(&one.ATTOn, &g.ATTOnCH1);
    EXPECT_EQ(&two.ATTOn, &g.ATTOnCH2);
    EXPECT_EQ(&one.Gain, &g.GainCH1);
    EXPECT_EQ(&two.Gain, &g.GainCH2);

    const SampleArrays& a = g.Samples; // the read-only form serves const owners
    const auto first = channelSamples(a, 1);
    const auto second = channelSamples(a, 2);
    EXPECT_EQ(&first.Trace, &a.TraceCH1);
    EXPECT_EQ(&second.Trace, &a.TraceCH2);
    EXPECT_EQ(&first.Counts, &a.CountsCH1);
    EXPECT_EQ(&second.Counts, &a.CountsCH2);
    EXPECT_EQ(&first.Trace750, &a.Trace750CH1);
    EXPECT_EQ(&second.Trace750, &a.Trace750CH2);
    EXPECT_EQ(&first.Counts750, &a.Counts750CH1);
    EXPECT_EQ(&second.Counts750, &a.Counts750CH2);
}

// Callers pass 1 for channel 1 and take every other number as channel 2.
TEST(ChannelFields, AnyNumberButOneIsChannelTwo)
{
    ScopeState s;
    EXPECT_EQ(&channelState(s, 0).VdivIndex, &s.VdivIndexCH2);
    EXPECT_EQ(&channelState(s, 5).VdivIndex, &s.VdivIndexCH2);
    EXPECT_EQ(names::channelPlot(1), names::PCH1);
    EXPECT_EQ(names::channelPlot(2), names::PCH2);
    EXPECT_EQ(names::channelPointer(1), names::PointerVCH1);
    EXPECT_EQ(names::channelPointer(2), names::PointerVCH2);
}

TEST(ChannelFields, TriggerGoesToOneChannel)
{
    struct Case
    {
        int channel;
        bool on1, on2;
    };
    for (const Case c : {Case{1, true, false}, Case{2, false, true}, Case{0, false, false}}) {
        SCOPED_TRACE(c.channel);
        ScopeState s;
        s.TrigOnCH1 = s.TrigOnCH2 = true;
        setTriggerChannel(s, c.channel);
        EXPECT_EQ(s.TrigOnCH1, c.on1);
        EXPECT_EQ(s.TrigOnCH2, c.on2);
    }
}

// Ends included; the gap between 3 and 4 and anything outside 1..6 has no range.
TEST(VoltsRange, OneToThreeLowFourToSixHigh)
{
    struct Case
    {
        double index;
        VoltsRange range;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {1, VoltsRange::Low},     {2.5, VoltsRange::Low},   {3, VoltsRange::Low},
        {3.5, VoltsRange::None},  {4, VoltsRange::High},    {6, VoltsRange::High},
        {0.99, VoltsRange::None}, {6.01, VoltsRange::None}, {0, VoltsRange::None},
        {-4, VoltsRange::None},   {nan, VoltsRange::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(voltsRangeOf(c.index), c.range);
    }
}

} // namespace
} // namespace kv
