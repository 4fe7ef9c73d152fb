#include "link/rules/sample_decode.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace kv {
namespace {

ChannelDecode unity(std::int16_t offset = 0, double att = 1.0)
{
    ChannelDecode d;
    d.offset = offset;
    d.gain = 1.0;
    d.attFactor = att;
    d.plotScale = 1.0;
    return d;
}

TEST(SampleDecode, BytesAroundZero)
{
    EXPECT_EQ(decodeCount(127, unity()), 0);
    EXPECT_EQ(decodeCount(255, unity()), 128);
    EXPECT_EQ(decodeCount(0, unity()), -127);
}

TEST(SampleDecode, CountsRoundHalvesToEven)
{
    EXPECT_EQ(decodeCount(127 + 3, unity(0, 1.5)), 4);  // 4.5 -> 4
    EXPECT_EQ(decodeCount(127 + 5, unity(0, 1.5)), 8);  // 7.5 -> 8
    EXPECT_EQ(decodeCount(127 - 3, unity(0, 1.5)), -4); // -4.5 -> -4
}

TEST(SampleDecode, OffsetIsRoundedHalvesToEvenAndChosenByRangeGroup)
{
    ScopeState s;
    GlobalV g;
    s.CalOffsetCH1Lo = 2.5;
    s.CalOffsetCH1Hi = 3.5;
    s.CalOffsetCH2Lo = -1.5;
    struct Case
    {
        Variant index;
        int channel;
        int offset;
    };
    const Case cases[] = {{1, 1, 2}, {3, 1, 2},         {4, 1, 4},   {6, 1, 4}, {7, 1, 0},
                          {0, 1, 0}, {Variant(), 1, 0}, {"2", 1, 2}, {2, 2, -2}};
    for (const Case& c : cases) {
        (c.channel == 1 ? s.VdivIndexCH1 : s.VdivIndexCH2) = c.index;
        EXPECT_EQ(channelDecode(s, g, c.channel).offset, c.offset) << c.index.toText();
    }
}

TEST(SampleDecode, NoIdentifiedModelMeansZeroGainAndZeroCounts)
{
    ScopeState s;
    GlobalV g; // GainCH1 0 until an instrument has been identified
    g.ATTFactorCH1 = 1.0f;
    s.VdivIndexCH1 = 1;
    EXPECT_EQ(decodeCount(200, channelDecode(s, g, 1)), 0);
}

TEST(SampleDecode, HugeGainIsKeptWithinTheCountRange)
{
    ChannelDecode d = unity();
    d.gain = 1e30;
    EXPECT_EQ(decodeCount(255, d), 2147483647);
    EXPECT_EQ(decodeCount(0, d), -2147483648LL);
}

TEST(SampleDecode, TraceIsCountTimesScalePlusVerticalPosition)
{
    std::string record(DataFrameLength, static_cast<char>(127));
    record[0] = DataSync;
    record[1] = static_cast<char>(137);    // data byte 1
    record[1500] = static_cast<char>(117); // data byte 1500
    record[1501] = static_cast<char>(130); // data byte 1501: first of channel 2
    ChannelDecode d = unity();
    d.plotScale = 19.53125;
    d.vpos = -50;
    std::array<double, 1500> counts{}, trace{};
    decodeSpan(record, TwoChannelSpanCH1, d, counts, trace);
    EXPECT_EQ(counts[0], 10);
    EXPECT_DOUBLE_EQ(trace[0], 10 * 19.53125 - 50);
    EXPECT_EQ(counts[1499], -10);
    EXPECT_DOUBLE_EQ(trace[1], -50);
    decodeSpan(record, TwoChannelSpanCH2, d, counts, trace);
    EXPECT_EQ(counts[0], 3);
}

TEST(SampleDecode, FastSpansTakeTheMiddleOfTheRecord)
{
    std::string record(DataFrameLength, static_cast<char>(127));
    record[0] = DataSync;
    record[751] = static_cast<char>(128);
    record[2250] = static_cast<char>(129);
    record[376] = static_cast<char>(130);
    record[1125] = static_cast<char>(131);
    record[1876] = static_cast<char>(132);
    record[2625] = static_cast<char>(133);
    std::array<double, 1500> counts{}, trace{};
    decodeSpan(record, FastSingleSpan, unity(), counts, trace);
    EXPECT_EQ(counts[0], 1);
    EXPECT_EQ(counts[1499], 2);
    decodeSpan(record, FastSpanCH1, unity(), counts, trace);
    EXPECT_EQ(counts[0], 3);
    EXPECT_EQ(counts[749], 4);
    decodeSpan(record, FastSpanCH2, unity(), counts, trace);
    EXPECT_EQ(counts[0], 5);
    EXPECT_EQ(counts[749], 6);
}

TEST(SampleDecode, GoodRecordNeedsSyncAndFullLength)
{
    std::string record(DataFrameLength, 'x');
    record[0] = 'U';
    EXPECT_TRUE(isGoodRecord(record));
    EXPECT_TRUE(isGoodRecord(record + "extra"));
    EXPECT_FALSE(isGoodRecord(record.substr(0, 3000)));
    record[0] = 'u';
    EXPECT_FALSE(isGoodRecord(record));
    EXPECT_FALSE(isGoodRecord(""));
}

} // namespace
} // namespace kv
