#include "panel/attenuators.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "panel/hardware_check_dialog.h"
#include "state/channel_fields.h"

namespace kv {

Attenuators::Attenuators(Main& main) : HandlerGroup(main)
{
    connect(m.CH1ATT, &CwButton::valueChanged, this, [this] { CH1ATT_ValueChanged(); });
    connect(m.CH2ATT, &CwButton::valueChanged, this, [this] { CH2ATT_ValueChanged(); });
    connect(m.CH1ATT, &CwButton::doubleClicked, this, [this] { CH1ATT_DblClick(); });
    connect(m.CH2ATT, &CwButton::doubleClicked, this, [this] { CH2ATT_DblClick(); });
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
        dialog_ = new HardwareCheckDialog(m.global, m.dialogs, *this, &m);
        dialog_->Form_Load();
    }
    dialog_->show();
}

void Attenuators::toggle(int channel)
{
    GlobalV& g = m.global;
    if (g.ShowHardwareCheck && g.NoATTHardware)
        showHardwareCheck();
    if (g.NoATTHardware)
        return;
    const ChannelShared shared = channelShared(g, channel);
    if (shared.ATTOn) {
        switchOff(channel);
        return;
    }
    const float value = channelState(m.state, channel).ATTValue;
    setLeds(channel, attenuatorLedColor(value));
    shared.ATTOn = true;
    shared.ATTFactor = attenuationFactor(value);
}

void Attenuators::switchOff(int channel)
{
    setLeds(channel, LedAttOff);
    const ChannelShared shared = channelShared(m.global, channel);
    shared.ATTOn = false;
    shared.ATTFactor = 1.0f;
}

void Attenuators::setLeds(int channel, int bgr)
{
    (channel == 1 ? m.LEDATT1 : m.LEDATT2)->setOffColor(bgr);
    (channel == 1 ? m.LEDATT1b : m.LEDATT2b)->setOffColor(bgr);
}

} // namespace kv
