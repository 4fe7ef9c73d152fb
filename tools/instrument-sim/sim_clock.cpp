#include "instrument-sim/sim_clock.h"

#include <chrono>
#include <thread>

namespace kv {

std::int64_t SteadySimClock::nowMicros() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadySimClock::sleepUntil(std::int64_t micros)
{
    const std::int64_t wait = micros - nowMicros();
    if (wait > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(wait));
}

void ManualSimClock::sleepUntil(std::int64_t micros)
{
    if (micros > now_)
        now_ = micros;
}

} // namespace kv
