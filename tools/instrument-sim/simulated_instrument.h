#pragma once

#include "instrument-sim/sim_clock.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

enum class SimWaveform
{
    Sine,
    Square,
    Triangle,
    Dc
};

// The voltage at one channel's input: a periodic wave (peak amplitude around an offset, starting
// at phase 0 at time 0) or a constant (the offset alone).
struct SimSignal
{
    SimWaveform kind = SimWaveform::Dc;
    double frequency = 1000.0; // hertz
    double amplitude = 0.0;    // peak volts
    double offset = 0.0;       // volts

    double valueAt(double seconds) const;
    // "kind:frequency:amplitude:offset" with kind sine, square, triangle or dc; fields left
    // out keep their defaults ("dc::0:1.5" and "sine:50" are valid). nullopt for bad text.
    static std::optional<SimSignal> parse(std::string_view text);
};

// When the answers come: all at once, or as a real instrument sends them (the capture of 1500
// samples at the sample period, then the bytes at about 1 MB/s).
enum class SimPace
{
    AtOnce,
    Real
};

struct SimFaults
{
    bool silence = false;   // answers nothing
    bool wrongSync = false; // records start with wrongSyncByte in place of "U"
    std::uint8_t wrongSyncByte = 'X';
    int shortRecord = 0;     // > 0: records end after this many bytes, sync included
    bool garbage = false;    // every answer is replaced by as many pseudo-random bytes
    int hangUpAfter = 0;     // > 0: the link hangs up after this many bytes of a record
    bool everyOther = false; // only the 1st, 3rd, 5th ... request ("?" or frame) is answered
};

// What the instrument reads from a 9-byte command frame.
struct SimFrame
{
    std::uint8_t levelByte = 128; // byte 1: trigger threshold in sample-byte counts
    bool ch2HighRange = false;    // byte 2 bit 7: 20 V span instead of 4 V
    bool ch1HighRange = false;    // byte 2 bit 6
    bool risingEdge = true;       // byte 2 bits 5-4: "11" rising, anything else falling
    bool ch1Enabled = false;      // byte 2 bits 3-0: not "0000"
    int timebaseCode = 3;         // byte 3 bits 7-3
    bool autoMode = true;         // byte 3 bit 2
    int sourceBits = 0;           // byte 3 bits 1-0: "00" channel 1, "01" channel 2
    bool externalTrigger = false; // byte 4 bit 6
    int fastChannelBits = 0;      // byte 4 bits 5-4: "01" channel 1, "10" channel 2
    bool fastMode = false;        // byte 4 bit 3: one channel at 1 MS/s
    std::array<std::uint8_t, 4> trigPos{240, 5, 239, 3}; // bytes 5-8

    static SimFrame decode(const std::array<std::uint8_t, 9>& bytes);

    // Seconds between samples: 1 us in fast mode, else by the timebase code (code 3 = 2 us ...
    // code 15 = 20 ms; lower codes 2 us, each channel at 500 kS/s; higher 20 ms).
    double samplePeriod() const;
    // Samples per channel in the record: 3000 of one channel in fast mode, else 1500 of each.
    int samplesPerChannel() const { return fastMode ? 3000 : 1500; }
    // The channel that a fast-mode record carries: 2 for "10", else 1.
    int fastChannel() const { return fastChannelBits == 2 ? 2 : 1; }
    // The trigger channel (1 or 2), 0 for the external input (free-running here).
    int triggerChannel() const;
    // Where the trigger point lies in the record, 0..1. The presets of the program: 50,1,80,6
    // = 10 %, 240,5,239,3 = 50 %, 180,10,140,1 = 90 % of a two-channel record; 160,3,33,5 = 30 %
    // and 100,8,189,2 = 70 % (at 50 us/div these put the trigger at 10 % and 90 % of the window
    // that the program keeps from the middle of the record). Other bytes: (byte5 + 256 x byte6)
    // / 3000, at most 1.
    double triggerFraction() const;
    // The record index of the trigger point: the first sample past the threshold.
    int triggerIndex() const;
};

