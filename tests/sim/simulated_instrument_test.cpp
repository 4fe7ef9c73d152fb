#include "instrument-sim/simulated_instrument.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <ostream>

namespace kv {
namespace {

using Frame = SimulatedInstrument::Frame;

// The frame that the program sends with its start-up settings.
constexpr Frame StartupFrame{0xAA, 0x80, 0x30, 0x14, 0x02, 0xF0, 0x05, 0xEF, 0x03};

struct FrameSpec
{
    std::uint8_t level = 128;
    bool ch1High = false;
    bool ch2High = false;
    bool rising = true;
    bool ch1On = true;
    int code = 5; // 10 us per sample
    bool autoMode = true;
    int source = 0;
    bool external = false;
    int fastChannel = 0;
    bool fast = false;
    std::array<std::uint8_t, 4> pos{240, 5, 239, 3};

    Frame bytes() const
    {
        const int b2 =
            (ch2High ? 0x80 : 0) | (ch1High ? 0x40 : 0) | (rising ? 0x30 : 0) | (ch1On ? 0x01 : 0);
        const int b3 = (code << 3) | (autoMode ? 0x04 : 0) | source;
        const int b4 = (external ? 0x40 : 0) | (fastChannel << 4) | (fast ? 0x08 : 0) | 0x02;
        return {0xAA,
                level,
                static_cast<std::uint8_t>(b2),
                static_cast<std::uint8_t>(b3),
                static_cast<std::uint8_t>(b4),
                pos[0],
                pos[1],
                pos[2],
                pos[3]};
    }
};

std::string frameText(const Frame& frame)
{
    return std::string(frame.begin(), frame.end());
}

int expectedByte(double volts, double span)
{
    return static_cast<int>(std::clamp(std::lround(127.0 - volts * 255.0 / span), 0L, 255L));
}

int at(const std::string& record, int dataIndex)
{
    return static_cast<unsigned char>(record[static_cast<std::size_t>(dataIndex + 1)]);
}

class Instrument : public ::testing::Test
{
  protected:
    Instrument() : clock(std::make_shared<ManualSimClock>()), sim(clock) {}

    std::string request(const FrameSpec& spec)
    {
        sim.receive(frameText(spec.bytes()));
        return sim.takeDue().bytes;
    }
    void sine(int channel, double frequency, double amplitude, double offset = 0.0)
    {
        sim.setSignal(channel, {SimWaveform::Sine, frequency, amplitude, offset});
    }
    void dc(int channel, double volts) { sim.setSignal(channel, {SimWaveform::Dc, 0, 0, volts}); }

