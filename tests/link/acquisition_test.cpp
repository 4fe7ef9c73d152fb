#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "link/acquisition.h"
#include "link/rules/command_frame.h"
#include "link/rules/sample_decode.h"
#include "platform/services.h"
#include "spectrum/spectrum_launcher.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

namespace kv {
namespace {

using namespace std::chrono_literals;
using test::MainFixture;

// ---- Pure parts -----------------------------------------------------------------------------

TEST(SampleTimeTable, TimePerDivisionOverFifty)
{
    const float expected[] = {0.000001f, 0.000002f, 0.000004f, 0.00001f, 0.00002f,
                              0.00004f,  0.0001f,   0.0002f,   0.0004f,  0.001f,
                              0.002f,    0.004f,    0.01f,     0.02f};
    for (int position = 1; position <= 14; ++position)
        EXPECT_EQ(SampleTimeForPosition(position), expected[position - 1]) << position;
    EXPECT_FALSE(SampleTimeForPosition(0));
    EXPECT_FALSE(SampleTimeForPosition(15));
}

TEST(VariantChoice, FastestTimebaseHasItsOwnPasses)
{
    EXPECT_EQ(ChooseVariant(1, true), AcquireVariant::FastDual);
    EXPECT_EQ(ChooseVariant(1, false), AcquireVariant::FastSingle);
    for (int position = 2; position <= 14; ++position) {
        EXPECT_EQ(ChooseVariant(position, true), AcquireVariant::TwoChannel);
        EXPECT_EQ(ChooseVariant(position, false), AcquireVariant::TwoChannel);
    }
}

TEST(FastChannelBits, BySelectedChannelAndShownTraces)
{
    EXPECT_EQ(FastChannelBitsFor(1, false, false, "00"), "01");
    EXPECT_EQ(FastChannelBitsFor(2, true, false, "00"), "10");
    EXPECT_EQ(FastChannelBitsFor(5, true, true, "10"), "01");
    EXPECT_EQ(FastChannelBitsFor(5, false, true, "01"), "10");
    EXPECT_EQ(FastChannelBitsFor(5, false, false, "01"), "01");
    EXPECT_EQ(FastChannelBitsFor(0, true, true, "00"), "00");
    EXPECT_EQ(FastChannelBitsFor(3, true, false, "10"), "10");
}

// ---- The cycle against the simulated instrument -----------------------------------------------

class AcquisitionTest : public MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        Main& w = load();
        ASSERT_NE(w.acquisition, nullptr);
        instrument().setHonourChannelEnable(false);
        // Channel 1: 1 kHz sine of 1 V peak to peak; channel 2: 250 Hz square of 0.4 V peak.
        instrument().setSignal(1, {SimWaveform::Sine, 1000.0, 0.5, 0.0});
        instrument().setSignal(2, {SimWaveform::Square, 250.0, 0.4, 0.0});
        setTimeDiv(5); // 1 ms/div
        w.CWSlide5->setPosition(1);
        w.CWSlide2->setPosition(2);
        w.CWButton4->setValue(false);
        select(1, 2); // channel 1 at 200 mV/div
        w.state.VdivIndexCH2 = 2;
        w.state.VPosCH1 = 0;
        w.state.VPosCH2 = 0;
        w.global.ModelGainLo = 1.0f;
        w.global.ModelGainHi = 1.0f;
        w.global.GainCH1 = 1.0f; // the cycle sets the selected channel's gain only
        w.global.GainCH2 = 1.0f;
        w.global.ATTFactorCH1 = 1.0f;
        w.global.ATTFactorCH2 = 1.0f;
        w.state.CalOffsetCH1Lo = 0;
        w.state.CalOffsetCH2Lo = 0;
        setShown(true, true);
        serial().clearWritten();
    }

    Main& w() { return main(); }
    Acquisition& acq() { return *main().acquisition; }
    // The poll reads the instrument's clock: time passes only as the test advances it, so a
    // machine that stalls between two ticks cannot make a fresh request look long awaited.
    void pollOnInstrumentClock()
    {
        acq().setClock([this] {
            return Acquisition::Clock::time_point(std::chrono::microseconds(clock().nowMicros()));
        });
    }

