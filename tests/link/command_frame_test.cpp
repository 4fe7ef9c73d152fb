#include "link/rules/command_frame.h"
#include "platform/rules/serial_control.h"
#include "state/scope_state.h"

#include <gtest/gtest.h>
#include <vector>

namespace kv {
namespace {

// Records what is written; reads nothing.
class RecordingSerial : public SerialControl
{
  public:
    std::vector<std::string> calls;
    std::vector<std::uint8_t> written;
    void PortNumber(int n) override { calls.push_back("PortNumber " + std::to_string(n)); }
    int PortNumber() const override { return 0; }
    void ReplyLength(int) override {}
    void WriteByte(std::uint8_t b) override
    {
        written.push_back(b);
        calls.push_back("WriteByte " + std::to_string(b));
    }
    std::string ReadBytes(int) override { return {}; }
    std::int16_t BytesWaiting() override { return 0; }
    void FlushInput() override { calls.push_back("FlushInput"); }
    void PortSetup() override { calls.push_back("PortSetup"); }
    void PortReset() override { calls.push_back("PortReset"); }
};

ScopeState startUpFrameState()
{
    ScopeState s;
    s.TrigLevelCH1 = 127;
    s.TrigLevelCH2 = 127;
    s.TrigSlopeBits = "11";
    s.CH1RangeBit = "0";
    s.CH2RangeBit = "0";
    s.CH1EnableBits = "0000";
    s.TimebaseCode = "00010";
    s.TrigModeBit = "1";
    s.TrigSourceBits = "00";
    s.ExtTrigBit = 0;
    s.FastChannelBits = "00";
    s.FastModeBit = 0;
    s.TrigPosByte1 = 240;
    s.TrigPosByte2 = 5;
    s.TrigPosByte3 = 239;
    s.TrigPosByte4 = 3;
    return s;
}

TEST(CommandFrame, StartUpSettingsGiveTheKnownFrame)
{
    ScopeState s = startUpFrameState();
    RecordingSerial serial;
    SendCommandFrame(s, serial, 1);
    const std::vector<std::uint8_t> expected{0xAA, 0x80, 0x30, 0x14, 0x02, 0xF0, 0x05, 0xEF, 0x03};
    EXPECT_EQ(serial.written, expected);
    EXPECT_EQ(s.HeaderBytes[0], "170");
    EXPECT_EQ(s.HeaderBytes[1], "128");
}

TEST(CommandFrame, TriggerLevelByteIs255MinusTheLevelOfTheSelectedSource)
{
    struct Case
    {
        double level;
        int source;
        const char* byte1;
    };
    const Case cases[] = {{0, 1, "255"},     {255, 1, "0"}, {127, 1, "128"},
                          {100.4, 1, "155"}, {0, 2, "255"}, {27.5, 2, "228"}};
    for (const Case& c : cases) {
        ScopeState s = startUpFrameState();
        (c.source == 1 ? s.TrigLevelCH1 : s.TrigLevelCH2) = c.level;
        Header(s, c.source);
        EXPECT_EQ(s.HeaderBytes[1], c.byte1) << c.level << " source " << c.source;
    }
}

TEST(CommandFrame, ExternalSourceKeepsByteOne)
{
    ScopeState s = startUpFrameState();
    s.HeaderBytes[1] = "0";
    s.ExtTrigBit = 1;
    s.TrigSlopeBits = "00";
    Header(s, 3);
    EXPECT_EQ(s.HeaderBytes[1], "0");
    EXPECT_EQ(s.HeaderBytes[4], "66"); // bit 6 external + tail 010
    EXPECT_EQ(s.HeaderBytes[2], "0");
}

TEST(CommandFrame, FastModeAndChannelBitsEnterByteFour)
{
    ScopeState s = startUpFrameState();
    s.FastModeBit = 1;
    s.FastChannelBits = "10";
    Header(s, 1);
    EXPECT_EQ(s.HeaderBytes[4], std::to_string(0b00101010));
}

TEST(CommandFrame, RangeAndEnableBitsEnterByteTwo)
{
    ScopeState s = startUpFrameState();
    s.CH2RangeBit = "1";
    s.CH1RangeBit = "1";
    s.TrigSlopeBits = "00";
    s.CH1EnableBits = "0001";
    Header(s, 1);
    EXPECT_EQ(s.HeaderBytes[2], std::to_string(0b11000001));
}

TEST(FBinToDec, JoinsLeftmostFirstAndReversesTheText)
{
    std::string bits = "00110000";
    EXPECT_EQ(fBinToDec(bits), 48);
    EXPECT_EQ(bits, "00001100");
    std::string empty;
    EXPECT_EQ(fBinToDec(empty), 0);
    std::string other = "1x1";
    EXPECT_EQ(fBinToDec(other), 5);
}

TEST(CommandFrame, OutOfRangeHeaderTextsAreSentAsTheNearestByte)
{
    EXPECT_EQ(headerByteValue("300"), 255);
    EXPECT_EQ(headerByteValue("-4"), 0);
    EXPECT_EQ(headerByteValue("garbage"), 0);
    EXPECT_EQ(headerByteValue("239"), 239);
}

TEST(CommandFrame, Reset1SendsTheResetByteThenReinitialisesThePort)
{
    RecordingSerial serial;
    Reset1(serial);
    const std::vector<std::string> expected{"WriteByte 69", "PortReset", "PortSetup"};
    EXPECT_EQ(serial.calls, expected);
}

} // namespace
} // namespace kv