    std::shared_ptr<ManualSimClock> clock;
    SimulatedInstrument sim;
};

TEST(SimFrameDecode, StartupFrame)
{
    const SimFrame f = SimFrame::decode(StartupFrame);
    EXPECT_EQ(f.levelByte, 128);
    EXPECT_FALSE(f.ch1HighRange);
    EXPECT_FALSE(f.ch2HighRange);
    EXPECT_TRUE(f.risingEdge);
    EXPECT_FALSE(f.ch1Enabled);
    EXPECT_EQ(f.timebaseCode, 2);
    EXPECT_TRUE(f.autoMode);
    EXPECT_EQ(f.triggerChannel(), 1);
    EXPECT_FALSE(f.fastMode);
    EXPECT_EQ(f.triggerIndex(), 750);
}

TEST(SimFrameDecode, BitsOfEveryField)
{
    FrameSpec spec;
    spec.ch1High = spec.ch2High = true;
    spec.rising = false;
    spec.code = 15;
    spec.autoMode = false;
    spec.source = 1;
    spec.external = true;
    spec.fastChannel = 2;
    spec.fast = true;
    const SimFrame f = SimFrame::decode(spec.bytes());
    EXPECT_TRUE(f.ch1HighRange && f.ch2HighRange);
    EXPECT_FALSE(f.risingEdge);
    EXPECT_EQ(f.timebaseCode, 15);
    EXPECT_FALSE(f.autoMode);
    EXPECT_EQ(f.sourceBits, 1);
    EXPECT_EQ(f.triggerChannel(), 0); // external wins over the source bits
    EXPECT_EQ(f.fastChannel(), 2);
    EXPECT_TRUE(f.fastMode);
    EXPECT_DOUBLE_EQ(f.samplePeriod(), 1e-6);
}

struct PeriodCase
{
    int code;
    double seconds;
};

// Names the case in test listings and failure messages.
void PrintTo(const PeriodCase& c, std::ostream* os)
{
    *os << "code " << c.code << " -> " << c.seconds << " s";
}

class SamplePeriod : public ::testing::TestWithParam<PeriodCase>
{
};

TEST_P(SamplePeriod, FollowsTheTimebaseCode)
{
    FrameSpec spec;
    spec.code = GetParam().code;
    EXPECT_DOUBLE_EQ(SimFrame::decode(spec.bytes()).samplePeriod(), GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(Codes, SamplePeriod,
                         ::testing::Values(PeriodCase{3, 2e-6}, PeriodCase{4, 4e-6},
                                           PeriodCase{5, 1e-5}, PeriodCase{8, 1e-4},
                                           PeriodCase{11, 1e-3}, PeriodCase{14, 1e-2},
                                           PeriodCase{15, 2e-2}, PeriodCase{2, 2e-6},
                                           PeriodCase{31, 2e-2}));

struct PositionCase
{
    std::array<std::uint8_t, 4> bytes;
    bool fast;
    int index;
};

// Names the case in test listings and failure messages.
void PrintTo(const PositionCase& c, std::ostream* os)
{
    *os << "presets " << int(c.bytes[0]) << ' ' << int(c.bytes[1]) << ' ' << int(c.bytes[2]) << ' '
        << int(c.bytes[3]) << (c.fast ? " fast" : "") << " -> index " << c.index;
}

class TriggerPosition : public ::testing::TestWithParam<PositionCase>
{
};

TEST_P(TriggerPosition, PresetBytesPlaceTheTrigger)
{
    FrameSpec spec;
    spec.pos = GetParam().bytes;
    spec.fast = GetParam().fast;
    EXPECT_EQ(SimFrame::decode(spec.bytes()).triggerIndex(), GetParam().index);
}

// Two-channel presets put the trigger at 10/50/90 % of 1500 samples; the 50 us/div presets at
// 30/50/70 %, which is 10/50/90 % of the middle part the program keeps (750 of 1500 samples of
// each channel, or 1500 of the 3000 of one channel).
INSTANTIATE_TEST_SUITE_P(Presets, TriggerPosition,
                         ::testing::Values(PositionCase{{50, 1, 80, 6}, false, 150},
                                           PositionCase{{240, 5, 239, 3}, false, 750},
                                           PositionCase{{180, 10, 140, 1}, false, 1350},
                                           PositionCase{{160, 3, 33, 5}, false, 450},
                                           PositionCase{{100, 8, 189, 2}, false, 1050},
                                           PositionCase{{160, 3, 33, 5}, true, 900},
                                           PositionCase{{240, 5, 239, 3}, true, 1500},
                                           PositionCase{{100, 8, 189, 2}, true, 2100},
                                           PositionCase{{0, 0, 0, 0}, false, 0},
                                           PositionCase{{255, 255, 0, 0}, false, 1499}));

TEST_F(Instrument, FreeRunningTwoChannelRecordIsTheSampledSignals)
{
    sine(1, 1000.0, 1.0);
    sim.setSignal(2, {SimWaveform::Triangle, 250.0, 3.0, 1.0});
    FrameSpec spec;
    spec.external = true;
    spec.ch2High = true;
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    EXPECT_EQ(record[0], 'U');
    for (int r = 0; r < 1500; ++r) {
        const double t = r * 1e-5;
        const double v1 = std::sin(2.0 * std::numbers::pi * 1000.0 * t);
        const double phase = 250.0 * t - std::floor(250.0 * t);
        const double tri = phase < 0.25 ? 4 * phase : phase < 0.75 ? 2 - 4 * phase : 4 * phase - 4;
        ASSERT_EQ(at(record, r), expectedByte(v1, 4.0)) << r;
        ASSERT_EQ(at(record, 1500 + r), expectedByte(1.0 + 3.0 * tri, 20.0)) << r;
    }
}

struct RangeCase
{
    double volts;
    bool high;
    int byte;
};

// Names the case in test listings and failure messages.
void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.volts << " V " << (c.high ? "high" : "low") << " range -> byte " << c.byte;
}

class Ranges : public Instrument, public ::testing::WithParamInterface<RangeCase>
{
};

TEST_P(Ranges, InvertedCountsClippedToTheConverter)
{
    dc(1, GetParam().volts);
    dc(2, GetParam().volts);
    FrameSpec spec;
    spec.ch1High = GetParam().high;
    spec.ch2High = GetParam().high;
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    EXPECT_EQ(at(record, 0), GetParam().byte);
    EXPECT_EQ(at(record, 2999), GetParam().byte);
}

INSTANTIATE_TEST_SUITE_P(Volts, Ranges,
                         ::testing::Values(RangeCase{0.0, false, 127}, RangeCase{1.0, false, 63},
                                           RangeCase{-1.0, false, 191}, RangeCase{1.99, false, 0},
                                           RangeCase{3.0, false, 0}, RangeCase{-3.0, false, 255},
                                           RangeCase{1.0, true, 114}, RangeCase{5.0, true, 63},
                                           RangeCase{-10.0, true, 255}, RangeCase{12.0, true, 0}));

TEST_F(Instrument, ChannelOneOffReadsZeroUnlessEnableIsIgnored)
{
    dc(1, 1.0);
    FrameSpec spec;
    spec.ch1On = false;
    EXPECT_EQ(at(request(spec), 10), 127);
    sim.setHonourChannelEnable(false);
    EXPECT_EQ(at(request(spec), 10), 63);
}

// The record holds the trigger point where the preset puts it: the first sample at or past the
// threshold, the sample before it on the other side.
void expectCrossing(const std::string& record, int first, int index, bool rising, int level)
{
    const int before = at(record, first + index - 1);
    const int after = at(record, first + index);
    if (rising) {
        EXPECT_GT(before, level);
        EXPECT_LE(after, level);
    } else {
        EXPECT_LT(before, level);
        EXPECT_GE(after, level);
    }
}

TEST_F(Instrument, TwoChannelTriggerOnRisingVoltageIsFallingBytes)
{
    sine(1, 1000.0, 1.0);
    FrameSpec spec;
    spec.pos = {50, 1, 80, 6};
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    expectCrossing(record, 0, 150, true, 128);
    // A quarter period (25 samples at 10 us) after a rising zero crossing is the peak.
    EXPECT_NEAR(at(record, 175), expectedByte(1.0, 4.0), 1);
    EXPECT_NEAR(at(record, 225), expectedByte(-1.0, 4.0), 1);
}

TEST_F(Instrument, TriggerOnChannelTwoFallingEdgeAtAnOtherLevel)
{
    dc(1, 0.0);
    sine(2, 500.0, 8.0);
    FrameSpec spec;
    spec.source = 1;
    spec.rising = false;
    spec.ch2High = true;
    spec.level = 160;
    spec.pos = {180, 10, 140, 1};
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    expectCrossing(record, 1500, 1350, false, 160);
}

TEST_F(Instrument, FastModeCarriesOneChannelAtOneMegasample)
{
    sine(1, 5000.0, 1.0);
    sine(2, 10000.0, 0.5);
    FrameSpec spec;
    spec.fast = true;
    spec.fastChannel = 2;
    spec.source = 1;
    spec.code = 3;
    spec.pos = {160, 3, 33, 5};
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    expectCrossing(record, 0, 900, true, 128);
    // 100 samples per period of 10 kHz at 1 us; the record is channel 2 throughout.
    for (int r = 0; r < 2900; r += 37)
        EXPECT_NEAR(at(record, r), at(record, r + 100), 1) << r;
    EXPECT_NEAR(at(record, 925), expectedByte(0.5, 4.0), 1);

    spec.fastChannel = 1;
    spec.source = 0;
    const std::string ch1 = request(spec);
    expectCrossing(ch1, 0, 900, true, 128);
    EXPECT_NEAR(at(ch1, 950), expectedByte(1.0, 4.0), 1); // 200 samples per period
}

TEST_F(Instrument, BothChannelsAtFiftyMicrosecondsAreATwoChannelRecordAtTwoMicroseconds)
{
    sine(1, 10000.0, 1.0);
    sine(2, 10000.0, 1.0);
    FrameSpec spec;
    spec.code = 3;
    spec.pos = {160, 3, 33, 5};
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    // The program keeps samples 375..1124 of each half: the trigger shows at 150 of 1500.
    expectCrossing(record, 0, 450, true, 128);
    for (int r = 0; r < 1400; r += 31)
        EXPECT_NEAR(at(record, r), at(record, r + 50), 1) << r; // 50 samples a period
    EXPECT_EQ(record.substr(1, 1500), record.substr(1501, 1500));
}

TEST_F(Instrument, NormalModeWaitsForATriggerUntilStopped)
{
    dc(1, 0.5);
    FrameSpec spec;
    spec.autoMode = false;
    EXPECT_EQ(request(spec), "");
    EXPECT_TRUE(sim.capturePending());
    sim.receive(SimulatedInstrument::StopByte);
    EXPECT_FALSE(sim.capturePending());
    sine(1, 1000.0, 1.0);
    EXPECT_EQ(sim.takeDue().bytes, "");
}

TEST_F(Instrument, NormalModeAnswersOnceTheSignalCrossesTheLevel)
{
    dc(1, 0.5);
    FrameSpec spec;
    spec.autoMode = false;
    EXPECT_EQ(request(spec), "");
    sine(1, 1000.0, 1.0);
    const std::string record = sim.takeDue().bytes;
    ASSERT_EQ(record.size(), 3001u);
    expectCrossing(record, 0, 750, true, 128);
}

TEST_F(Instrument, AutoModeFreeRunsWithoutATrigger)
{
    dc(1, 0.5);
    FrameSpec spec;
    const std::string record = request(spec);
    ASSERT_EQ(record.size(), 3001u);
    EXPECT_EQ(at(record, 750), expectedByte(0.5, 4.0));
}

TEST_F(Instrument, ExternalTriggerFreeRunsAlsoInNormalMode)
{
    FrameSpec spec;
    spec.external = true;
    spec.autoMode = false;
    EXPECT_EQ(request(spec).size(), 3001u);
}

TEST_F(Instrument, IdentifiesAndIgnoresResetAndStop)
{
    sim.receive("E+");
    EXPECT_EQ(sim.takeDue().bytes, "");
    sim.receive('?');
    EXPECT_EQ(sim.takeDue().bytes, "OC10351");
    sim.setIdentity("OX12345");
    sim.receive('?');
    EXPECT_EQ(sim.takeDue().bytes, "OX12345");
}

TEST_F(Instrument, CommandBytesInsideAFrameAreFrameBytes)
{
    FrameSpec spec;
    spec.level = SimulatedInstrument::IdentifyByte;
    const std::string record = request(spec);
    EXPECT_EQ(record.size(), 3001u);
    EXPECT_EQ(sim.lastFrame(), spec.bytes());
}

TEST_F(Instrument, UnfinishedFrameIsAbandonedAfterAPause)
{
    sim.receive(std::string("\xAA\x80\x30", 3));
    clock->advance(100'000);
    sim.receive('?');
    EXPECT_EQ(sim.takeDue().bytes, "OC10351");
}

TEST_F(Instrument, RealPaceCapturesThenSendsAtAMegabyteASecond)
{
    sim.setPace(SimPace::Real);
    FrameSpec spec; // 10 us a sample: 15 ms of capture
    sim.receive(frameText(spec.bytes()));
    EXPECT_EQ(sim.takeDue().bytes, "");
    EXPECT_EQ(sim.dueMicros(), 15'000);
    clock->advance(15'000);
    EXPECT_EQ(sim.takeDue().bytes, "U");
    clock->advance(1'499);
    EXPECT_EQ(sim.takeDue().bytes.size(), 1'499u);
    clock->advance(1'501);
    EXPECT_EQ(sim.takeDue().bytes.size(), 1'501u);
    EXPECT_EQ(sim.dueMicros(), std::nullopt);
}

TEST_F(Instrument, StopDropsWhatIsNotSentYet)
{
    sim.setPace(SimPace::Real);
    sim.receive(frameText(FrameSpec{}.bytes()));
    clock->advance(15'100);
    sim.receive(SimulatedInstrument::StopByte);
    EXPECT_EQ(sim.takeDue().bytes.size(), 101u);
    clock->advance(10'000);
    EXPECT_EQ(sim.takeDue().bytes, "");
}

class Faults : public Instrument
{
};

TEST_F(Faults, SilenceAnswersNothing)
{
    sim.faults().silence = true;
    sim.receive('?');
    EXPECT_EQ(request(FrameSpec{}), "");
    EXPECT_EQ(sim.requestCount(), 2);
}

TEST_F(Faults, WrongSyncKeepsTheLength)
{
    sim.faults().wrongSync = true;
    const std::string record = request(FrameSpec{});
    ASSERT_EQ(record.size(), 3001u);
    EXPECT_EQ(record[0], 'X');
}

TEST_F(Faults, ShortRecordEndsEarly)
{
    sim.faults().shortRecord = 2000;
    const std::string record = request(FrameSpec{});
    ASSERT_EQ(record.size(), 2000u);
    EXPECT_EQ(record[0], 'U');
    sim.receive('?');
    EXPECT_EQ(sim.takeDue().bytes, "OC10351"); // only records are cut
}

TEST_F(Faults, GarbageReplacesEveryAnswer)
{
    const std::string good = request(FrameSpec{});
    sim.faults().garbage = true;
    const std::string bad = request(FrameSpec{});
    ASSERT_EQ(bad.size(), 3001u);
    EXPECT_NE(bad[0], 'U');
    EXPECT_NE(bad, good);
    sim.receive('?');
    const std::string identity = sim.takeDue().bytes;
    EXPECT_EQ(identity.size(), 7u);
    EXPECT_NE(identity[0], 'O');
}

TEST_F(Faults, HangUpInTheMiddleOfARecord)
{
    sim.faults().hangUpAfter = 1500;
    sim.receive(frameText(FrameSpec{}.bytes()));
    const SimulatedInstrument::Output out = sim.takeDue();
    EXPECT_EQ(out.bytes.size(), 1500u);
    EXPECT_EQ(out.bytes[0], 'U');
    EXPECT_TRUE(out.hungUp);
    EXPECT_EQ(sim.dueMicros(), std::nullopt);
}

TEST_F(Faults, EveryOtherRequestIsAnswered)
{
    sim.faults().everyOther = true;
    sim.receive('?');
    EXPECT_EQ(sim.takeDue().bytes, "OC10351");
    EXPECT_EQ(request(FrameSpec{}), "");
    EXPECT_EQ(request(FrameSpec{}).size(), 3001u);
    sim.receive('?');
    EXPECT_EQ(sim.takeDue().bytes, "");
}

struct ParseCase
{
    const char* text;
    bool valid;
    SimSignal signal;
};

// Names the case in test listings and failure messages.
void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << '"' << c.text << (c.valid ? "\" valid" : "\" refused");
}

class SignalParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(SignalParse, ReadsKindFrequencyAmplitudeOffset)
{
    const std::optional<SimSignal> parsed = SimSignal::parse(GetParam().text);
    ASSERT_EQ(parsed.has_value(), GetParam().valid);
    if (!parsed)
        return;
    EXPECT_EQ(parsed->kind, GetParam().signal.kind);
    EXPECT_DOUBLE_EQ(parsed->frequency, GetParam().signal.frequency);
    EXPECT_DOUBLE_EQ(parsed->amplitude, GetParam().signal.amplitude);
    EXPECT_DOUBLE_EQ(parsed->offset, GetParam().signal.offset);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SignalParse,
    ::testing::Values(ParseCase{"sine:1000:0.5:0", true, {SimWaveform::Sine, 1000, 0.5, 0}},
                      ParseCase{"Square:50", true, {SimWaveform::Square, 50, 0, 0}},
                      ParseCase{
                          "triangle:2e3:1:-0.25", true, {SimWaveform::Triangle, 2000, 1, -0.25}},
                      ParseCase{"dc::0:1.5", true, {SimWaveform::Dc, 1000, 0, 1.5}},
                      ParseCase{"", false, {}}, ParseCase{"saw:100", false, {}},
                      ParseCase{"sine:fast", false, {}}, ParseCase{"sine:1:2:3:4", false, {}},
                      ParseCase{"sine:-5", false, {}}, ParseCase{"sine:1:nan", false, {}}));

TEST(SimSignalValue, WaveShapesOverOnePeriod)
{
    const SimSignal square{SimWaveform::Square, 100.0, 2.0, 1.0};
    EXPECT_DOUBLE_EQ(square.valueAt(0.001), 3.0);
    EXPECT_DOUBLE_EQ(square.valueAt(0.006), -1.0);
    const SimSignal triangle{SimWaveform::Triangle, 100.0, 2.0, 0.0};
    EXPECT_NEAR(triangle.valueAt(0.0025), 2.0, 1e-9);
    EXPECT_NEAR(triangle.valueAt(0.005), 0.0, 1e-9);
    EXPECT_NEAR(triangle.valueAt(0.0075), -2.0, 1e-9);
    const SimSignal dc{SimWaveform::Dc, 100.0, 2.0, -0.7};
    EXPECT_DOUBLE_EQ(dc.valueAt(0.123), -0.7);
}

} // namespace
} // namespace kv
