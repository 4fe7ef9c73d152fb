#pragma once

#include "panel/layer.h"
#include "panel/rules/attenuation.h"
#include "state/colours.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <QPointer>
#include <array>

class QWidget;

namespace kv {

class CwButton;
class Dialogs;
class HardwareCheckDialog;

// The 40 V attenuator keys CH1ATT and CH2ATT (command buttons: each press toggles the channel's
// attenuator), their LEDs, which show the state, and the "Hardware Check" dialog that confirms
// the circuit is installed.
class Attenuators : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // the Hardware Check dialog's parent
        CwButton* CH1ATT;
        CwButton* CH2ATT;
        CwButton* LEDATT1; // on the Options panel
        CwButton* LEDATT2;
        CwButton* LEDATT1b; // in the status strip
        CwButton* LEDATT2b;
    };

    // `dialogs` serve the Hardware Check dialog.
    Attenuators(ScopeState& state, GlobalV& global, Dialogs& dialogs, const Controls& controls);
    ~Attenuators() override;

    void CH1ATT_ValueChanged() { toggle(1); }
    void CH2ATT_ValueChanged() { toggle(2); }
    void CH1ATT_DblClick() { showHardwareCheck(); }
    void CH2ATT_DblClick() { showHardwareCheck(); }

    // Switches a channel's attenuator off: LEDs dark, factor 1.0.
    void switchOff(int channel);

    // The dialog while it is loaded, else null.
    HardwareCheckDialog* frm30volt() const;
    // Creates the dialog if needed and shows it without waiting for it.
    void showHardwareCheck();

  private:
    void toggle(int channel);
    // The channel's LEDs: on the Options panel, then in the status strip.
    std::array<CwButton*, 2> leds(int channel) const;
    void setLeds(int channel, int bgr);

    ScopeState& state_;
    GlobalV& global_;
    Dialogs& dialogs_;
    const Controls ui;
    QPointer<HardwareCheckDialog> dialog_;
};

} // namespace kv
