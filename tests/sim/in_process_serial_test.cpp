#include "instrument-sim/in_process_serial.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

constexpr std::array<std::uint8_t, 9> Frame{0xAA, 0x80, 0x30, 0x14, 0x02, 0xF0, 0x05, 0xEF, 0x03};

class InProcess : public ::testing::Test
{
  protected:
    InProcess() : clock(std::make_shared<ManualSimClock>()), serial(clock) {}

    void send(const std::array<std::uint8_t, 9>& frame)
    {
        for (std::uint8_t b : frame)
            serial.WriteByte(b);
    }
    // The reads of the acquisition cycle.
    std::string readRecord()
    {
        std::string record = serial.ReadBytes(751);
        for (int i = 0; i < 3; ++i)
            record += serial.ReadBytes(750);
        return record;
    }
    void open()
    {
        serial.PortNumber(10);
        serial.PortSetup();
    }

    std::shared_ptr<ManualSimClock> clock;
    InProcessSerial serial;
};

TEST_F(InProcess, ClosedUntilPortSetup)
{
    serial.WriteByte('?');
    EXPECT_EQ(serial.BytesWaiting(), 0);
    EXPECT_EQ(serial.ReadBytes(7), "");
    EXPECT_EQ(serial.instrument().requestCount(), 0);
    EXPECT_EQ(serial.written(), "?"); // recorded all the same
}

TEST_F(InProcess, IdentityAndRecordThroughTheControl)
{
    open();
    serial.WriteByte('E');
    serial.PortReset();
    serial.PortSetup();
    serial.WriteByte('?');
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");
    send(Frame);
    EXPECT_EQ(serial.BytesWaiting(), 3001);
    const std::string record = readRecord();
    ASSERT_EQ(record.size(), 3001u);
    EXPECT_EQ(record[0], 'U');
    EXPECT_EQ(serial.BytesWaiting(), 0);
    EXPECT_EQ(serial.lastFrame(), Frame);
    EXPECT_EQ(serial.instrument().lastFrame(), Frame);
}

TEST_F(InProcess, ByteWrittenBetweenResetAndSetupReachesTheInstrument)
{
    open();
    serial.PortReset();
    serial.WriteByte('?');
    serial.PortSetup();
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");
}

TEST_F(InProcess, FlushInputAndPortResetDiscardWhatArrived)
{
    open();
    serial.WriteByte('?');
    serial.FlushInput();
    EXPECT_EQ(serial.BytesWaiting(), 0);
    serial.WriteByte('?');
    serial.PortReset();
    EXPECT_EQ(serial.ReadBytes(7), "");
}

TEST_F(InProcess, PacedRecordArrivesOverTimeAndReadsWaitOnTheClock)
{
    serial.instrument().setPace(SimPace::Real);
    open();
    send(Frame); // timebase code 2, both channels: 2 us a sample, 3 ms of capture
    EXPECT_EQ(serial.BytesWaiting(), 0);
    clock->advance(3'000 + 800);
    EXPECT_EQ(serial.BytesWaiting(), 801);
    const std::string record = readRecord();
    EXPECT_EQ(record.size(), 3001u);
    EXPECT_EQ(clock->nowMicros(), 3'000 + 3'000);
}

TEST_F(InProcess, SlowCaptureTimesOutAfterAHundredMilliseconds)
{
    serial.instrument().setPace(SimPace::Real);
    open();
    std::array<std::uint8_t, 9> slow = Frame;
    slow[3] = static_cast<std::uint8_t>((15 << 3) | 0x04); // 20 ms a sample: 30 s of capture
    send(slow);
    EXPECT_EQ(serial.ReadBytes(751), "");
    EXPECT_EQ(clock->nowMicros(), InProcessSerial::FirstByteTimeoutMicros);
}

TEST_F(InProcess, NoAnswerComingReturnsAtOnce)
{
    serial.instrument().faults().silence = true;
    open();
    send(Frame);
    EXPECT_EQ(serial.ReadBytes(751), "");
    EXPECT_EQ(clock->nowMicros(), 0);
}

TEST_F(InProcess, UnpluggedReadsNothingUntilPluggedAndSetUp)
{
    open();
    serial.unplug();
    serial.WriteByte('?');
    EXPECT_EQ(serial.ReadBytes(7), "");
    serial.PortReset();
    serial.PortSetup();
    EXPECT_FALSE(serial.isOpen());
    serial.plug();
    serial.PortSetup();
    serial.WriteByte('?');
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");
}

TEST_F(InProcess, HangUpMidRecordLeavesWhatCameThenNothing)
{
    serial.instrument().faults().hangUpAfter = 1500;
    open();
    send(Frame);
    EXPECT_EQ(serial.ReadBytes(751).size(), 751u);
    EXPECT_EQ(serial.ReadBytes(750).size(), 749u);
    EXPECT_EQ(serial.ReadBytes(750), "");
    EXPECT_FALSE(serial.isOpen());
    serial.PortSetup();
    EXPECT_FALSE(serial.isOpen());
    serial.plug();
    serial.PortReset();
    serial.PortSetup();
    serial.WriteByte('?');
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");
}

TEST_F(InProcess, InstrumentAnswersOnlyOnItsPort)
{
    serial.setInstrumentPort(5);
    open();
    EXPECT_FALSE(serial.isOpen());
    serial.PortNumber(5);
    serial.PortSetup();
    EXPECT_TRUE(serial.isOpen());
    serial.WriteByte('?');
    serial.PortNumber(6);
    serial.PortSetup();
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(serial.BytesWaiting(), 0);
}

TEST_F(InProcess, LastFrameIsTheLastCompleteOne)
{
    open();
    send(Frame);
    serial.WriteByte('+');
    serial.WriteByte(0xAA);
    serial.WriteByte(0x10);
    EXPECT_EQ(serial.lastFrame(), Frame);
}

} // namespace
} // namespace kv
