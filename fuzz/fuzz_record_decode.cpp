// The acquisition cycle fed an arbitrary reply to its command frame: one pass of each of the
// three variants (two channels at time/div position 2 and above; one channel at 1 MS/s and both
// channels at 500 kS/s at position 1), each as long as the reply keeps it busy.

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "fuzz_support.h"
#include "link/acquisition.h"

#include <chrono>

namespace {

using namespace kv;

struct Setup
{
    int timeDiv;
    double activeChannel;
    bool ch1Shown;
    bool ch2Shown;
};

// Two-channel pass; single channel 1 and single channel 2 at 1 MS/s; both channels fast.
constexpr Setup Setups[] = {
    {5, 1, true, true},
    {1, 1, true, false},
    {1, 2, false, true},
    {1, 1, true, true},
};

// Ticks enough for a reply that stops short: the first poll sees it, the second finds it
// standing still and reads it.
constexpr int TicksPerPass = 3;

void runPass(Main& w, const Setup& setup)
{
    w.CWKnob2->setPosition(setup.timeDiv);
    w.global.ActiveChannel = setup.activeChannel;
    w.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), setup.ch1Shown);
    w.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), setup.ch2Shown);
    w.acquisition->setLinkStall(std::chrono::milliseconds(0));
    w.CWButton1->setValue(true);
    for (int tick = 0; tick < TicksPerPass && w.CWButton1->value(); ++tick)
        w.acquisition->Timer1_Timer();
    w.CWButton1->setValue(false);
}

fuzz::HarnessPool& pool = fuzz::HarnessPool::forTarget(2000);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Harness& h = pool.next();
    Main& w = h.main();
    if (!w.acquisition)
        return 0;
    w.CWButton4->setValue(false); // continuous: each pass decides itself when to stop
    h.serial().setReply(std::string(fuzz::bytes(data, size)));
    for (const Setup& setup : Setups)
        runPass(w, setup);
    fuzz::drainEvents();
    return 0;
}
