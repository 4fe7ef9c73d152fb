// The acquisition group on its own: its real controls, a serial double that answers each
// command frame with a scripted record, and a receiver that logs what the window is asked to
// show. No main window.
#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "link/acquisition.h"
#include "link/record_receiver.h"
#include "link/rules/command_frame.h"
#include "link/rules/sample_decode.h"
#include "platform/rules/serial_control.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_table.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kv {
namespace {

// Answers every whole command frame with the next scripted reply, all of it waiting at once.
class RecordSerial : public SerialControl
{
  public:
    void script(std::string reply) { replies_.push_back(std::move(reply)); }

    void PortNumber(int number) override { port_ = number; }
    int PortNumber() const override { return port_; }
    void ReplyLength(int) override {}
    void WriteByte(std::uint8_t byte) override
    {
        if (byte == FrameStart)
            frameBytes_ = 0;
        if (++frameBytes_ != CommandFrameLength || replies_.empty())
            return;
        input_ += replies_.front();
        replies_.pop_front();
    }
    std::string ReadBytes(int n) override
    {
        std::string taken = input_.substr(0, static_cast<std::size_t>(n));
        input_.erase(0, taken.size());
        return taken;
    }
    std::int16_t BytesWaiting() override { return static_cast<std::int16_t>(input_.size()); }
    void FlushInput() override { input_.clear(); }
    void PortSetup() override {}
    void PortReset() override {}

  private:
    int port_ = 1;
    int frameBytes_ = 0;
    std::deque<std::string> replies_;
    std::string input_;
};

// A whole record: the sync byte, then 3000 sample bytes of a ramp.
std::string wholeRecord()
{
    std::string record(1, char(DataSync));
    for (int i = 0; i < DataFrameLength - 1; ++i)
        record += char(64 + i % 128);
    return record;
}

// Logs each call of the acquisition, with what it was handed.
class LoggingReceiver : public RecordReceiver
{
  public:
    std::vector<std::string> calls;
    bool ch1Shown = true;
    bool ch2Shown = true;
    // The first point of each trace handed over, as it was at the call.
    std::vector<double> firstPoints;

    void snapCursors(bool attachPlot) override
    {
        calls.push_back(attachPlot ? "snapCursors(attach)" : "snapCursors");
    }
    bool traceShown(QLatin1String plot) const override
    {
        const_cast<LoggingReceiver*>(this)->calls.push_back("traceShown(" +
                                                            std::string(plot.data()) + ")");
        return plot == QLatin1String("PCH1") ? ch1Shown : ch2Shown;
    }
    void showTwoChannelRecord(std::span<const double> ch1, std::span<const double> ch2) override
    {
        calls.push_back("twoChannel(" + sizes(ch1, ch2) + ")");
        firstPoints = {ch1.front(), ch2.front()};
    }
    void showSingleChannelRecord(int channel, std::span<const double> trace) override
    {
        calls.push_back("singleChannel(" + std::to_string(channel) + "," +
                        std::to_string(trace.size()) + ")");
        firstPoints = {trace.front()};
    }
    void showFastRecord(std::span<const double> ch1, std::span<const double> ch2) override
    {
        calls.push_back("fast(" + sizes(ch1, ch2) + ")");
        firstPoints = {ch1.front(), ch2.front()};
    }
    void passClosed() override { calls.push_back("passClosed"); }
    void paintWhileWaiting() override { calls.push_back("paintWhileWaiting"); }
    void setRunSwitch(bool on) override
    {
        calls.push_back(on ? "runSwitch(on)" : "runSwitch(off)");
    }

  private:
    static std::string sizes(std::span<const double> a, std::span<const double> b)
    {
        return std::to_string(a.size()) + "," + std::to_string(b.size());
    }
};

class AcquisitionAlone : public ::testing::Test
{
  protected:
    AcquisitionAlone()
    {
        QStringList timeDivs;
        for (const TimebaseRow& row : TimebaseTable)
            timeDivs << QString::fromLatin1(row.label);
        CWKnob2.setPositions(timeDivs);
        QStringList voltsDivs;
        QVector<double> voltsPerDiv;
        for (const VoltsDivRow& row : VoltsDivTable) {
            voltsDivs << QString::fromLatin1(row.label);
            voltsPerDiv << row.voltsPerDiv;
        }
        CWKnob1.setPositions(voltsDivs, voltsPerDiv);
        CWSlide5.setPositions({"Channel 1", "Channel 2", "External"});
        CWButton1.resize(120, 34);
        global.ActiveChannel = 1;
        state.VdivIndexCH1 = 2;
        state.VdivIndexCH2 = 2;
        global.GainCH1 = global.GainCH2 = 1.0f;
        global.ATTFactorCH1 = global.ATTFactorCH2 = 1.0f;
        state.PlotScaleCH1 = state.PlotScaleCH2 = 1.0;
    }

