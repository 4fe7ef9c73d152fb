#include "panel/attenuators.h"

#include "controls/cw_button.h"
#include "panel/hardware_check_dialog.h"
#include "state/channel_fields.h"

namespace kv {

Attenuators::Attenuators(ScopeState& state, GlobalV& global, Dialogs& dialogs,
                         const Controls& controls)
    : state_(state), global_(global), dialogs_(dialogs), ui(controls)
{
    // The keys are command buttons: a press turns one on, and it switches itself back off. Only
    // the press toggles; the switch back is the key's own.
    connect(ui.CH1ATT, &CwButton::valueChanged, this, [this](bool on) {
        if (on)
            CH1ATT_ValueChanged();
    });
    connect(ui.CH2ATT, &CwButton::valueChanged, this, [this](bool on) {
        if (on)
            CH2ATT_ValueChanged();
    });
    connect(ui.CH1ATT, &CwButton::doubleClicked, this, [this] { CH1ATT_DblClick(); });
    connect(ui.CH2ATT, &CwButton::doubleClicked, this, [this] { CH2ATT_DblClick(); });
}

Attenuators::~Attenuators()
{
    delete dialog_.data();
}

HardwareCheckDialog* Attenuators::frm30volt() const
{
    return dialog_.data();
}

void Attenuators::showHardwareCheck()
{
    if (!dialog_) {
        dialog_ = new HardwareCheckDialog(global_, dialogs_, *this, ui.window);
        dialog_->Form_Load();
    }
    dialog_->show();
}

void Attenuators::toggle(int channel)
{
    GlobalV& g = global_;
    if (g.ShowHardwareCheck && g.NoATTHardware)
        showHardwareCheck();
    if (g.NoATTHardware)
        return;
    const ChannelShared shared = channelShared(g, channel);
    if (shared.ATTOn) {
        switchOff(channel);
        return;
    }
    const float value = channelState(state_, channel).ATTValue;
    setLeds(channel, attenuatorLedColor(value));
    shared.ATTOn = true;
    shared.ATTFactor = attenuationFactor(value);
}

void Attenuators::switchOff(int channel)
{
    setLeds(channel, LedAttOff);
    const ChannelShared shared = channelShared(global_, channel);
    shared.ATTOn = false;
    shared.ATTFactor = 1.0f;
}

std::array<CwButton*, 2> Attenuators::leds(int channel) const
{
    if (channel == 1)
        return {ui.LEDATT1, ui.LEDATT1b};
    return {ui.LEDATT2, ui.LEDATT2b};
}

void Attenuators::setLeds(int channel, int bgr)
{
    for (CwButton* led : leds(channel))
        led->setOffColor(bgr);
}

} // namespace kv
