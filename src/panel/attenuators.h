#pragma once

#include "app/handler_group.h"
#include "panel/attenuation.h"
#include "state/colours.h"

#include <QPointer>

namespace kv {

class HardwareCheckDialog;

// The 40 V attenuator switches CH1ATT and CH2ATT with their LEDs, and the "Hardware Check"
// dialog that confirms the circuit is installed.
class Attenuators : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Attenuators(Main& main);
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
    void setLeds(int channel, int bgr);

    QPointer<HardwareCheckDialog> dialog_;
};

} // namespace kv
