#include "link/acquisition.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "controls/timer_ticks.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "link/command_frame.h"
#include "link/sample_decode.h"
#include "platform/runtime_rules.h"
#include "platform/serial_control.h"
#include "platform/services.h"
#include "spectrum/spectrum_launcher.h"
#include "state/channel_fields.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"

#include <QAction>
#include <QLabel>
#include <QVector>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

namespace kv {

namespace {

constexpr int IdleReplyLength = 501;
using names::CursorA;
using names::CursorB;
using names::PCH1;
using names::PCH2;

QVector<double> toVector(std::span<const double> values)
{
    return QVector<double>(values.begin(), values.end());
}

} // namespace

Acquisition::Acquisition(Main& main) : HandlerGroup(main)
{
    connect(m.CWButton1, &CwButton::valueChanged, this, &Acquisition::CWButton1_ValueChanged);
    connect(m.CWButton4, &CwButton::valueChanged, this, &Acquisition::CWButton4_ValueChanged);
    connectTick(m.Timer1, this, [this] { Timer1_Timer(); });
    m.CWSerial1.onArrival(this, [this] { m.Timer1->endRest(); });
    connect(m.Label15, &PictureBox::clicked, this, &Acquisition::Label15_Click);
    connect(m.Label16, &PictureBox::clicked, this, &Acquisition::Label16_Click);
    connect(m.mnuASingle, &QAction::triggered, this, &Acquisition::mnuASingle_Click);
    connect(m.mnuAContinuous, &QAction::triggered, this, &Acquisition::mnuAContinuous_Click);
    connect(m.mnuARunStop, &QAction::triggered, this, &Acquisition::mnuARunStop_Click);
}

// ---- Run / Stop -------------------------------------------------------------------------------

void Acquisition::setSpectrumRunSwitch(bool on)
{
    if (m.spectrum)
        m.spectrum->setRunSwitch(on);
}

void Acquisition::stopSteps()
{
    setSpectrumRunSwitch(false);
    m.CWButton1->setValue(false);
}

void Acquisition::CWButton1_ValueChanged(bool value)
{
    if (!value) {
        m.Timer1->setEnabled(false);
        SendData(m.CWSerial1, StopCmd);
        m.state.AwaitingFrame = false;
        stopSteps();
        return;
    }
    setSpectrumRunSwitch(true);
    try {
        m.state.AwaitingFrame = false;
        if (const auto sampleTime = SampleTimeForPosition(m.CWKnob2->position()))
            m.state.SampleTime = *sampleTime;
        m.state.ContinuousMode = !m.CWButton4->value();
        m.state.SingleShot = !m.state.ContinuousMode;
        m.Timer1->setEnabled(true);
    } catch (const std::exception&) {
        stopSteps();
    }
}

void Acquisition::Timer1_Timer()
{
    if (m.modalOpen())
        return;
    AcquireFrame();
}

// ---- Steps shared by the passes ---------------------------------------------------------------

bool Acquisition::traceShown(QLatin1String plot) const
{
    return m.CWGraph1->plotVisible(plot);
}

void Acquisition::snapCursors(bool attachPlot)
{
    CwGraph& graph = *m.CWGraph1;
    if (m.CWSlide2->position() != 1) {
        graph.setCursorSnapMode(CursorA, CwGraph::SnapFloating);
        graph.setCursorSnapMode(CursorB, CwGraph::SnapFloating);
        return;
    }
    if (!attachPlot) {
        graph.setCursorSnapMode(CursorA, CwGraph::SnapToPlot);
        graph.setCursorSnapMode(CursorB, CwGraph::SnapToPlot);
        return;
    }
    const double channel = m.global.ActiveChannel.toNumber();
    if (channel != 1 && channel != 2)
        return;
    const QLatin1String plot = names::channelPlot(int(channel));
    for (const QLatin1String cursor : {CursorA, CursorB}) {
        graph.setCursorPlot(cursor, plot);
        graph.setCursorSnapMode(cursor, CwGraph::SnapToPlot);
    }
}

void Acquisition::scaleAndGain(bool withPlotScale)
{
    const double channel = m.global.ActiveChannel.toNumber();
    if (channel != 1 && channel != 2)
        return;
    const ChannelState state = channelState(m.state, int(channel));
    const double index = state.VdivIndex.toNumber();
    const auto span = RangeSpanVolts(index);
    if (!span)
        return;
    const bool low = voltsRangeOf(index) == VoltsRange::Low;
    channelShared(m.global, int(channel)).Gain = low ? m.global.ModelGainLo : m.global.ModelGainHi;
    // A knob without a volts value (0) would make the scale infinite: the scale then stays.
    const double voltsPerDiv = m.CWKnob1->value();
    if (withPlotScale && voltsPerDiv > 0)
        state.PlotScale = 50.0 * (*span / voltsPerDiv) / 256.0;
}

std::optional<std::string> Acquisition::requestAndPoll(std::int16_t& bytesWaiting,
                                                       std::int16_t fastMode, bool& skipped)
{
    ScopeState& s = m.state;
    SerialControl& serial = m.CWSerial1;
    skipped = false;
    if (!s.AwaitingFrame) {
        if (!m.CWButton1->value()) {
            skipped = true;
            return std::nullopt;
        }
        m.CWButton1->repaint();
        if (linkBroken_)
            serial.PortSetup(); // the adapter may be back: reopen before asking again
        serial.FlushInput();
        s.FastModeBit = fastMode;
        SendCommandFrame(s, serial, m.CWSlide5->position());
        const double position = s.HTrigPosition.toNumber();
        if (position == 1)
            m.labSetHTrg->setText(QStringLiteral("10% Trigger"));
        else if (position == 2)
            m.labSetHTrg->setText(QStringLiteral("50% Trigger"));
        else if (position == 3)
            m.labSetHTrg->setText(QStringLiteral("90% Trigger"));
        lastWaiting_ = 0;
        lastProgress_ = now_();
        m.paintWhileWaiting(); // the instrument is at work: painting now delays no record
    }
    bytesWaiting = serial.BytesWaiting();
    const std::int16_t waiting = bytesWaiting;
    // Only a whole record is read: its bytes are all there, so no read waits for more.
    if (waiting >= DataFrameLength)
        return readRecord(waiting);
    const Clock::time_point now = now_();
    if (waiting != lastWaiting_) {
        lastWaiting_ = waiting;
        lastProgress_ = now;
    } else if (now - lastProgress_ >= linkStall_) {
        if (waiting > 0)
            return readRecord(waiting); // a record that stopped in the middle: read and drop it
        // The device went away with the request outstanding: the record cannot come.
        if (linkBroken_ || !serial.PortOpen()) {
            linkBroken_ = true;
            s.AwaitingFrame = false; // ask again on the next tick, reopening the port first
            return std::nullopt;
        }
        if (now - lastProgress_ >= ReplyDeadline(s.SampleTime)) {
            s.AwaitingFrame = false; // the request (or its reply) was lost: ask again
            return std::nullopt;
        }
    }
    if (now - lastProgress_ >= IdleAfter)
        m.Timer1->restFor(IdlePollMs);
    s.AwaitingFrame = true;
    return std::nullopt;
}

Acquisition::Poll Acquisition::pollRecord(std::int16_t& bytesWaiting, std::int16_t fastMode,
                                          std::string& record)
{
    bool skipped = false;
    auto reply = requestAndPoll(bytesWaiting, fastMode, skipped);
    if (skipped)
        return Poll::Skipped;
    if (!reply)
        return Poll::Ended;
    if (reply->empty()) {
        m.CWButton1->setValue(false);
        return Poll::Ended;
    }
    record = std::move(*reply);
    return Poll::Record;
}

std::string Acquisition::readRecord(int waiting)
{
    ScopeState& s = m.state;
    SerialControl& serial = m.CWSerial1;
    m.CWButton1->repaint();
    std::string reply;
    if (waiting >= DataFrameLength) {
        reply = serial.ReadBytes(FirstChunk);
        for (int chunk = 0; chunk < 3; ++chunk)
            reply += serial.ReadBytes(NextChunk);
    } else {
        reply = serial.ReadBytes(waiting); // a partial record, in one read of what is there
    }
    s.AwaitingFrame = false;
    if (s.SingleShot) {
        s.SingleShot = false;
        m.Timer1->setEnabled(false);
    }
    // A reply cut short means the link broke (or the instrument stopped sending) mid-record.
    linkBroken_ = !reply.empty() && reply.size() < static_cast<std::size_t>(DataFrameLength);
    lastWaiting_ = 0;
    return reply;
}

void Acquisition::closingSteps()
{
    m.CWSerial1.ReplyLength(IdleReplyLength);
    if (m.cursors)
        m.cursors->Cursor();
    m.repaintWindow();
    if (m.CWButton4->value())
        m.CWButton1->setValue(false);
}

void Acquisition::copyFramePositions()
{
    m.state.FrameVPosCH1 = m.state.VPosCH1;
    m.state.FrameVPosCH2 = m.state.VPosCH2;
}

void Acquisition::decode(std::string_view record, SampleSpan span, int channel,
                         std::span<double> counts, std::span<double> trace)
{
    decodeSpan(record, span, channelDecode(m.state, m.global, channel), counts, trace);
    m.state.SampleValue =
        static_cast<std::int32_t>(counts[static_cast<std::size_t>(span.count) - 1]);
}

// ---- The passes -------------------------------------------------------------------------------

void Acquisition::AcquireFrame()
{
    snapCursors(true);
    if (m.CWKnob2->position() == 1) {
        if (ChooseVariant(1, traceShown(PCH1) && traceShown(PCH2)) == AcquireVariant::FastDual)
            ReceiveData();
        else
            AcquireFrameSingle();
        return;
    }
    m.CWSerial1.ReplyLength(DataFrameLength);
    scaleAndGain(true);
    std::string reply;
    const Poll poll = pollRecord(m.state.BytesWaiting2CH, 0, reply);
    if (poll == Poll::Ended)
        return;
    if (poll == Poll::Record) {
        SampleArrays& a = m.global.Samples;
        if (isGoodRecord(reply)) {
            copyFramePositions();
            decode(reply, TwoChannelSpanCH1, 1, a.CountsCH1, a.TraceCH1);
            decode(reply, TwoChannelSpanCH2, 2, a.CountsCH2, a.TraceCH2);
        }
        if (m.readOuts)
            m.readOuts->UpdateReadouts();
        m.CWGraph1->plotY(PCH1, toVector(a.TraceCH1));
        m.CWGraph1->plotY(PCH2, toVector(a.TraceCH2));
        m.state.FramePlotted = false;
        if (m.readOuts)
            m.readOuts->UpdateReadouts();
        m.state.SampleIndexCH1 = 0;
        m.state.SampleIndexCH2 = 0;
    }
    closingSteps();
}

void Acquisition::AcquireFrameSingle()
{
    ScopeState& s = m.state;
    snapCursors(false);
    m.CWSerial1.ReplyLength(DataFrameLength);
    s.FastChannelBits = FastChannelBitsFor(truncateToPosition(m.global.ActiveChannel),
                                           traceShown(PCH1), traceShown(PCH2), s.FastChannelBits);
    scaleAndGain(false);
    std::string reply;
    const Poll poll = pollRecord(s.BytesWaiting1CH, 1, reply);
    if (poll == Poll::Ended)
        return;
    if (poll == Poll::Record) {
        SampleArrays& a = m.global.Samples;
        const int channel = s.FastChannelBits == "01" ? 1 : s.FastChannelBits == "10" ? 2 : 0;
        if (isGoodRecord(reply)) {
            copyFramePositions();
            if (channel != 0)
                decode(reply, FastSingleSpan, channel, a.CountsCH1, a.TraceCH1);
        }
        if (m.readOuts)
            m.readOuts->UpdateReadoutsSingle();
        if (channel != 0)
            m.CWGraph1->plotY(names::channelPlot(channel), toVector(a.TraceCH1));
    }
    s.SampleIndexCH1 = 0;
    s.SampleIndexCH2 = 0;
    s.FramePlotted = true;
    closingSteps();
}

void Acquisition::ReceiveData()
{
    ScopeState& s = m.state;
    snapCursors(false);
    scaleAndGain(true);
    std::string reply;
    const Poll poll = pollRecord(s.BytesWaitingFast, 0, reply);
    if (poll == Poll::Ended)
        return;
    if (poll == Poll::Record) {
        SampleArrays& a = m.global.Samples;
        if (isGoodRecord(reply)) {
            copyFramePositions();
            decode(reply, FastSpanCH1, 1, a.Counts750CH1, a.Trace750CH1);
            decode(reply, FastSpanCH2, 2, a.Counts750CH2, a.Trace750CH2);
        }
        if (m.readOuts)
            m.readOuts->Measure();
        // 750 points at an X step of 2 cover the X range of a 1500-point record.
        m.CWGraph1->plotY(PCH1, toVector(a.Trace750CH1), 0.0, 2.0);
        m.CWGraph1->plotY(PCH2, toVector(a.Trace750CH2), 0.0, 2.0);
        s.FramePlotted = true;
        s.SampleIndexCH1 = 0;
        s.SampleIndexCH2 = 0;
    }
    closingSteps();
}

// ---- Acquisition mode -------------------------------------------------------------------------

void Acquisition::CWButton4_ValueChanged(bool value)
{
    m.CWButton1->setMechanicalAction(CwButton::ActionSwitch);
    m.mnuAContinuous->setChecked(!value);
    m.mnuASingle->setChecked(value);
}

void Acquisition::Label15_Click()
{
    if (m.CWButton1->mechanicalAction() == CwButton::ActionSwitch) {
        m.CWButton1->setMechanicalAction(CwButton::ActionSwitchWhenPressed);
        m.CWButton4->setValue(true);
    } else {
        m.CWButton1->setMechanicalAction(CwButton::ActionSwitch);
        m.CWButton4->setValue(false);
    }
}

void Acquisition::Label16_Click()
{
    Label15_Click();
}

void Acquisition::mnuASingle_Click()
{
    m.CWButton4->setValue(true);
}

void Acquisition::mnuAContinuous_Click()
{
    m.CWButton4->setValue(false);
}

void Acquisition::mnuARunStop_Click()
{
    m.CWButton1->setValue(!m.CWButton1->value());
}

} // namespace kv
