#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "panel/rules/volts_div_setting.h"
#include "state/global_v.h"
#include "state/scope_state.h"
#include "state/voltsdiv_table.h"

#include <QObject>
#include <array>
#include <optional>

namespace kv {

class ReadOuts;
class TriggerLevel;

// Volts/div knob CWKnob1 and the Vertical menu: scale, range bit, caption, menu marks, trigger
// pointer and plot scale of the selected channel.
class VoltsDiv : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwKnob* CWKnob1;
        QLabel* PeriodVAL; // the channel's volts/div caption
        QLabel* PeriodVAL2;
        CwButton* CH1Button; // pressed by the menu items to select their channel
        CwButton* CH2Button;
        CwSlide* CWSlide3; // trigger levels, rescaled
        CwSlide* CWSlide4; // vertical positions, read
        CwGraph* CWGraph1; // read for the traces shown
        CwTimer* TriggerTimer;
        QAction* mnuVCH1100mv;
        QAction* mnuVCH1200mV;
        QAction* mnuVCH1500mV;
        QAction* mnuVch11V;
        QAction* mnuVch12V;
        QAction* mnuVCH15V;
        QAction* mnuVch2100mV;
        QAction* mnuVch2200mV;
        QAction* mnuVch2500mV;
        QAction* mnuVch21V;
        QAction* mnuVch22V;
        QAction* mnuVch25V;
    };

    VoltsDiv(ScopeState& state, GlobalV& global, const Controls& controls, ReadOuts& readOuts,
             TriggerLevel& triggerLevel);

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

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    ReadOuts& readOuts_;
    TriggerLevel& triggerLevel_;
};

// The six Vertical menu items of channel 1 or 2, in knob order (100 mV first).
std::array<QAction*, 6> verticalMenuItems(const VoltsDiv::Controls& controls, int channel);

} // namespace kv
