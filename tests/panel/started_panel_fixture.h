#pragma once

// A headless main window after its start-up (no instrument answering, so no identification
// questions), and the command frame the in-process instrument receives next.

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "link/acquisition.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QLabel>
#include <array>
#include <cstdint>

namespace kv::test {

class StartedPanelFixture : public MainFixture
{
  protected:
    void SetUp() override
    {
        instrument().faults().silence = true;
        load();
        dialogs().clear();
    }

    // The frame the acquisition cycle sends on its next tick with Run on (then Run goes off).
    std::array<std::uint8_t, 9> nextFrame()
    {
        Main& m = main();
        serial().clearWritten();
        m.CWButton1->setValue(true);
        m.acquisition->Timer1_Timer();
        m.CWButton1->setValue(false);
        const auto frame = serial().lastFrame();
        EXPECT_GE(serial().written().size(), 9u) << "no request on the tick";
        EXPECT_TRUE(frame.has_value());
        return frame.value_or(std::array<std::uint8_t, 9>{});
    }

    static int bits(std::uint8_t byte, int high, int low)
    {
        return (byte >> low) & ((1 << (high - low + 1)) - 1);
    }

    // A press and release of a push button, as the mouse gives it.
    static void press(CwButton* button)
    {
        button->setValue(true);
        button->setValue(false);
    }
};

} // namespace kv::test
