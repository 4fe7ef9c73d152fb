#pragma once

#include "controls/control_classes.h"
#include "link/layer.h"
#include "link/rules/acquisition_rules.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace kv {

class RecordReceiver;
class SerialControl;
struct SampleSpan;

// ---- The acquisition cycle --------------------------------------------------------------------

// Run/Stop, the acquisition tick with its three passes, the single/continuous switch and the
// acquisition menu. Each decoded record goes to the window's RecordReceiver.
class Acquisition : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwButton* CWButton1; // Run/Stop
        CwButton* CWButton4; // acquisition: off continuous, on single
        CwKnob* CWKnob1;     // volts/div, read for the plot scale
        CwKnob* CWKnob2;     // time/div, read for the sample time and the pass
        CwSlide* CWSlide5;   // trigger source, read for the command frame
        CwTimer* Timer1;
        QLabel* labSetHTrg;  // the horizontal trigger position's caption
        PictureBox* Label15; // "Continuous Acquisition"
        PictureBox* Label16; // "Single Acquisition"
        QAction* mnuASingle;
        QAction* mnuAContinuous;
        QAction* mnuARunStop;
    };

    Acquisition(ScopeState& state, GlobalV& global, SerialControl& serial, const Controls& controls,
                RecordReceiver& receiver);

    // The four reads of a record, taken once all its bytes have arrived.
    static constexpr int FirstChunk = 751;
    static constexpr int NextChunk = 750;
    // A partial record that stops growing for this long means the link broke in the middle of
    // it: it is read and dropped, and the next requests reopen the port.
    static constexpr std::chrono::milliseconds DefaultLinkStall{1000};
    // A record awaited this long without a byte coming in (a slow time base) is polled every
    // IdlePollMs instead of every tick, and at once when bytes arrive, so waiting costs little.
    static constexpr std::chrono::milliseconds IdleAfter{20};
    static constexpr int IdlePollMs = 10;

    void CWButton1_ValueChanged(bool value);
    void Timer1_Timer();
    void AcquireFrame();
    void AcquireFrameSingle();
    void ReceiveData();
    void CWButton4_ValueChanged(bool value);
    void Label15_Click();
    void Label16_Click();
    void mnuASingle_Click();
    void mnuAContinuous_Click();
    void mnuARunStop_Click();

    using Clock = std::chrono::steady_clock;

    // For tests: how long a partial record may stand still, and the clock the poll reads.
    void setLinkStall(std::chrono::milliseconds stall) { linkStall_ = stall; }
    void setClock(std::function<Clock::time_point()> now) { now_ = std::move(now); }

  private:
    void stopSteps();
    void scaleAndGain(bool withPlotScale);
    enum class Poll
    {
        Skipped, // Run is off and no record awaited: the pass goes on to its closing steps
        Ended,   // no record yet, or an empty reply (Run switched off): the pass ends here
        Record   // a reply has come
    };
    struct Polled
    {
        Poll outcome;
        std::string record; // the reply, with Poll::Record
    };
    // Requests a record when none is awaited (not while Run is off), then polls. A record is
    // read once all its bytes are there, so no read waits; a partial one that stops growing for
    // the link stall is read and dropped; after the request's reply deadline without a byte it
    // is sent again. An empty reply (the port gave nothing) switches Run off and ends the pass.
    Polled pollRecord(std::int16_t& bytesWaiting, std::int16_t fastMode);
    // Sends the command frame of the current state and starts the reply's clocks.
    void request(std::int16_t fastMode);
    // The outcome of a reply that was read: an empty one switches Run off.
    Polled received(std::string reply);
    // What the poll makes of `waiting` bytes, fewer than a record and not yet stalled, at `now`.
    Poll pollPartial(std::int16_t waiting, Clock::time_point now);
    // Decodes both channels of a good record into the given spans and arrays.
    void decodeBoth(std::string_view record, SampleSpan spanCH1, std::span<double> countsCH1,
                    std::span<double> traceCH1, SampleSpan spanCH2, std::span<double> countsCH2,
                    std::span<double> traceCH2);
    // The four reads of a whole record (751, 750, 750, 750) when `waiting` bytes make one, else
    // one read of the `waiting` bytes of a stalled partial one.
    std::string readRecord(int waiting);
    void copyFramePositions();
    void decode(std::string_view record, SampleSpan span, int channel, std::span<double> counts,
                std::span<double> trace);
    void closingSteps();

    ScopeState& state_;
    GlobalV& global_;
    SerialControl& serial_;
    const Controls ui;
    RecordReceiver& receiver_;
    std::chrono::milliseconds linkStall_ = DefaultLinkStall;
    std::function<Clock::time_point()> now_ = [] { return Clock::now(); };
    bool linkBroken_ = false;        // the last reply was cut short: reopen before requests
    std::int16_t lastWaiting_ = 0;   // count of the previous poll
    Clock::time_point lastProgress_; // when the count last changed (or the request went out)
    // Of the outstanding request: its own capture time (by the timebase code it carries) and
    // the margin.
    std::chrono::milliseconds replyDeadline_ = ReplyMargin;
};

} // namespace kv
