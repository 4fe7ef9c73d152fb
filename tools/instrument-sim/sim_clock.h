#pragma once

#include <cstdint>

namespace kv {

// The time base of the simulated instrument, in microseconds. The pseudo-terminal program runs
// on the steady clock; tests inject a manual clock so that paced answers need no real waiting.
class SimClock
{
  public:
    virtual ~SimClock() = default;
    virtual std::int64_t nowMicros() const = 0;
    // Returns once nowMicros() has reached the given time.
    virtual void sleepUntil(std::int64_t micros) = 0;
};

class SteadySimClock : public SimClock
{
  public:
    std::int64_t nowMicros() const override;
    void sleepUntil(std::int64_t micros) override;
};

// Time stands still until advanced; sleeping advances it.
class ManualSimClock : public SimClock
{
  public:
    std::int64_t nowMicros() const override { return now_; }
    void sleepUntil(std::int64_t micros) override;
    void advance(std::int64_t micros) { now_ += micros; }

  private:
    std::int64_t now_ = 0;
};

} // namespace kv
