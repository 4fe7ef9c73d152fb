#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "panel/rules/channel_selection.h"
#include "state/colours.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <string>

namespace kv {

class Cursors;
class ReadOuts;
class TriggerSource;

// Channel selection and switch-off: CH1Button, CH2Button, the OFF button CWButton8 and the
// Channel menu.
class Channels : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwButton* CH1Button;
        CwButton* CH2Button;
        CwButton* CWButton8; // OFF
        QAction* mnuC1;
        QAction* mnuC2;
        QAction* mnuCO;
        CwButton* LED1;
        CwButton* LED2;
        CwButton* LED5;       // the reference's
        CwButton* CWButton22; // channel indicators of the status strip
        CwButton* CWButton25;
        QLabel* PeriodVAL; // volts/div captions
        QLabel* PeriodVAL2;
        CwButton* CHDISP; // the selected channel's name
        CwKnob* CWKnob1;
        CwKnob* CWKnob2;
        CwGraph* CWGraph1;
        CwSlide* CWSlide4;    // vertical position pointers
        CwSlide* CWSlide5;    // trigger source, moved with the shown channel at 1 MS/s
        CwButton* CWButton21; // trigger source indicator
        CwButton* Autoscale;
        QLabel* lblVREF;
        QLabel* lblHREF;
    };

    Channels(ScopeState& state, GlobalV& global, const Controls& controls, ReadOuts& readOuts,
             Cursors& cursors, TriggerSource& triggerSource);

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
    // The indicator's look while the reference is selected.
    void setChdispReference();
    void setKnobPointerColor(int bgr);
    void handOverTrigger(int c);
    void finishSwitchOff();
    // A press and release, as a click gives it.
    static void press(CwButton* button);

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    ReadOuts& readOuts_;
    Cursors& cursors_;
    TriggerSource& triggerSource_;
};

} // namespace kv
