#pragma once

#include "app/handler_group.h"
#include "state/colours.h"

#include <QPointer>

namespace kv {

class HardwareCheckDialog;

inline constexpr int LedAttOff = colour::DarkGreen;
inline constexpr int LedAttStandard = colour::Green; // the standard factor 2.0
inline constexpr int LedAttOther = colour::Red;      // any other factor
inline constexpr float StandardAttFactor = 2.0f;

// The factor that switching an attenuator on puts in force. A value of 0.0 (no settings file
// and no default settings applied yet) stands for the standard factor: a factor of 0 would
// turn every sample of the channel into 0.
float attenuationFactor(float attValue);
// The LED colour of a switched-on attenuator with that value: green for 2.0 (and 0.0, which
// means 2.0), red for any other.
int attenuatorLedColor(float attValue);

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
