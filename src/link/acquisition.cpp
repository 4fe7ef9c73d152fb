#include "link/acquisition.h"

#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "controls/timer_ticks.h"
#include "link/record_receiver.h"
#include "link/rules/command_frame.h"
#include "link/rules/sample_decode.h"
#include "platform/rules/modal_guard.h"
#include "platform/rules/runtime_rules.h"
#include "platform/rules/serial_control.h"
#include "state/channel_fields.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"

#include <QAction>
#include <QLabel>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

namespace kv {

namespace {

constexpr int IdleReplyLength = 501;
using names::PCH1;
using names::PCH2;

} // namespace

Acquisition::Acquisition(ScopeState& state, GlobalV& global, SerialControl& serial,
                         const Controls& controls, RecordReceiver& receiver)
    : state_(state), global_(global), serial_(serial), ui(controls), receiver_(receiver)
{
    connect(ui.CWButton1, &CwButton::valueChanged, this, &Acquisition::CWButton1_ValueChanged);
    connect(ui.CWButton4, &CwButton::valueChanged, this, &Acquisition::CWButton4_ValueChanged);
    connectTick(ui.Timer1, this, [this] { Timer1_Timer(); });
    serial_.onArrival(this, [this] { ui.Timer1->endRest(); });
    connect(ui.Label15, &PictureBox::clicked, this, &Acquisition::Label15_Click);
    connect(ui.Label16, &PictureBox::clicked, this, &Acquisition::Label16_Click);
    connect(ui.mnuASingle, &QAction::triggered, this, &Acquisition::mnuASingle_Click);
    connect(ui.mnuAContinuous, &QAction::triggered, this, &Acquisition::mnuAContinuous_Click);
    connect(ui.mnuARunStop, &QAction::triggered, this, &Acquisition::mnuARunStop_Click);
}

// ---- Run / Stop -------------------------------------------------------------------------------

void Acquisition::stopSteps()
{
    receiver_.setRunSwitch(false);
    ui.CWButton1->setValue(false);
}

void Acquisition::CWButton1_ValueChanged(bool value)
{
    if (!value) {
        ui.Timer1->setEnabled(false);
        SendData(serial_, StopCmd);
        state_.AwaitingFrame = false;
        stopSteps();
        return;
    }
    receiver_.setRunSwitch(true);
    try {
        state_.AwaitingFrame = false;
        if (const auto sampleTime = SampleTimeForPosition(ui.CWKnob2->position()))
            state_.SampleTime = *sampleTime;
        state_.ContinuousMode = !ui.CWButton4->value();
        state_.SingleShot = !state_.ContinuousMode;
        ui.Timer1->setEnabled(true);
    } catch (const std::exception&) {
        stopSteps();
    }
}

void Acquisition::Timer1_Timer()
{
    if (ModalGuard::open())
        return;
    AcquireFrame();
}

// ---- Steps shared by the passes ---------------------------------------------------------------

void Acquisition::scaleAndGain(bool withPlotScale)
{
    const double channel = global_.ActiveChannel.toNumber();
    if (channel != 1 && channel != 2)
        return;
    const ChannelState state = channelState(state_, int(channel));
    const double index = state.VdivIndex.toNumber();
    const auto span = RangeSpanVolts(index);
    if (!span)
        return;
    const bool low = voltsRangeOf(index) == VoltsRange::Low;
    channelShared(global_, int(channel)).Gain = low ? global_.ModelGainLo : global_.ModelGainHi;
    // A knob without a volts value (0) would make the scale infinite: the scale then stays.
    const double voltsPerDiv = ui.CWKnob1->value();
    if (withPlotScale && voltsPerDiv > 0)
        state.PlotScale = 50.0 * (*span / voltsPerDiv) / 256.0;
}

Acquisition::Polled Acquisition::pollRecord(std::int16_t& bytesWaiting, std::int16_t fastMode)
{
    if (!state_.AwaitingFrame) {
        if (!ui.CWButton1->value())
            return {Poll::Skipped, {}};
        request(fastMode);
    }
    bytesWaiting = serial_.BytesWaiting();
    const std::int16_t waiting = bytesWaiting;
    // Only a whole record is read: its bytes are all there, so no read waits for more.
    if (waiting >= DataFrameLength)
        return received(readRecord(waiting));
    const Clock::time_point now = now_();
    // A record that stopped in the middle: read it (its length drops it) once it has stalled.
    if (waiting > 0 && waiting == lastWaiting_ && now - lastProgress_ >= linkStall_)
        return received(readRecord(waiting));
    return {pollPartial(waiting, now), {}};
}

Acquisition::Polled Acquisition::received(std::string reply)
{
    if (reply.empty()) {
        ui.CWButton1->setValue(false);
        return {Poll::Ended, {}};
    }
    return {Poll::Record, std::move(reply)};
}

void Acquisition::request(std::int16_t fastMode)
{
    ScopeState& s = state_;
    ui.CWButton1->repaint();
    if (linkBroken_)
        serial_.PortSetup(); // the adapter may be back: reopen before asking again
    serial_.FlushInput();
    s.FastModeBit = fastMode;
    SendCommandFrame(s, serial_, ui.CWSlide5->position());
    replyDeadline_ = ReplyDeadlineOfCode(s.TimebaseCode);
    const double position = s.HTrigPosition.toNumber();
    if (position == 1)
        ui.labSetHTrg->setText(QStringLiteral("10% Trigger"));
    else if (position == 2)
        ui.labSetHTrg->setText(QStringLiteral("50% Trigger"));
    else if (position == 3)
        ui.labSetHTrg->setText(QStringLiteral("90% Trigger"));
    lastWaiting_ = 0;
    lastProgress_ = now_();
    receiver_.paintWhileWaiting(); // the instrument is at work: painting now delays no record
}

Acquisition::Poll Acquisition::pollPartial(std::int16_t waiting, Clock::time_point now)
{
    ScopeState& s = state_;
    if (waiting != lastWaiting_) {
        lastWaiting_ = waiting;
        lastProgress_ = now;
    } else if (now - lastProgress_ >= linkStall_) {
        // The device went away with the request outstanding: the record cannot come.
        if (!serial_.PortOpen()) {
            linkBroken_ = true;
            s.AwaitingFrame = false; // ask again on the next tick, reopening the port first
            return Poll::Ended;
        }
        // On an open port the record takes its capture time, whatever went wrong before.
        if (now - lastProgress_ >= replyDeadline_) {
            s.AwaitingFrame = false; // the request (or its reply) was lost: ask again
            return Poll::Ended;
        }
    }
    if (now - lastProgress_ >= IdleAfter)
        ui.Timer1->restFor(IdlePollMs);
    s.AwaitingFrame = true;
    return Poll::Ended;
}

std::string Acquisition::readRecord(int waiting)
{
    ScopeState& s = state_;
    ui.CWButton1->repaint();
    std::string reply;
    if (waiting >= DataFrameLength) {
        reply = serial_.ReadBytes(FirstChunk);
        for (int chunk = 0; chunk < 3; ++chunk)
            reply += serial_.ReadBytes(NextChunk);
    } else {
        reply = serial_.ReadBytes(waiting); // a partial record, in one read of what is there
    }
    s.AwaitingFrame = false;
    if (s.SingleShot) {
        s.SingleShot = false;
        ui.Timer1->setEnabled(false);
    }
    // A reply cut short means the link broke (or the instrument stopped sending) mid-record.
    linkBroken_ = !reply.empty() && reply.size() < static_cast<std::size_t>(DataFrameLength);
    lastWaiting_ = 0;
    return reply;
}

void Acquisition::closingSteps()
{
    serial_.ReplyLength(IdleReplyLength);
    receiver_.passClosed();
    if (ui.CWButton4->value())
        ui.CWButton1->setValue(false);
}

void Acquisition::copyFramePositions()
{
    state_.FrameVPosCH1 = state_.VPosCH1;
    state_.FrameVPosCH2 = state_.VPosCH2;
}

void Acquisition::decodeBoth(std::string_view record, SampleSpan spanCH1,
                             std::span<double> countsCH1, std::span<double> traceCH1,
                             SampleSpan spanCH2, std::span<double> countsCH2,
                             std::span<double> traceCH2)
{
    if (!isGoodRecord(record))
        return;
    copyFramePositions();
    decode(record, spanCH1, 1, countsCH1, traceCH1);
    decode(record, spanCH2, 2, countsCH2, traceCH2);
}

void Acquisition::decode(std::string_view record, SampleSpan span, int channel,
                         std::span<double> counts, std::span<double> trace)
{
    decodeSpan(record, span, channelDecode(state_, global_, channel), counts, trace);
    state_.SampleValue =
        static_cast<std::int32_t>(counts[static_cast<std::size_t>(span.count) - 1]);
}

// ---- The passes -------------------------------------------------------------------------------

void Acquisition::AcquireFrame()
{
    receiver_.snapCursors(true);
    if (ui.CWKnob2->position() == 1) {
        if (ChooseVariant(1, receiver_.traceShown(PCH1) && receiver_.traceShown(PCH2)) ==
            AcquireVariant::FastDual)
            ReceiveData();
        else
            AcquireFrameSingle();
        return;
    }
    serial_.ReplyLength(DataFrameLength);
    scaleAndGain(true);
    const Polled polled = pollRecord(state_.BytesWaiting2CH, 0);
    if (polled.outcome == Poll::Ended)
        return;
    if (polled.outcome == Poll::Record) {
        SampleArrays& a = global_.Samples;
        decodeBoth(polled.record, TwoChannelSpanCH1, a.CountsCH1, a.TraceCH1, TwoChannelSpanCH2,
                   a.CountsCH2, a.TraceCH2);
        receiver_.showTwoChannelRecord(a.TraceCH1, a.TraceCH2);
        state_.SampleIndexCH1 = 0;
        state_.SampleIndexCH2 = 0;
    }
    closingSteps();
}

void Acquisition::AcquireFrameSingle()
{
    ScopeState& s = state_;
    receiver_.snapCursors(false);
    serial_.ReplyLength(DataFrameLength);
    const bool shownCH1 = receiver_.traceShown(PCH1);
    const bool shownCH2 = receiver_.traceShown(PCH2);
    s.FastChannelBits = FastChannelBitsFor(truncateToPosition(global_.ActiveChannel), shownCH1,
                                           shownCH2, s.FastChannelBits);
    scaleAndGain(false);
    const Polled polled = pollRecord(s.BytesWaiting1CH, 1);
    if (polled.outcome == Poll::Ended)
        return;
    if (polled.outcome == Poll::Record) {
        SampleArrays& a = global_.Samples;
        const int channel = s.FastChannelBits == "01" ? 1 : s.FastChannelBits == "10" ? 2 : 0;
        if (isGoodRecord(polled.record)) {
            copyFramePositions();
            if (channel != 0)
                decode(polled.record, FastSingleSpan, channel, a.CountsCH1, a.TraceCH1);
        }
        receiver_.showSingleChannelRecord(channel, a.TraceCH1);
    }
    s.SampleIndexCH1 = 0;
    s.SampleIndexCH2 = 0;
    s.FramePlotted = true;
    closingSteps();
}

void Acquisition::ReceiveData()
{
    ScopeState& s = state_;
    receiver_.snapCursors(false);
    scaleAndGain(true);
    const Polled polled = pollRecord(s.BytesWaitingFast, 0);
    if (polled.outcome == Poll::Ended)
        return;
    if (polled.outcome == Poll::Record) {
        SampleArrays& a = global_.Samples;
        decodeBoth(polled.record, FastSpanCH1, a.Counts750CH1, a.Trace750CH1, FastSpanCH2,
                   a.Counts750CH2, a.Trace750CH2);
        receiver_.showFastRecord(a.Trace750CH1, a.Trace750CH2);
        s.FramePlotted = true;
        s.SampleIndexCH1 = 0;
        s.SampleIndexCH2 = 0;
    }
    closingSteps();
}

// ---- Acquisition mode -------------------------------------------------------------------------

void Acquisition::CWButton4_ValueChanged(bool value)
{
    ui.CWButton1->setMechanicalAction(CwButton::ActionSwitch);
    ui.mnuAContinuous->setChecked(!value);
    ui.mnuASingle->setChecked(value);
}

void Acquisition::Label15_Click()
{
    if (ui.CWButton1->mechanicalAction() == CwButton::ActionSwitch) {
        ui.CWButton1->setMechanicalAction(CwButton::ActionSwitchWhenPressed);
        ui.CWButton4->setValue(true);
    } else {
        ui.CWButton1->setMechanicalAction(CwButton::ActionSwitch);
        ui.CWButton4->setValue(false);
    }
}

void Acquisition::Label16_Click()
{
    Label15_Click();
}

void Acquisition::mnuASingle_Click()
{
    ui.CWButton4->setValue(true);
}

void Acquisition::mnuAContinuous_Click()
{
    ui.CWButton4->setValue(false);
}

void Acquisition::mnuARunStop_Click()
{
    ui.CWButton1->setValue(!ui.CWButton1->value());
}

} // namespace kv
