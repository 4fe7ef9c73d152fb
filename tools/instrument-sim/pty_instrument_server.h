#pragma once

#include "instrument-sim/simulated_instrument.h"

#include <atomic>
#include <functional>
#include <string>
#include <string_view>

namespace kv {

// Serves a SimulatedInstrument on a pseudo-terminal: opens it in raw mode, points the entry
// <folder>/dosdevices/comN at its slave (replacing an old link) and answers what the far end
// sends. When no far end has the slave open the master reads EIO; the server then keeps
// polling. A hang-up fault closes the pseudo-terminal and removes the link; after the pause a
// fresh pseudo-terminal takes its place and the link points to it.
class PtyInstrumentServer
{
  public:
    PtyInstrumentServer(SimulatedInstrument& instrument, std::string folder, int port);
    ~PtyInstrumentServer();
    PtyInstrumentServer(const PtyInstrumentServer&) = delete;
    PtyInstrumentServer& operator=(const PtyInstrumentServer&) = delete;

    // Opens the pseudo-terminal and makes the link; false with a message when it cannot.
    bool open(std::string& error);
    const std::string& slavePath() const { return slavePath_; }
    std::string linkPath() const;
    void setHangUpPauseMs(int ms) { hangUpPauseMs_ = ms; }
    // Told every complete command frame as it is received, answered or not.
    void setFrameLog(std::function<void(const SimulatedInstrument::Frame&)> log)
    {
        frameLog_ = std::move(log);
    }

    // Beside the answers, pseudo-random bytes at this rate (0: none), as a noisy line or an
    // instrument gone mad sends them. What the far end does not take is dropped beyond a small
    // queue, as a line does not wait.
    void setFloodRate(int bytesPerSecond) { floodRate_ = bytesPerSecond; }

    // Serves until stop(); onSlave is told the slave path of every pseudo-terminal opened
    // after a hang-up.
    void serve(const std::function<void(const std::string&)>& onSlave = {});
    // May be called from a signal handler or another thread.
    void stop() { stop_.store(true); }

  private:
    bool openPty(std::string& error);
    bool makeLink(std::string& error);
    void removeLink();
    void closePty();
    void readInput();
    void receive(std::string_view bytes);
    void writeOutput();
    void waitForFarEndToRead();
    void hangUp();
    void addFlood(std::int64_t nowMicros);

    SimulatedInstrument& instrument_;
    std::string folder_;
    int port_;
    int master_ = -1;
    std::string slavePath_;
    std::string output_;
    bool hangUpAfterOutput_ = false;
    std::int64_t reopenAt_ = 0;
    int hangUpPauseMs_ = 1000;
    std::function<void(const SimulatedInstrument::Frame&)> frameLog_;
    std::atomic<bool> stop_{false};
    int floodRate_ = 0;
    std::int64_t floodStart_ = -1;
    std::int64_t floodSent_ = 0;
    std::uint32_t floodSeed_ = 0x2545F491u;
};

} // namespace kv
