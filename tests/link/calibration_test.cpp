#include "link/calibration.h"
#include "link/rules/sample_decode.h"
#include "support/main_fixture.h"

#include <QSignalBlocker>
#include <algorithm>
#include <vector>

namespace kv::test {
namespace {

// ---- Pure parts
// ------------------------------------------------------------------------------------

std::string record(char sync, std::uint8_t ch1, std::uint8_t ch2)
{
    std::string r(1, sync);
    r.append(1500, static_cast<char>(ch1));
    r.append(1500, static_cast<char>(ch2));
    return r;
}

TEST(CalibrationCapture, ClassifiesReplies)
{
    EXPECT_EQ(ClassifyCapture(record('U', 129, 127)), CaptureKind::Good);
    EXPECT_EQ(ClassifyCapture(record('U', 129, 127) + "U"), CaptureKind::Good);
    // Not measured, but the link lives: the next capture follows.
    EXPECT_EQ(ClassifyCapture(record('X', 129, 127)), CaptureKind::Bad);
    EXPECT_EQ(ClassifyCapture(record('U', 129, 127).substr(0, 3000)), CaptureKind::Bad);
    EXPECT_EQ(ClassifyCapture(record('X', 129, 127).substr(0, 751)), CaptureKind::Bad);
    EXPECT_EQ(ClassifyCapture("U"), CaptureKind::Bad);
    // Nothing came: no instrument answers.
    EXPECT_EQ(ClassifyCapture(""), CaptureKind::LinkFailed);
}

TEST(CalibrationCapture, MeanOfTheChannelsBytes)
{
    std::vector<double> raw(1500, 99.0);
    EXPECT_FLOAT_EQ(CaptureMean(record('U', 129, 120), 1, raw), 2.0f);
    EXPECT_DOUBLE_EQ(raw.front(), 2.0);
    EXPECT_DOUBLE_EQ(raw.back(), 2.0);
    EXPECT_FLOAT_EQ(CaptureMean(record('U', 129, 120), 2), -7.0f);
    std::string mixed = record('U', 127, 127);
    mixed[1] = char(127 + 75);
    mixed[2] = char(127 + 75);
    EXPECT_FLOAT_EQ(CaptureMean(mixed, 1), 0.1f);
}

TEST(CalibrationCapture, OffsetIsTheMeanOfTheGoodCapturesOnly)
{
    std::vector<std::optional<float>> captures(50, 2.0f);
    EXPECT_DOUBLE_EQ(PhaseOffset(captures).value(), 2.0);
    // A whole record without its sync is not measured, so it does not pull the mean to 0.
    captures[17] = std::nullopt;
    EXPECT_DOUBLE_EQ(PhaseOffset(captures).value(), 2.0);
    captures.assign(50, std::nullopt);
    EXPECT_FALSE(PhaseOffset(captures).has_value());
    captures[0] = 1.0f;
    captures[1] = 2.5f;
    EXPECT_DOUBLE_EQ(PhaseOffset(captures).value(), 1.75);
}

TEST(CalibrationFrames, FourFixedFrames)
{
    const std::array<std::uint8_t, 4> byte1{114, 101, 128, 102};
    for (std::size_t i = 0; i < CalFrames.size(); ++i) {
        const auto& f = CalFrames[i].bytes;
        EXPECT_EQ(f[0], 0xAA);
        EXPECT_EQ(f[1], byte1[i]);
        EXPECT_EQ(f[4], 0x02);
        EXPECT_EQ((std::array<std::uint8_t, 4>{f[5], f[6], f[7], f[8]}),
                  (std::array<std::uint8_t, 4>{240, 5, 239, 3}));
        EXPECT_EQ(CalFrames[i].channel, i < 2 ? 1 : 2);
    }
}

// ---- The calibration in the window
// ----------------------------------------------------------------

class Calibrate : public MainFixture
{
  protected:
    void SetUp() override
    {
        instrument().faults().silence = true; // no first-run question at start-up
        load();
        instrument().faults().silence = false;
        Main& m = main();
        m.state.CalOffsetCH1Lo = 5;
        m.state.CalOffsetCH1Hi = 6;
        m.state.CalOffsetCH2Lo = 7;
        m.state.CalOffsetCH2Hi = 8;
        m.Options->setVisible(false);
    }

    // Both inputs at one DC level.
    void inputs(double volts)
    {
        SimSignal dc;
        dc.kind = SimWaveform::Dc;
        dc.offset = volts;
        instrument().setSignal(1, dc);
        instrument().setSignal(2, dc);
    }

