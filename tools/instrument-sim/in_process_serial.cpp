#include "instrument-sim/in_process_serial.h"

#include <algorithm>

namespace kv {

namespace {

std::shared_ptr<SimClock> orSteady(std::shared_ptr<SimClock> clock)
{
    return clock ? std::move(clock) : std::make_shared<SteadySimClock>();
}

} // namespace

InProcessSerial::InProcessSerial(std::shared_ptr<SimClock> clock)
    : clock_(orSteady(std::move(clock))), instrument_(clock_)
{
}

void InProcessSerial::noteWritten(std::uint8_t byte)
{
    written_.push_back(static_cast<char>(byte));
    if (frameLength_ == 0 && byte != SimulatedInstrument::FrameStart)
        return;
    frame_[static_cast<std::size_t>(frameLength_++)] = byte;
    if (frameLength_ == SimulatedInstrument::FrameLength) {
        lastFrame_ = frame_;
        frameLength_ = 0;
    }
}

void InProcessSerial::WriteByte(std::uint8_t byte)
{
    noteWritten(byte);
    if (open_)
        instrument_.receive(byte);
}

// Moves the instrument's due bytes into the input; a hang-up closes the port.
void InProcessSerial::drain()
{
    if (!open_)
        return;
    SimulatedInstrument::Output out = instrument_.takeDue();
    input_ += out.bytes;
    if (out.hungUp) {
        plugged_ = false;
        open_ = false;
        openedPort_ = 0;
    }
}

std::string InProcessSerial::ReadBytes(int n)
{
    if (n <= 0)
        return {};
    drain();
    const ReadTimeouts timeouts = ReadTimeoutsFor(replyLength_);
    const std::int64_t firstByteMicros = std::int64_t(timeouts.firstByteMs) * 1000;
    const std::int64_t start = clock_->nowMicros();
    while (static_cast<int>(input_.size()) < n && open_) {
        // The due time of the byte that completes the read (or of the last one queued).
        const std::optional<std::int64_t> last =
            instrument_.dueMicros(static_cast<std::size_t>(n) - input_.size() - 1);
        if (!last)
            break; // nothing more is coming
        if (input_.empty() && *instrument_.dueMicros(0) > start + firstByteMicros) {
            clock_->sleepUntil(start + firstByteMicros);
            break;
        }
        const std::int64_t deadline = start + std::int64_t(timeouts.totalMs) * 1000;
        clock_->sleepUntil(std::min(*last, deadline));
        drain();
        if (*last > deadline)
            break;
    }
    const std::size_t count = std::min(input_.size(), static_cast<std::size_t>(n));
    std::string result = input_.substr(0, count);
    input_.erase(0, count);
    return result;
}

std::int16_t InProcessSerial::BytesWaiting()
{
    drain();
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(input_.size() & 0xFFFF));
}

void InProcessSerial::FlushInput()
{
    drain();
    input_.clear();
}

void InProcessSerial::close()
{
    open_ = false;
    openedPort_ = 0;
}

void InProcessSerial::PortSetup()
{
    if (open_ && openedPort_ != portNumber_) {
        close();
        input_.clear();
    }
    if (open_ || !plugged_)
        return;
    if (instrumentPort_ != 0 && instrumentPort_ != portNumber_)
        return;
    open_ = true;
    openedPort_ = portNumber_;
}

void InProcessSerial::PortReset()
{
    drain();
    input_.clear();
    if (!plugged_)
        close();
}

void InProcessSerial::unplug()
{
    drain();
    close();
    plugged_ = false;
    instrument_.powerUp();
}

} // namespace kv