    // Run/Stop pressed and released.
    void clickRun()
    {
        const QPoint centre = CWButton1.rect().center();
        QTest::mousePress(&CWButton1, Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseRelease(&CWButton1, Qt::LeftButton, Qt::NoModifier, centre);
    }
    // Marks the trace arrays, so that what is handed over shows whether it was decoded first.
    static constexpr double Unset = 999.0;
    void markUnset()
    {
        global.Samples.TraceCH1.fill(Unset);
        global.Samples.TraceCH2.fill(Unset);
        global.Samples.Trace750CH1.fill(Unset);
        global.Samples.Trace750CH2.fill(Unset);
    }

    ScopeState state;
    GlobalV global;
    RecordSerial serial;
    LoggingReceiver receiver;
    CwButton CWButton1{CwButton::Style::LightPushButton};
    CwButton CWButton4{CwButton::Style::VerticalSwitch};
    CwKnob CWKnob1;
    CwKnob CWKnob2;
    CwSlide CWSlide5{Qt::Vertical};
    CwTimer Timer1{1, false};
    QLabel labSetHTrg;
    PictureBox Label15;
    PictureBox Label16;
    QAction mnuASingle{nullptr};
    QAction mnuAContinuous{nullptr};
    QAction mnuARunStop{nullptr};
    Acquisition acquisition{state, global, serial,
                            Acquisition::Controls{.CWButton1 = &CWButton1,
                                                  .CWButton4 = &CWButton4,
                                                  .CWKnob1 = &CWKnob1,
                                                  .CWKnob2 = &CWKnob2,
                                                  .CWSlide5 = &CWSlide5,
                                                  .Timer1 = &Timer1,
                                                  .labSetHTrg = &labSetHTrg,
                                                  .Label15 = &Label15,
                                                  .Label16 = &Label16,
                                                  .mnuASingle = &mnuASingle,
                                                  .mnuAContinuous = &mnuAContinuous,
                                                  .mnuARunStop = &mnuARunStop},
                            receiver};
};

struct PassCase
{
    const char* name;
    int timeDiv;
    bool ch1Shown;
    bool ch2Shown;
    bool single; // single acquisition: Run goes off once the pass is closed
    std::vector<std::string> calls;
};

void PrintTo(const PassCase& c, std::ostream* os)
{
    *os << c.name;
}

class AcquisitionPasses : public AcquisitionAlone, public ::testing::WithParamInterface<PassCase>
{
};

// One record, one tick of the real timer: the receiver is asked for its steps in the order the
// pass runs them, and is handed the traces only once they are decoded.
TEST_P(AcquisitionPasses, OneRecordGivesTheReceiversStepsInOrder)
{
    const PassCase& c = GetParam();
    CWKnob2.setPosition(c.timeDiv);
    CWButton4.setValue(c.single);
    receiver.ch1Shown = c.ch1Shown;
    receiver.ch2Shown = c.ch2Shown;
    serial.script(wholeRecord());
    clickRun();
    ASSERT_TRUE(CWButton1.value());
    ASSERT_TRUE(Timer1.enabled());
    markUnset();

    Timer1.fire();

    EXPECT_EQ(receiver.calls, c.calls);
    ASSERT_FALSE(receiver.firstPoints.empty());
    for (const double point : receiver.firstPoints)
        EXPECT_NE(point, Unset);
    EXPECT_EQ(serial.BytesWaiting(), 0) << "the whole record is read";
    EXPECT_EQ(CWButton1.value(), !c.single);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, AcquisitionPasses,
    ::testing::Values(
        PassCase{"TwoChannel",
                 5,
                 true,
                 true,
                 false,
                 {"runSwitch(on)", "snapCursors(attach)", "paintWhileWaiting",
                  "twoChannel(1500,1500)", "passClosed"}},
        PassCase{"FastBothChannels",
                 1,
                 true,
                 true,
                 false,
                 {"runSwitch(on)", "snapCursors(attach)", "traceShown(PCH1)", "traceShown(PCH2)",
                  "snapCursors", "paintWhileWaiting", "fast(750,750)", "passClosed"}},
        PassCase{"FastOneChannel",
                 1,
                 true,
                 false,
                 false,
                 {"runSwitch(on)", "snapCursors(attach)", "traceShown(PCH1)", "traceShown(PCH2)",
                  "snapCursors", "traceShown(PCH1)", "traceShown(PCH2)", "paintWhileWaiting",
                  "singleChannel(1,1500)", "passClosed"}},
        PassCase{"SingleAcquisition",
                 5,
                 true,
                 true,
                 true,
                 {"runSwitch(on)", "snapCursors(attach)", "paintWhileWaiting",
                  "twoChannel(1500,1500)", "passClosed", "runSwitch(off)"}}),
    [](const ::testing::TestParamInfo<PassCase>& info) { return std::string(info.param.name); });

// While the reply is on its way the pass ends after the request: no record is shown and the pass
// is not closed, so the window repaints only while it waits.
TEST_F(AcquisitionAlone, AnAwaitedRecordShowsNothingUntilItHasCome)
{
    CWKnob2.setPosition(5);
    clickRun();
    Timer1.fire();
    EXPECT_EQ(receiver.calls, (std::vector<std::string>{"runSwitch(on)", "snapCursors(attach)",
                                                        "paintWhileWaiting"}));
    EXPECT_TRUE(state.AwaitingFrame);
}

} // namespace
} // namespace kv
