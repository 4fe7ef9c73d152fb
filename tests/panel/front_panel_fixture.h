#pragma once

// A headless main window with the start-up values that the front-panel handlers read, set
// field by field or by start-up's own setChannelStartValues (no Form_Load, so no other group's
// start-up dialogs or link traffic), and the command frame the in-process instrument receives
// next.

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "link/acquisition.h"
#include "link/rules/command_frame.h"
#include "panel/rules/time_div_setting.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QLabel>
#include <array>
#include <cstdint>

namespace kv::test {

class FrontPanelFixture : public MainFixture
{
  protected:
    void SetUp() override
    {
        Main& m = build();
        ScopeState& s = m.state;
        s.TrigSourceBits = "00";
        s.TrigSlopeBits = "11";
        s.TrigModeBit = "1";
        s.TrigLevelCH1 = 127;
        s.TrigLevelCH2 = 127;
        Main::setChannelStartValues(s);
        s.VdivIndex = 1;
        s.FastChannelBits = "00";
        s.TimebaseCode = "00010";
        s.PlotScaleCH1 = 19.53125;
        s.PlotScaleCH2 = 19.53125;
        s.TrigPosByte1 = 240;
        s.TrigPosByte2 = 5;
        s.TrigPosByte3 = 239;
        s.TrigPosByte4 = 3;
        s.HTrigPosition = 2;
        m.global.ActiveChannel = 0;
        m.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), false);
        m.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), false);
        m.PeriodVAL->setText(QStringLiteral("100mV"));
        m.PeriodVAL2->setText(QStringLiteral("100mV"));
        serial().PortSetup();
    }

    // Switches a channel on and makes it the selected one, with its trace shown.
    void selectChannel(int channel)
    {
        Main& m = main();
        (channel == 1 ? m.state.CH1EnableBits : m.state.CH2EnableBits) = "0001";
        m.global.ActiveChannel = channel;
        m.CWGraph1->setPlotVisible(channel == 1 ? QStringLiteral("PCH1") : QStringLiteral("PCH2"),
                                   true);
        m.CWKnob1->setEnabled(true);
    }

    // The command frame the instrument receives with the present settings.
    std::array<std::uint8_t, 9> nextFrame()
    {
        Main& m = main();
        SendCommandFrame(m.state, serial(), m.CWSlide5->position());
        const auto frame = serial().lastFrame();
        EXPECT_TRUE(frame.has_value());
        return frame.value_or(std::array<std::uint8_t, 9>{});
    }

    // The frame the acquisition cycle sends on its next tick with Run on (Run is left on).
    std::array<std::uint8_t, 9> acquiredFrame()
    {
        Main& m = main();
        if (!m.acquisition)
            return nextFrame();
        m.CWButton1->setValue(true);
        serial().clearWritten();
        m.acquisition->Timer1_Timer();
        const std::string& written = serial().written();
        EXPECT_GE(written.size(), 9u) << "no request on the tick";
        std::array<std::uint8_t, 9> frame{};
        const std::size_t start = written.size() >= 9 ? written.size() - 9 : 0;
        for (std::size_t i = 0; i < frame.size() && start + i < written.size(); ++i)
            frame[i] = std::uint8_t(written[start + i]);
        EXPECT_EQ(frame[0], FrameStart);
        return frame;
    }

    // The Vertical menu items of channel 1 or 2 and the Horizontal menu items, in knob order.
    static std::array<QAction*, 6> verticalItems(const Main& m, int channel)
    {
        if (channel == 1)
            return {m.mnuVCH1100mv, m.mnuVCH1200mV, m.mnuVCH1500mV,
                    m.mnuVch11V,    m.mnuVch12V,    m.mnuVCH15V};
        return {m.mnuVch2100mV, m.mnuVch2200mV, m.mnuVch2500mV,
                m.mnuVch21V,    m.mnuVch22V,    m.mnuVch25V};
    }
    static std::array<QAction*, TimeDivPositions> horizontalItems(const Main& m)
    {
        return {m.mnuH50us,  m.mnuH100us, m.mnuH200us, m.mnuH500us, m.mnuH1ms,
                m.mnuH2ms,   m.mnuH5ms,   m.mnuH10ms,  m.mnuH20ms,  m.mnuH50ms,
                m.mnuH100ms, m.mnuH200ms, m.mnuH500ms, m.mnuH1s};
    }

    // The items of a menu group that carry a check mark, by position in the group (1-based).
    template <class Items> static std::vector<int> checkedPositions(const Items& items)
    {
        std::vector<int> checked;
        int position = 1;
        for (QAction* item : items) {
            if (item->isChecked())
                checked.push_back(position);
            ++position;
        }
        return checked;
    }
};

} // namespace kv::test
