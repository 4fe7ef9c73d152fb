#pragma once

#include "app/handler_group.h"
#include "panel/volts_div_setting.h"
#include "state/voltsdiv_table.h"

#include <array>
#include <optional>

class QAction;

namespace kv {

// The six Vertical menu items of channel 1 or 2, in knob order (100 mV first).
std::array<QAction*, 6> verticalMenuItems(const Main& m, int channel);

// Volts/div knob CWKnob1 and the Vertical menu: scale, range bit, caption, menu marks, trigger
// pointer and plot scale of the selected channel.
class VoltsDiv : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit VoltsDiv(Main& main);

    void CWKnob1_PointerValueChanged();

    void mnuVCH1100mv_Click() { selectFromMenu(1, 1); }
    void mnuVCH1200mV_Click() { selectFromMenu(1, 2); }
    void mnuVCH1500mV_Click() { selectFromMenu(1, 3); }
    void mnuVch11V_Click() { selectFromMenu(1, 4); }
    void mnuVch12V_Click() { selectFromMenu(1, 5); }
    void mnuVCH15V_Click() { selectFromMenu(1, 6); }
    void mnuVch2100mV_Click() { selectFromMenu(2, 1); }
    void mnuVch2200mV_Click() { selectFromMenu(2, 2); }
    void mnuVch2500mV_Click() { selectFromMenu(2, 3); }
    void mnuVch21V_Click() { selectFromMenu(2, 4); }
    void mnuVch22V_Click() { selectFromMenu(2, 5); }
    void mnuVch25V_Click() { selectFromMenu(2, 6); }

  private:
    struct Channel;
    Channel channel(int number) const;
    void rescaleTrigger(const Channel& ch, int position);
    void applyPosition(const Channel& ch, int position);
    void updatePlotScale(const Channel& ch);
    void markZoomed();
    // Selects the channel with its button, sets the knob, releases the button.
    void selectFromMenu(int channelNumber, int position);
};

} // namespace kv