// The instrument's side of the link, without any I/O: fed the bytes it receives, it queues its
// answers with the times they are due on its clock.
//   "E" reset: drops pending work and unsent bytes, no answer.
//   "+" stop: cancels a capture in progress (waiting for a trigger or not yet sent), no answer.
//   "?" identify: the identity text (default "OC10351").
//   0xAA + 8 bytes: a command frame, answered by "U" and 3000 sample bytes.
// A frame not completed within 50 ms is abandoned. Other bytes are ignored.
class SimulatedInstrument
{
  public:
    static constexpr std::uint8_t ResetByte = 0x45;
    static constexpr std::uint8_t StopByte = 0x2B;
    static constexpr std::uint8_t IdentifyByte = 0x3F;
    static constexpr std::uint8_t FrameStart = 0xAA;
    static constexpr std::uint8_t SyncByte = 0x55;
    static constexpr int FrameLength = 9;
    static constexpr int RecordLength = 3001;
    static constexpr int DataLength = 3000;
    static constexpr std::int64_t FrameGapMicros = 50000;

    using Frame = std::array<std::uint8_t, FrameLength>;

    // The steady clock when none is given.
    explicit SimulatedInstrument(std::shared_ptr<SimClock> clock = nullptr);

    // Defaults: channel 1 a 1 kHz sine of 1 V peak, channel 2 a 500 Hz square of 0.5 V peak.
    void setSignal(int channel, const SimSignal& signal);
    const SimSignal& signal(int channel) const;
    void setIdentity(std::string identity) { identity_ = std::move(identity); }
    const std::string& identity() const { return identity_; }
    void setPace(SimPace pace) { pace_ = pace; }
    SimPace pace() const { return pace_; }
    void setFaults(const SimFaults& faults) { faults_ = faults; }
    SimFaults& faults() { return faults_; }
    const SimFaults& faults() const { return faults_; }
    // A channel whose enable bits are "0000" reads 0 V (byte 127) unless this is switched off.
    void setHonourChannelEnable(bool honour) { honourEnable_ = honour; }

    void receive(std::uint8_t byte);
    void receive(std::string_view bytes);

    struct Output
    {
        std::string bytes;
        bool hungUp = false; // the link went down after these bytes; nothing more is queued
    };
    // Removes and returns the bytes due by now.
    Output takeDue();
    // When the queued byte at this place (0 = the next) is due, or the last queued byte when
    // fewer are queued; nullopt when nothing is queued.
    std::optional<std::int64_t> dueMicros(std::size_t index = 0) const;
    // A normal-mode frame still waiting for its trigger.
    bool capturePending() const { return pending_.has_value(); }
    // The last complete command frame received.
    std::optional<Frame> lastFrame() const { return lastFrame_; }
    // Frames and identify requests received since construction.
    int requestCount() const { return requests_; }
    // Complete command frames received since construction, answered or not.
    int frameCount() const { return frames_; }
    // As after power-up: nothing pending, nothing queued, no partial frame.
    void powerUp();

    // The 3001 bytes captured now for this frame (before any fault), or nullopt when the frame
    // waits for a trigger that does not come (normal mode). Advances the signal time past the
    // record, so successive free-running records differ.
    std::optional<std::string> capture(const SimFrame& frame);

    SimClock& clock() { return *clock_; }

  private:
    struct QueuedByte
    {
        std::uint8_t byte;
        std::int64_t due;
        bool hangUpAfter;
    };

    void command(std::uint8_t byte);
    void frameReceived();
    bool takeRequest();
    void answerPending();
    void queueAnswer(std::string bytes, bool record, std::int64_t captureMicros);
    void dropUnsent();
    std::uint8_t sampleByte(int channel, bool highRange, double seconds) const;
    std::optional<double> findTrigger(const SimFrame& frame, double from) const;

    std::shared_ptr<SimClock> clock_;
    std::array<SimSignal, 2> signals_;
    std::string identity_ = "OC10351";
    SimPace pace_ = SimPace::AtOnce;
    SimFaults faults_;
    bool honourEnable_ = true;

    Frame partial_{};
    int partialLength_ = 0;
    std::int64_t partialAt_ = 0;
    std::optional<Frame> lastFrame_;
    std::optional<SimFrame> pending_;
    bool signalsChanged_ = false;
    int requests_ = 0;
    int frames_ = 0;
    double signalTime_ = 0.0;
    std::uint32_t garbageState_ = 12345;
    std::deque<QueuedByte> queue_;
};

} // namespace kv