    void setTimeDiv(int position)
    {
        w().CWKnob2->setPosition(position); // its handler sets TimebaseCode
    }
    void select(int channel, int vdivPosition)
    {
        w().global.ActiveChannel = channel;
        w().CWKnob1->setPosition(vdivPosition);
        w().state.VdivIndex = vdivPosition;
        (channel == 2 ? w().state.VdivIndexCH2 : w().state.VdivIndexCH1) = vdivPosition;
    }
    void setShown(bool ch1, bool ch2)
    {
        w().CWGraph1->setPlotVisible(QStringLiteral("PCH1"), ch1);
        w().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), ch2);
    }
    void run() { w().CWButton1->setValue(true); }
    void stop() { w().CWButton1->setValue(false); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            acq().Timer1_Timer();
    }
    bool running() const { return main_().CWButton1->value(); }
    const Main& main_() const { return const_cast<AcquisitionTest*>(this)->main(); }
    int requests() { return instrument().requestCount(); }
    // Marks the record arrays so that a tick shows whether it decoded a record.
    static constexpr double Unset = 999.0;
    void markUnset()
    {
        w().global.Samples.CountsCH1.fill(Unset);
        w().global.Samples.Counts750CH1.fill(Unset);
    }
    bool decoded() { return counts1()[0] != Unset && counts1()[1499] != Unset; }
    const std::array<double, 1500>& counts1() { return w().global.Samples.CountsCH1; }
    std::optional<SimFrame> lastFrame()
    {
        const auto frame = serial().lastFrame();
        return frame ? std::optional<SimFrame>(SimFrame::decode(*frame)) : std::nullopt;
    }
    long stopBytes()
    {
        return std::count(serial().written().begin(), serial().written().end(), char(StopCmd));
    }
    QVector<double> plotted(const char* plot)
    {
        return w().CWGraph1->plotYData(QString::fromLatin1(plot));
    }
    static QVector<double> asVector(std::span<const double> values)
    {
        return QVector<double>(values.begin(), values.end());
    }
};

TEST_F(AcquisitionTest, RunSetsSampleTimeModesAndStartsTheTimer)
{
    w().state.AwaitingFrame = true;
    run();
    EXPECT_TRUE(w().Timer1->enabled());
    EXPECT_FLOAT_EQ(w().state.SampleTime, 0.00002f);
    EXPECT_TRUE(w().state.ContinuousMode);
    EXPECT_FALSE(w().state.SingleShot);
    EXPECT_FALSE(w().state.AwaitingFrame);
    EXPECT_TRUE(serial().written().empty()); // Run itself sends nothing
}

TEST_F(AcquisitionTest, RunAndStopSetTheSpectrumWindowsRunSwitch)
{
    ASSERT_NE(w().spectrum, nullptr);
    run();
    ASSERT_NE(w().spectrum->window(), nullptr); // loaded, hidden, on first use
    EXPECT_TRUE(w().spectrum->window()->CWButton3->value());
    EXPECT_FALSE(w().spectrum->window()->isVisible());
    stop();
    EXPECT_FALSE(w().spectrum->window()->CWButton3->value());
    EXPECT_FALSE(running());
}

TEST_F(AcquisitionTest, StopDisablesTheTimerAndSendsTheStopByte)
{
    run();
    w().state.AwaitingFrame = true;
    stop();
    EXPECT_FALSE(w().Timer1->enabled());
    EXPECT_FALSE(w().state.AwaitingFrame);
    EXPECT_EQ(serial().written(), std::string(1, char(StopCmd)));
}

TEST_F(AcquisitionTest, SingleModeDecodesExactlyOneRecordAndStopsOnce)
{
    w().CWButton4->setValue(true);
    run();
    EXPECT_TRUE(w().state.SingleShot);
    markUnset();
    ticks(1);
    EXPECT_TRUE(decoded());
    EXPECT_FALSE(running());
    EXPECT_FALSE(w().Timer1->enabled());
    EXPECT_FALSE(w().state.SingleShot);
    // One frame, then the one stop byte of the Stop handler.
    ASSERT_EQ(serial().written().size(), std::size_t(CommandFrameLength + 1));
    EXPECT_EQ(serial().written().back(), char(StopCmd));
    EXPECT_EQ(stopBytes(), 1);
    const int asked = requests();
    const auto record = counts1();
    ticks(3); // a stray tick after Stop asks for nothing
    EXPECT_EQ(requests(), asked);
    EXPECT_EQ(counts1(), record);
}

