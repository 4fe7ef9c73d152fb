#pragma once

#include "app/handler_group.h"
#include "panel/channel_selection.h"
#include "state/colours.h"

#include <string>

class QAction;
class QLabel;

namespace kv {

class CwButton;
struct ScopeState;

// Channel selection and switch-off: CH1Button, CH2Button, the OFF button CWButton8 and the
// Channel menu.
class Channels : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Channels(Main& main);

    void CH1Button_ValueChanged(bool value) { selectChannel(1, value); }
    void CH2Button_ValueChanged(bool value) { selectChannel(2, value); }
    void CWButton8_ValueChanged(bool value);

    void mnuC1_Click();
    void mnuC2_Click();
    void mnuCO_Click();

  private:
    // The fixed controls of one channel; its fields come from channelState.
    struct Channel
    {
        int number;
        CwButton* button;
        CwButton* led;
        CwButton* indicator;
        QLabel* caption;
        QString plot;
        int color;
        int chdispTextColor;
        QString name;
        QAction* menu;
    };
    Channel channel(int number) const;

    void selectChannel(int number, bool value);
    void selectOn(const Channel& ch, const Channel& other);
    void updatePlotScale(const Channel& ch);
    void markAutoscale();

    void switchOffChannel1();
    void switchOffChannel2();
    void switchOffReference();
    void handOverSelection(int switchedOff);
    void setChdisp(const Channel& ch);
    void setKnobPointerColor(int bgr);
    void handOverTrigger(int c);
    void finishSwitchOff();
};

} // namespace kv