    void answerBoth() { dialogs().answer(MsgResult::Yes).answer(MsgResult::OK); }

    void press()
    {
        main().btnCalibrate->setValue(true);
        main().btnCalibrate->setValue(false);
    }

    std::vector<double> offsets()
    {
        const ScopeState& s = main().state;
        return {s.CalOffsetCH1Lo.toNumber(), s.CalOffsetCH1Hi.toNumber(),
                s.CalOffsetCH2Lo.toNumber(), s.CalOffsetCH2Hi.toNumber()};
    }

    // The command frames written since the last clear.
    std::vector<std::array<std::uint8_t, 9>> framesWritten()
    {
        std::vector<std::array<std::uint8_t, 9>> frames;
        const std::string& w = serial().written();
        for (std::size_t i = 0; i + 9 <= w.size(); ++i) {
            if (std::uint8_t(w[i]) != 0xAA)
                continue;
            std::array<std::uint8_t, 9> f{};
            for (std::size_t k = 0; k < 9; ++k)
                f[k] = std::uint8_t(w[i + k]);
            frames.push_back(f);
            i += 8;
        }
        return frames;
    }
};

struct LevelCase
{
    double volts;                 // at both inputs
    std::array<double, 4> expect; // CH1 low, CH1 high, CH2 low, CH2 high
};

// Names the case in test listings and failure messages.
void PrintTo(const LevelCase& c, std::ostream* os)
{
    *os << c.volts << " V at both inputs";
}

class CalibrateLevels : public Calibrate, public ::testing::WithParamInterface<LevelCase>
{
};

// Bytes of 129 in a range (2 counts above the converter's 127) give an offset of 2: -8/255 V
// reads 129 in the 4 V span and 127 in the 20 V span, -40/255 V reads 137 and 129.
TEST_P(CalibrateLevels, OffsetsFromTheInstrument)
{
    Main& m = main();
    inputs(GetParam().volts);
    serial().clearWritten();
    answerBoth();
    press();
    const std::vector<double> o = offsets();
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(o[i], GetParam().expect[i], 1e-9) << "phase " << i + 1;

    const auto frames = framesWritten();
    ASSERT_EQ(frames.size(), 200u);
    for (std::size_t i = 0; i < frames.size(); ++i)
        ASSERT_EQ(frames[i], CalFrames[i / 50].bytes) << "capture " << i;
    EXPECT_EQ(m.pgbNow->value(), 100);
    EXPECT_EQ(m.pgbMain->value(), 200);
    EXPECT_EQ(m.pgbMain->axisMaximum(), 200);
    EXPECT_EQ(m.lblpgbNow->text(), "Calibrateing CH2");
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_TRUE(m.CWButton1->isEnabled());
    EXPECT_FALSE(m.CWButton1->value());
}

INSTANTIATE_TEST_SUITE_P(Levels, CalibrateLevels,
                         ::testing::Values(LevelCase{-8.0 / 255, {2, 0, 2, 0}},
                                           LevelCase{-40.0 / 255, {10, 2, 10, 2}}));

TEST_F(Calibrate, RunDisabledAndBarsAdvancingDuringTheCaptures)
{
    Main& m = main();
    inputs(0);
    std::vector<double> now;
    std::vector<QString> labels;
    bool runEnabledMeanwhile = false;
    QObject::connect(m.pgbNow, &CwSlide::pointerValueChanged, [&](int, double v) {
        now.push_back(v);
        labels.push_back(m.lblpgbNow->text());
        runEnabledMeanwhile = runEnabledMeanwhile || m.CWButton1->isEnabled();
    });
    answerBoth();
    press();
    EXPECT_FALSE(runEnabledMeanwhile);
    // 1 to 100 over the two channel 1 phases, back to 0, 1 to 100 over channel 2's.
    ASSERT_EQ(now.size(), 201u);
    EXPECT_EQ(now[0], 1);
    EXPECT_EQ(now[99], 100);
    EXPECT_EQ(now[100], 0);
    EXPECT_EQ(now[101], 1);
    EXPECT_EQ(now[200], 100);
    EXPECT_EQ(labels[0], "Calibrateing CH1");
    EXPECT_EQ(labels[99], "Calibrateing CH1");
    EXPECT_EQ(labels[101], "Calibrateing CH2");
    EXPECT_TRUE(m.CWButton1->isEnabled());
}

TEST_F(Calibrate, QuestionsAsked)
{
    inputs(0);
    answerBoth();
    press();
    const auto& r = dialogs().requests();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].text, "Are you sure you want to calibrate the probes?\n"
                         "The current calibration settings will be over-written!");
    EXPECT_EQ(r[0].title, "Are You Sure?");
    EXPECT_EQ(r[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(r[0].icon, MsgIcon::Question);
    EXPECT_EQ(r[1].text, "1) Connect Both CH1 and CH2 Probes into the Oscilloscope.\n"
                         "2) Clip CH1 Positive Lead to CH1 Ground Lead.\n"
                         "3) Clip CH2 Positive Lead to CH2 Ground Lead.");
    EXPECT_EQ(r[1].title, "Action Required to Calibrate Probes");
    EXPECT_EQ(r[1].buttons, MsgButtons::OK);
    EXPECT_EQ(r[1].icon, MsgIcon::Exclamation);
}

TEST_F(Calibrate, OffsetsApplyToTheNextDecodedRecord)
{
    Main& m = main();
    inputs(-8.0 / 255);
    answerBoth();
    press();
    // The record the instrument sends for the low range now decodes to 0 counts.
    SimFrame frame = SimFrame::decode(CalFrames[0].bytes);
    const std::optional<std::string> rec = instrument().capture(frame);
    ASSERT_TRUE(rec.has_value());
    EXPECT_EQ(std::uint8_t((*rec)[1]), 129);
    m.global.GainCH1 = 1.0f;
    const ChannelDecode ch1 = channelDecode(m.state, m.global, 1);
    EXPECT_EQ(ch1.offset, 2);
    std::vector<double> counts(1500, 9), trace(1500, 9);
    decodeSpan(*rec, TwoChannelSpanCH1, ch1, counts, trace);
    EXPECT_TRUE(std::all_of(counts.begin(), counts.end(), [](double c) { return c == 0; }));
}

TEST_F(Calibrate, NoAtTheFirstQuestionOnlyStopsAcquisition)
{
    Main& m = main();
    m.CWButton1->setValue(true);
    serial().clearWritten();
    dialogs().answer(MsgResult::No);
    press();
    EXPECT_EQ(offsets(), (std::vector<double>{5, 6, 7, 8}));
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_TRUE(m.CWButton1->isEnabled());
    EXPECT_FALSE(m.Timer1->enabled());
    EXPECT_TRUE(framesWritten().empty());
    EXPECT_FALSE(Visible(m.Options));
    EXPECT_EQ(m.pgbNow->value(), 0);
}

TEST_F(Calibrate, SecondBoxClosedOtherThanByOk)
{
    Main& m = main();
    serial().clearWritten();
    dialogs().answer(MsgResult::Yes).answer(MsgResult::Cancel);
    press();
    EXPECT_EQ(offsets(), (std::vector<double>{5, 6, 7, 8}));
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_TRUE(framesWritten().empty());
    EXPECT_TRUE(m.CWButton1->isEnabled());
}

TEST_F(Calibrate, NoInstrumentEndsAtOnceWithTheOldOffsets)
{
    Main& m = main();
    instrument().faults().silence = true;
    serial().clearWritten();
    answerBoth();
    press();
    EXPECT_EQ(offsets(), (std::vector<double>{5, 6, 7, 8}));
    EXPECT_EQ(framesWritten().size(), 1u); // the first empty reply ends it
    EXPECT_TRUE(m.CWButton1->isEnabled());
    EXPECT_EQ(m.pgbMain->value(), 0);
}

TEST_F(Calibrate, LinkLostInAPhaseKeepsTheFinishedPhases)
{
    Main& m = main();
    inputs(-8.0 / 255);
    // Only every other request is answered: the first empty reply ends the calibration in
    // phase 1 with nothing changed.
    instrument().faults().everyOther = true;
    answerBoth();
    press();
    EXPECT_EQ(offsets(), (std::vector<double>{5, 6, 7, 8}));
    EXPECT_LE(m.pgbMain->value(), 1);
    EXPECT_TRUE(m.CWButton1->isEnabled());
}

TEST_F(Calibrate, RecordsWithoutSyncKeepTheOldOffsets)
{
    Main& m = main();
    instrument().faults().wrongSync = true;
    answerBoth();
    press();
    EXPECT_EQ(offsets(), (std::vector<double>{5, 6, 7, 8}));
    EXPECT_EQ(m.pgbMain->value(), 200);
}

// A bad capture is left out of its phase's mean and the captures go on; a link that hangs up
// ends the calibration, the phases finished before it keeping their new offsets.
struct BadCaptureCase
{
    const char* name;
    int after; // captures done (of 200) before the first bad one
    int count; // bad captures in a row
    SimFaults faults;
    std::array<double, 4> expect; // CH1 low, CH1 high, CH2 low, CH2 high
    int captures;                 // done in all (pgbMain)
};

void PrintTo(const BadCaptureCase& c, std::ostream* os)
{
    *os << c.name;
}

SimFaults cutShort()
{
    SimFaults f;
    f.shortRecord = 2000;
    return f;
}
SimFaults withoutSync()
{
    SimFaults f;
    f.wrongSync = true;
    return f;
}
SimFaults hangingUp()
{
    SimFaults f;
    f.hangUpAfter = 1000;
    return f;
}

class CalibrateBadCaptures : public Calibrate, public ::testing::WithParamInterface<BadCaptureCase>
{
};

TEST_P(CalibrateBadCaptures, LeftOutOrEndingTheRun)
{
    const BadCaptureCase& c = GetParam();
    Main& m = main();
    inputs(-8.0 / 255); // 2 counts in the low range, 0 in the high range
    QObject::connect(m.pgbMain, &CwSlide::pointerValueChanged, [&](int, double done) {
        if (int(done) == c.after)
            instrument().setFaults(c.faults);
        else if (int(done) == c.after + c.count)
            instrument().setFaults({});
    });
    serial().clearWritten();
    answerBoth();
    press();
    const std::vector<double> o = offsets();
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(o[i], c.expect[i], 1e-9) << "phase " << i + 1;
    EXPECT_EQ(m.pgbMain->value(), c.captures);
    // One request a capture, and one for the capture the link died in.
    EXPECT_EQ(int(framesWritten().size()), c.captures == 200 ? 200 : c.captures + 1);
    EXPECT_TRUE(m.CWButton1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CalibrateBadCaptures,
    ::testing::Values(
        BadCaptureCase{"one record cut short in phase 1", 10, 1, cutShort(), {2, 0, 2, 0}, 200},
        BadCaptureCase{
            "one record without sync in phase 3", 110, 1, withoutSync(), {2, 0, 2, 0}, 200},
        BadCaptureCase{"every record of phase 2 cut short", 50, 50, cutShort(), {2, 6, 2, 0}, 200},
        BadCaptureCase{"the link hangs up in phase 2", 60, 1, hangingUp(), {2, 6, 7, 8}, 60}));

TEST_F(Calibrate, MenuItemRunsItAndReEnablesRun)
{
    Main& m = main();
    inputs(-8.0 / 255);
    answerBoth();
    m.mnuFcal->trigger();
    EXPECT_DOUBLE_EQ(m.state.CalOffsetCH1Lo.toNumber(), 2);
    EXPECT_FALSE(m.btnCalibrate->value());
    EXPECT_TRUE(m.CWButton1->isEnabled());
}

TEST_F(Calibrate, ButtonGoingOffOnlyReEnablesRun)
{
    // The handler's run with the value off, as the button's own release gives it.
    Main& m = main();
    m.CWButton1->setEnabled(false);
    m.calibration->btnCalibrate_ValueChanged();
    EXPECT_TRUE(m.CWButton1->isEnabled());
    EXPECT_TRUE(dialogs().requests().empty());
}

// First run: Yes to the identification's question runs the calibration there.
class FirstRunCalibration : public MainFixture
{
};

TEST_F(FirstRunCalibration, YesCalibratesThenClearsFirstRun)
{
    SimSignal dc;
    dc.kind = SimWaveform::Dc;
    dc.offset = -8.0 / 255;
    instrument().setSignal(1, dc);
    instrument().setSignal(2, dc);
    dialogs().answer(MsgResult::Yes).answer(MsgResult::Yes).answer(MsgResult::OK);
    Main& m = load();
    EXPECT_FALSE(m.global.FirstRun.toBoolean());
    EXPECT_DOUBLE_EQ(m.state.CalOffsetCH1Lo.toNumber(), 2);
    EXPECT_DOUBLE_EQ(m.state.CalOffsetCH2Lo.toNumber(), 2);
    EXPECT_FALSE(m.btnCalibrate->value());
    EXPECT_TRUE(m.CWButton1->isEnabled());
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
}

} // namespace
} // namespace kv::test