// Two clicks on "Single Acquisition": the first selects single mode, the second gives Run/Stop
// action code 2. A click on Run/Stop then still takes one record and stops once.
TEST_F(AcquisitionTest, AfterTwoClicksOnTheSingleLabelAClickTakesOneRecordAndStopsOnce)
{
    const QPoint label = w().Label16->rect().center();
    QTest::mouseClick(w().Label16, Qt::LeftButton, Qt::NoModifier, label);
    QTest::mouseClick(w().Label16, Qt::LeftButton, Qt::NoModifier, label);
    ASSERT_TRUE(w().CWButton4->value());
    ASSERT_EQ(w().CWButton1->mechanicalAction(), CwButton::ActionSwitchWhenPressed);
    serial().clearWritten();
    markUnset();
    const int asked = requests();

    const QPoint centre = w().CWButton1->rect().center();
    QTest::mousePress(w().CWButton1, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(w().CWButton1, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_TRUE(running()); // the release leaves the capture under way
    EXPECT_EQ(stopBytes(), 0);
    for (int tick = 0; tick < 10 && running(); ++tick)
        ticks(1);

    EXPECT_TRUE(decoded());
    EXPECT_EQ(requests(), asked + 1);
    EXPECT_FALSE(running());
    EXPECT_FALSE(w().Timer1->enabled());
    ASSERT_EQ(serial().written().size(), std::size_t(CommandFrameLength + 1));
    EXPECT_EQ(stopBytes(), 1);
    EXPECT_EQ(serial().written().back(), char(StopCmd));
}

TEST_F(AcquisitionTest, ContinuousModeTakesARecordPerTickUntilStop)
{
    run();
    const int asked = requests();
    for (int i = 0; i < 5; ++i) {
        markUnset();
        ticks(1);
        EXPECT_TRUE(decoded()) << i;
        EXPECT_EQ(plotted("PCH1"), asVector(w().global.Samples.TraceCH1));
        EXPECT_EQ(plotted("PCH2"), asVector(w().global.Samples.TraceCH2));
    }
    EXPECT_EQ(requests(), asked + 5);
    EXPECT_TRUE(running());
    EXPECT_EQ(w().state.BytesWaiting2CH, DataFrameLength);
    EXPECT_FALSE(w().state.FramePlotted);
    EXPECT_EQ(serial().replyLength(), 501);
    EXPECT_EQ(stopBytes(), 0);
}

TEST_F(AcquisitionTest, OneKilohertzSineReadsUprightWithPeriodFrequencyAndAmplitude)
{
    run();
    ticks(1);
    EXPECT_EQ(w().TimeVal->text(), "50K s/S");
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
    EXPECT_EQ(w().lblPrd->text(), "1 mS");
    const QString p2p = w().lblP2P->text();
    const double volts =
        p2p.endsWith("mV") ? p2p.chopped(2).toDouble() / 1000 : p2p.chopped(2).toDouble();
    EXPECT_NEAR(volts, 1.0, 0.05) << p2p.toStdString();
    // Plot scale of 200 mV/div in the low range.
    EXPECT_DOUBLE_EQ(w().state.PlotScaleCH1, 50.0 * (4.0 / 0.2) / 256.0);
}

TEST_F(AcquisitionTest, PositiveVoltageReadsPositiveAndShowsAboveTheZeroLine)
{
    instrument().setSignal(1, {SimWaveform::Dc, 1000.0, 0.0, 0.5});
    w().state.VPosCH1 = 20;
    run();
    ticks(1);
    EXPECT_EQ(w().lblMnn->text().left(1), "5") << w().lblMnn->text().toStdString();
    EXPECT_TRUE(w().lblMnn->text().endsWith("mV"));
    // Graph units grow downward: a trace value above the zero line is below VPos.
    EXPECT_TRUE(w().CWGraph1->yAxisDownward());
    for (double value : w().global.Samples.TraceCH1)
        ASSERT_LT(value, 20.0);
    EXPECT_EQ(w().state.FrameVPosCH1, 20);
}

TEST_F(AcquisitionTest, StaleBytesAfterAStopAreFlushedBeforeTheNextRequest)
{
    instrument().setPace(SimPace::Real);
    run();
    ticks(1); // request out, capture under way
    EXPECT_TRUE(w().state.AwaitingFrame);
    // Part of the record arrives, then Stop.
    clock().advance(1500 * 20 + 500);
    ASSERT_GT(serial().BytesWaiting(), 0);
    ASSERT_LT(serial().BytesWaiting(), Acquisition::FirstChunk);
    stop();
    EXPECT_FALSE(w().state.AwaitingFrame);
    instrument().setPace(SimPace::AtOnce);
    run();
    markUnset();
    ticks(1);
    EXPECT_TRUE(decoded());
    EXPECT_EQ(serial().BytesWaiting(), 0);
    EXPECT_EQ(w().lblFrq->text(), "1KHz"); // a whole, fresh record
}

TEST_F(AcquisitionTest, ARecordLongAwaitedIsPolledLessOften)
{
    pollOnInstrumentClock();
    instrument().setPace(SimPace::Real);
    run();
    ticks(1); // request out, capture under way
    ticks(1);
    EXPECT_FALSE(w().Timer1->resting()); // just asked: every tick polls
    // Still within the capture (1500 samples of 20 us): no byte has come.
    clock().advance(std::chrono::microseconds(Acquisition::IdleAfter + 5ms).count());
    ASSERT_EQ(serial().BytesWaiting(), 0);
    ticks(1);
    EXPECT_TRUE(w().Timer1->resting());
    EXPECT_EQ(w().Timer1->interval(), 1);
    EXPECT_TRUE(w().Timer1->enabled());
    EXPECT_TRUE(w().state.AwaitingFrame);
    // The record, once there, is taken by the next pass as ever.
    clock().advance(1'000'000);
    ticks(1);
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
}

TEST_F(AcquisitionTest, BytesBeyondTheRecordWaitForTheNextRequestsFlush)
{
    instrument().setPace(SimPace::Real);
    run();
    ticks(1);
    serial().WriteByte(IdentifyCmd); // an identity answer queued behind the record
    clock().advance(1'000'000);
    ticks(1);
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
    EXPECT_EQ(serial().BytesWaiting(), 7);
    instrument().setPace(SimPace::AtOnce);
    ticks(1);
    EXPECT_EQ(serial().BytesWaiting(), 0);
    EXPECT_EQ(w().lblFrq->text(), "1KHz");
}

TEST_F(AcquisitionTest, DroppedRecordsKeepAndReplotTheLastGoodRecord)
{
    struct Case
    {
        const char* name;
        SimFaults faults;
    };
    SimFaults wrongSync;
    wrongSync.wrongSync = true;
    SimFaults shortRecord;
    shortRecord.shortRecord = 2000;
    SimFaults shortPartial;
    shortPartial.shortRecord = 500; // never reaches the 751 of the poll
    SimFaults garbage;
    garbage.garbage = true;
    const Case cases[] = {{"wrong sync", wrongSync},
                          {"short record", shortRecord},
                          {"record stopping below the poll", shortPartial},
                          {"garbage", garbage}};
    acq().setLinkStall(0ms);
    run();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        instrument().setFaults({});
        ticks(1);
        markUnset();
        w().global.Samples.TraceCH1.fill(-5); // the dropped pass plots these again
        w().state.FramePlotted = true;
        instrument().setFaults(c.faults);
        ticks(3);
        EXPECT_EQ(counts1()[0], Unset);
        EXPECT_EQ(plotted("PCH1"), asVector(w().global.Samples.TraceCH1));
        EXPECT_FALSE(w().state.FramePlotted);
        EXPECT_TRUE(running());
        instrument().setFaults({});
        ticks(2);
        EXPECT_TRUE(decoded());
        EXPECT_EQ(w().lblFrq->text(), "1KHz");
    }
}

TEST_F(AcquisitionTest, DroppedRecordStillEndsSingleMode)
{
    SimFaults faults;
    faults.wrongSync = true;
    instrument().setFaults(faults);
    w().CWButton4->setValue(true);
    run();
    const auto before = counts1();
    ticks(1);
    EXPECT_EQ(counts1(), before);
    EXPECT_FALSE(running());
    EXPECT_EQ(stopBytes(), 1);
}

TEST_F(AcquisitionTest, SilentInstrumentIsPolledWithoutNewRequests)
{
    SimFaults faults;
    faults.silence = true;
    instrument().setFaults(faults);
    run();
    const int asked = requests();
    ticks(50);
    EXPECT_EQ(requests(), asked + 1);
    EXPECT_TRUE(w().state.AwaitingFrame);
    EXPECT_TRUE(running());
    EXPECT_EQ(clock().nowMicros(), 0); // no read waited for bytes
    stop();
    EXPECT_FALSE(w().state.AwaitingFrame);
    EXPECT_EQ(stopBytes(), 1);
}

TEST(ReplyDeadline, CaptureTimeOfTheRecordPlusTheMargin)
{
    EXPECT_EQ(ReplyDeadline(20e-6), 1030ms); // 1 ms/div
    EXPECT_EQ(ReplyDeadline(0.02), 31000ms); // 1 s/div: a 30 s record
    EXPECT_EQ(ReplyDeadline(0.0), ReplyMargin);
}

TEST(ReplyDeadline, OfTheTimebaseCodeTheRequestCarries)
{
    EXPECT_EQ(ReplyDeadlineOfCode("00011"), 1003ms);  // 100 us/div (and 50 us/div): 3 ms
    EXPECT_EQ(ReplyDeadlineOfCode("00110"), 1030ms);  // 1 ms/div
    EXPECT_EQ(ReplyDeadlineOfCode("01110"), 16000ms); // 500 ms/div: a 15 s record
    EXPECT_EQ(ReplyDeadlineOfCode("01111"), 31000ms); // 1 s/div
    // A code the table does not hold may be the slowest: its record is not cut short.
    EXPECT_EQ(ReplyDeadlineOfCode("00010"), 31000ms);
    EXPECT_EQ(ReplyDeadlineOfCode("10000"), 31000ms);
    EXPECT_EQ(ReplyDeadlineOfCode(""), 31000ms);
}

// The poll reads the instrument's clock, so that the silence can pass without waiting for it.
class ReplyDeadlineTest : public AcquisitionTest
{
  protected:
    void SetUp() override
    {
        AcquisitionTest::SetUp();
        pollOnInstrumentClock();
    }
    void waitTicking(std::chrono::milliseconds span, std::chrono::milliseconds step = 10ms)
    {
        for (auto waited = 0ms; waited < span; waited += step) {
            clock().advance(std::chrono::microseconds(step).count());
            ticks(1);
        }
    }
    // Ticks (every 100 ms, at most `span`) until a command frame reaches the instrument.
    bool nextFrameReached(std::chrono::milliseconds span)
    {
        const int before = instrument().frameCount();
        for (auto waited = 0ms; waited < span; waited += 100ms) {
            if (instrument().frameCount() > before)
                return true;
            clock().advance(100'000);
            ticks(1);
        }
        return instrument().frameCount() > before;
    }
    // From a request just received, a 500 ms/div record (15 s of capture): nothing more reaches
    // the instrument while it captures, and the record is decoded when its bytes are there.
    void expectOneRequestForTheSlowRecord()
    {
        const int asked = instrument().frameCount();
        markUnset();
        waitTicking(14'900ms, 100ms);
        EXPECT_EQ(instrument().frameCount(), asked) << "asked again during the capture";
        EXPECT_FALSE(decoded());
        EXPECT_TRUE(w().state.AwaitingFrame);
        waitTicking(200ms, 100ms); // the capture ends, the bytes come
        EXPECT_TRUE(decoded());
        EXPECT_TRUE(running());
    }
};

TEST_F(ReplyDeadlineTest, LostRequestIsSentAgainAfterTheSilence)
{
    SimFaults lost;
    lost.silence = true;
    instrument().setFaults(lost);
    run();
    ticks(1);
    const int asked = requests();
    waitTicking(ReplyDeadline(w().state.SampleTime) - 20ms);
    EXPECT_EQ(requests(), asked); // still within the record's time
    instrument().setFaults({});
    markUnset();
    waitTicking(30ms);
    EXPECT_EQ(requests(), asked + 1); // asked again, and answered this time
    EXPECT_TRUE(decoded());
    EXPECT_TRUE(running());
}

TEST_F(ReplyDeadlineTest, ThirtySecondRecordAtOneSecondADivisionIsNotSentAgain)
{
    stop();
    setTimeDiv(14); // 1 s/div
    instrument().setPace(SimPace::Real);
    run();
    ASSERT_FLOAT_EQ(w().state.SampleTime, 0.02f);
    markUnset();
    ticks(1);
    const int asked = requests();
    waitTicking(29'900ms, 100ms); // the capture: no byte for 30 s
    EXPECT_EQ(requests(), asked);
    EXPECT_TRUE(w().state.AwaitingFrame);
    clock().advance(200'000); // then the bytes
    ticks(1);
    EXPECT_EQ(requests(), asked);
    EXPECT_TRUE(decoded());
}

// Link trouble before a slow record does not shorten its deadline: each one is asked for once.
TEST_F(ReplyDeadlineTest, ReplugAtFiveHundredMillisecondsADivisionAsksOncePerRecord)
{
    stop();
    setTimeDiv(13); // 500 ms/div
    instrument().setPace(SimPace::Real);
    run();
    ticks(1);
    waitTicking(3s, 100ms); // the capture under way
    serial().unplug();
    waitTicking(5s, 100ms); // the passes go on while the device is gone
    serial().plug();
    ASSERT_TRUE(nextFrameReached(2s)) << "the plugged-in instrument was not asked";
    EXPECT_TRUE(serial().isOpen());
    expectOneRequestForTheSlowRecord();
    ASSERT_TRUE(nextFrameReached(200ms)); // then the next record, asked for once as well
    expectOneRequestForTheSlowRecord();
}

TEST_F(ReplyDeadlineTest, CutRecordThenASlowTimeBaseAsksOncePerRecord)
{
    SimFaults cut;
    cut.shortRecord = 2000;
    instrument().setFaults(cut);
    run();
    ticks(1); // 2000 bytes of the record come, then nothing
    ASSERT_EQ(serial().BytesWaiting(), 2000);
    clock().advance(1'100'000);
    markUnset();
    ticks(1); // the stalled record is read and dropped
    ASSERT_FALSE(w().state.AwaitingFrame);
    ASSERT_EQ(serial().BytesWaiting(), 0);
    EXPECT_FALSE(decoded());
    instrument().setFaults({});
    instrument().setPace(SimPace::Real);
    w().mnuH500ms->trigger();
    ASSERT_TRUE(nextFrameReached(200ms));
    EXPECT_EQ(lastFrame()->timebaseCode, 14);
    expectOneRequestForTheSlowRecord();
}

// With no channel on, a time/div change leaves SampleTime as it was: the request's deadline
// follows the time base it carries.
TEST_F(ReplyDeadlineTest, TimeDivChangeWithNoChannelOnAsksOncePerRecord)
{
    stop();
    w().global.ActiveChannel = 0;
    setShown(false, false);
    setTimeDiv(1); // 50 us/div
    run();
    ticks(3);
    ASSERT_FLOAT_EQ(w().state.SampleTime, 0.000001f);
    instrument().setPace(SimPace::Real);
    w().mnuH500ms->trigger();
    EXPECT_FLOAT_EQ(w().state.SampleTime, 0.000001f);
    ASSERT_TRUE(nextFrameReached(200ms));
    EXPECT_EQ(lastFrame()->timebaseCode, 14);
    expectOneRequestForTheSlowRecord();
    ASSERT_TRUE(nextFrameReached(200ms));
    expectOneRequestForTheSlowRecord();
}

TEST_F(AcquisitionTest, UnpluggedMidRecordThenPluggedBackShowsTheNextGoodRecord)
{
    for (int cut : {1000, 500}) {
        SCOPED_TRACE(cut);
        acq().setLinkStall(0ms);
        stop();
        serial().plug();
        serial().PortSetup();
        instrument().setFaults({});
        run();
        ticks(1);
        ASSERT_EQ(w().lblFrq->text(), "1KHz");
        markUnset();
        SimFaults faults;
        faults.hangUpAfter = cut;
        instrument().setFaults(faults);
        ticks(5);
        EXPECT_FALSE(serial().plugged());
        EXPECT_EQ(counts1()[0], Unset);
        EXPECT_TRUE(running());
        instrument().setFaults({});
        ticks(5); // still unplugged: passes go on, nothing breaks
        EXPECT_EQ(counts1()[0], Unset);
        serial().plug();
        ticks(3);
        EXPECT_TRUE(serial().isOpen());
        EXPECT_TRUE(decoded());
        EXPECT_EQ(w().lblFrq->text(), "1KHz");
    }
}

TEST_F(AcquisitionTest, TwoChannelPassAtEveryTimebaseFromPosition2)
{
    for (int position = 2; position <= 14; ++position) {
        SCOPED_TRACE(position);
        stop();
        setTimeDiv(position);
        run();
        EXPECT_FLOAT_EQ(w().state.SampleTime, *SampleTimeForPosition(position));
        markUnset();
        ticks(1);
        const auto frame = lastFrame();
        ASSERT_TRUE(frame);
        EXPECT_FALSE(frame->fastMode);
        EXPECT_EQ(frame->timebaseCode, position + 1);
        EXPECT_TRUE(decoded());
        EXPECT_EQ(plotted("PCH1").size(), 1500);
        EXPECT_EQ(w().CWGraph1->plotXIncrement(QStringLiteral("PCH1")), 1.0);
        EXPECT_FALSE(w().state.FramePlotted);
    }
}

TEST_F(AcquisitionTest, FastSingleChannel1TakesTheMiddleOfTheRecord)
{
    setTimeDiv(1);
    setShown(true, false);
    run();
    ticks(1);
    const auto frame = lastFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->fastMode);
    EXPECT_EQ(frame->fastChannelBits, 1);
    EXPECT_EQ(w().state.FastChannelBits, "01");
    EXPECT_EQ(w().state.BytesWaiting1CH, DataFrameLength);
    EXPECT_TRUE(w().state.FramePlotted);
    EXPECT_EQ(plotted("PCH1"), asVector(w().global.Samples.TraceCH1));
    EXPECT_EQ(w().TimeVal->text(), "1M s/S");
    // 1 kHz at 1 MS/s: 1.5 periods in the record.
    EXPECT_NE(w().lblMAX->text(), "0mV");
}

TEST_F(AcquisitionTest, FastSingleChannel2UsesChannel2SettingsIntoTheChannel1Arrays)
{
    setTimeDiv(1);
    setShown(false, true);
    select(2, 4); // 1 V/div, high range
    w().state.CH2RangeBit = "1";
    w().state.PlotScaleCH2 = 2.5;
    w().state.VPosCH2 = 40;
    instrument().setSignal(2, {SimWaveform::Dc, 1000.0, 0.0, 2.0});
    const auto traceCH2 = w().global.Samples.TraceCH2;
    run();
    ticks(1);
    EXPECT_EQ(w().state.FastChannelBits, "10");
    EXPECT_EQ(lastFrame()->fastChannelBits, 2);
    const auto& s = w().global.Samples;
    for (std::size_t i = 0; i < s.CountsCH1.size(); ++i)
        ASSERT_DOUBLE_EQ(s.TraceCH1[i], s.CountsCH1[i] * 2.5 + 40) << i;
    // 2 V in the 20 V range: about -25 counts.
    EXPECT_NEAR(s.CountsCH1[700], -25.5, 1.0);
    EXPECT_EQ(s.TraceCH2, traceCH2);
    EXPECT_EQ(plotted("PCH2"), asVector(s.TraceCH1));
}

TEST_F(AcquisitionTest, FastSingleWithNoChannelDecodesNothingYetClosesThePass)
{
    setTimeDiv(1);
    setShown(false, false);
    w().global.ActiveChannel = 0;
    w().state.FastChannelBits = "00";
    w().state.FramePlotted = false;
    const auto before = counts1();
    run();
    ticks(1);
    EXPECT_EQ(counts1(), before);
    EXPECT_TRUE(w().state.FramePlotted);
    EXPECT_EQ(w().TimeVal->text(), "1M s/S");
    EXPECT_EQ(serial().replyLength(), 501);
}

TEST_F(AcquisitionTest, BothTracesAtTheFastestTimebaseUseTheMiddle750OfEachHalf)
{
    instrument().setSignal(2, {SimWaveform::Square, 4000.0, 0.4, 0.0});
    setTimeDiv(1);
    run();
    ticks(1);
    const auto frame = lastFrame();
    ASSERT_TRUE(frame);
    EXPECT_FALSE(frame->fastMode);
    EXPECT_EQ(w().state.BytesWaitingFast, DataFrameLength);
    EXPECT_TRUE(w().state.FramePlotted);
    const auto& s = w().global.Samples;
    EXPECT_EQ(plotted("PCH1"), asVector(s.Trace750CH1));
    EXPECT_EQ(plotted("PCH2"), asVector(s.Trace750CH2));
    EXPECT_EQ(w().CWGraph1->plotXIncrement(QStringLiteral("PCH1")), 2.0);
    EXPECT_EQ(w().CWGraph1->plotXFirst(QStringLiteral("PCH2")), 0.0);
    EXPECT_EQ(w().TimeVal->text(), "500K s/S");
    EXPECT_EQ(w().Frq2->text(), "4KHz");
    // Square of 0.4 V peak on channel 2 in the 4 V range: about 25 counts either side.
    const auto [lo, hi] = std::minmax_element(s.Counts750CH2.begin(), s.Counts750CH2.end());
    EXPECT_NEAR(*lo, -25.5, 1.5);
    EXPECT_NEAR(*hi, 25.5, 1.5);
}

TEST_F(AcquisitionTest, ScaleAndGainOnlyForTheSelectedChannel)
{
    w().global.ModelGainLo = 0.5f;
    w().global.ModelGainHi = 2.0f;
    w().global.GainCH2 = 7.0f;
    w().state.PlotScaleCH2 = 7.0;
    select(1, 4);
    run();
    ticks(1);
    EXPECT_FLOAT_EQ(w().global.GainCH1, 2.0f);
    EXPECT_DOUBLE_EQ(w().state.PlotScaleCH1, 50.0 * (20.0 / 1.0) / 256.0);
    EXPECT_FLOAT_EQ(w().global.GainCH2, 7.0f);
    EXPECT_DOUBLE_EQ(w().state.PlotScaleCH2, 7.0);

    w().global.ActiveChannel = 0;
    w().global.GainCH1 = 3.0f;
    ticks(1);
    EXPECT_FLOAT_EQ(w().global.GainCH1, 3.0f);
}

TEST_F(AcquisitionTest, SnapToPlotAttachesTheCursorsToTheSelectedTrace)
{
    w().CWSlide2->setPosition(1);
    select(2, 2);
    run();
    ticks(1);
    for (const char* cursor : {"A", "B"}) {
        EXPECT_EQ(w().CWGraph1->cursorPlot(cursor), "PCH2");
        EXPECT_EQ(w().CWGraph1->cursorSnapMode(cursor), CwGraph::SnapToPlot);
    }
    w().CWSlide2->setPosition(2);
    ticks(1);
    EXPECT_EQ(w().CWGraph1->cursorSnapMode("A"), CwGraph::SnapFloating);
}

TEST_F(AcquisitionTest, TriggerCaptionFollowsTheHorizontalPosition)
{
    run();
    for (auto [position, caption] :
         {std::pair{1, "10% Trigger"}, std::pair{3, "90% Trigger"}, std::pair{2, "50% Trigger"}}) {
        w().state.HTrigPosition = position;
        ticks(1);
        EXPECT_EQ(w().labSetHTrg->text(), caption);
    }
}

TEST_F(AcquisitionTest, TickDoesNothingWhileAModalDialogIsOpen)
{
    run();
    const int asked = requests();
    {
        ModalGuard modal;
        ticks(3);
        w().Timer1->fire();
    }
    EXPECT_EQ(requests(), asked);
    w().Timer1->fire();
    EXPECT_EQ(requests(), asked + 1);
}

TEST_F(AcquisitionTest, ModeSwitchLabelsAndMenu)
{
    w().CWButton4->setValue(true);
    EXPECT_TRUE(w().mnuASingle->isChecked());
    EXPECT_FALSE(w().mnuAContinuous->isChecked());
    EXPECT_EQ(w().CWButton1->mechanicalAction(), CwButton::ActionSwitch);
    w().mnuAContinuous->trigger();
    EXPECT_FALSE(w().CWButton4->value());
    EXPECT_TRUE(w().mnuAContinuous->isChecked());
    w().mnuASingle->trigger();
    EXPECT_TRUE(w().CWButton4->value());

    // The captions flip the switch by the Run/Stop button's action code.
    w().CWButton4->setValue(false);
    acq().Label15_Click(); // action 1: single
    EXPECT_TRUE(w().CWButton4->value());
    w().CWButton1->setMechanicalAction(CwButton::ActionSwitchWhenPressed);
    acq().Label16_Click(); // action 2: continuous
    EXPECT_FALSE(w().CWButton4->value());
    EXPECT_EQ(w().CWButton1->mechanicalAction(), CwButton::ActionSwitch);

    w().mnuARunStop->trigger();
    EXPECT_TRUE(running());
    EXPECT_TRUE(w().Timer1->enabled());
    w().mnuARunStop->trigger();
    EXPECT_FALSE(running());
}

// ---- A reply that is the empty text ----------------------------------------------------------

// Reports a whole record waiting, then reads nothing.
class EmptyReplySerial : public SerialControl
{
  public:
    void PortNumber(int number) override { port_ = number; }
    int PortNumber() const override { return port_; }
    void ReplyLength(int) override {}
    void WriteByte(std::uint8_t byte) override { written.push_back(char(byte)); }
    std::string ReadBytes(int) override { return {}; }
    std::int16_t BytesWaiting() override { return DataFrameLength; }
    void FlushInput() override {}
    void PortSetup() override {}
    void PortReset() override {}
    std::string written;

  private:
    int port_ = 1;
};

TEST(AcquisitionEmptyReply, SwitchesRunOff)
{
    QTemporaryDir folder;
    EmptyReplySerial serial;
    test::ScriptedDialogs dialogs;
    test::RecordingShell shell;
    test::FixedRegistry registry;
    test::FixedSystemInfo systemInfo;
    PdfPrinterFactory printers(folder.filePath(QStringLiteral("print.pdf")));
    Main w(MainServices{serial, dialogs, shell, registry, systemInfo, printers, folder.path()});
    w.CWKnob2->setPosition(5);
    const auto before = w.global.Samples.CountsCH1;
    w.CWButton1->setValue(true);
    w.acquisition->Timer1_Timer();
    EXPECT_FALSE(w.CWButton1->value());
    EXPECT_FALSE(w.Timer1->enabled());
    EXPECT_EQ(serial.written.back(), char(StopCmd));
    EXPECT_EQ(w.global.Samples.CountsCH1, before);
}

} // namespace
} // namespace kv
