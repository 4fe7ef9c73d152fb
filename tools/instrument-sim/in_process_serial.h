#pragma once

#include "instrument-sim/simulated_instrument.h"
#include "platform/rules/serial_control.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace kv {

// A serial control with the simulated instrument behind it, in the same process. It behaves as
// the real control does: closed until PortSetup, "" and 0 bytes waiting while closed, written
// bytes dropped while closed, input cleared by PortReset and FlushInput. ReadBytes waits on the
// instrument's clock only for bytes that are queued (paced answers), with the real control's
// time-outs for the expected reply length (ReadTimeoutsFor; for a record 100 ms for the first
// byte, 1 s in all); with answers at once it never waits.
class InProcessSerial : public SerialControl
{
  public:
    static constexpr std::int64_t FirstByteTimeoutMicros = RecordReadTimeouts.firstByteMs * 1000;
    static constexpr std::int64_t TotalTimeoutMicros = RecordReadTimeouts.totalMs * 1000;

    // The steady clock when none is given; a ManualSimClock makes paced reads instant.
    explicit InProcessSerial(std::shared_ptr<SimClock> clock = nullptr);

    SimulatedInstrument& instrument() { return instrument_; }
    SimClock& clock() { return *clock_; }

    void PortNumber(int number) override { portNumber_ = number; }
    int PortNumber() const override { return portNumber_; }
    void ReplyLength(int length) override { replyLength_ = length; }
    void WriteByte(std::uint8_t byte) override;
    std::string ReadBytes(int n) override;
    std::int16_t BytesWaiting() override;
    void FlushInput() override;
    void PortSetup() override;
    void PortReset() override;
    bool PortOpen() const override { return open_; }

    // Every byte passed to WriteByte, in order, whether or not it reached the instrument.
    const std::string& written() const { return written_; }
    void clearWritten() { written_.clear(); }
    // The last complete 9-byte command frame (0xAA and 8 bytes) passed to WriteByte.
    std::optional<std::array<std::uint8_t, 9>> lastFrame() const { return lastFrame_; }
    int replyLength() const { return replyLength_; }

    // The device vanishes (as an unplugged adapter): the port closes, what had arrived can still
    // be read, PortSetup fails until plug(). The instrument loses power and starts afresh.
    void unplug();
    void plug() { plugged_ = true; }
    bool plugged() const { return plugged_; }
    bool isOpen() const { return open_; }
    // The port number the instrument answers on; 0 (the default) for every port.
    void setInstrumentPort(int number) { instrumentPort_ = number; }

  private:
    void drain();
    void close();
    void noteWritten(std::uint8_t byte);

    std::shared_ptr<SimClock> clock_;
    SimulatedInstrument instrument_;
    int portNumber_ = 1;
    int openedPort_ = 0;
    int instrumentPort_ = 0;
    int replyLength_ = 0;
    bool open_ = false;
    bool plugged_ = true;
    std::string input_;
    std::string written_;
    std::array<std::uint8_t, 9> frame_{};
    int frameLength_ = 0;
    std::optional<std::array<std::uint8_t, 9>> lastFrame_;
};

} // namespace kv
