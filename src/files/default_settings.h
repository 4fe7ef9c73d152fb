#pragma once

#include "controls/control_classes.h"
#include "files/attenuation_controls.h"
#include "files/layer.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>

namespace kv {

class Dialogs;
class MenuMarks;
class SerialControl;
class TriggerLevel;

// The factory state: the Options panel's "Load Default Settings" button CWButton27 and the File
// menu's mnuFDefault, each after a confirmation, then the offer to go back to COM port 10.
class DefaultSettings : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwButton* CWButton27;
        QAction* mnuFDefault;
        CwTimer* CheckCOM; // the link watch, enabled by the menu item
        PictureBox* Options;
        CwButton* CWButton1; // Run/Stop, switched off
        AttenuationControls attenuation;
        // Trigger and acquisition
        CwSlide* CWSlide5;
        CwButton* CWButton12;
        CwButton* CWButton13;
        CwButton* CWButton4;
        CwSlide* CWSlide3;
        PictureBox* Label19;
        PictureBox* Label20;
        CwTimer* TriggerTimer;
        // Channels, time/div and volts/div
        CwButton* CH1Button;
        CwButton* CH2Button;
        CwButton* LED1;
        CwButton* LED2;
        CwButton* CWButton22;
        CwButton* CWButton25;
        CwButton* CHDISP;
        QLabel* PeriodVAL;
        QLabel* PeriodVAL2;
        CwKnob* CWKnob1;
        CwKnob* CWKnob2;
        // The view and the cursors
        CwGraph* CWGraph1;
        CwSlide* CWSlide2;
        CwSlide* CWSlide4;
        CwSlide* CWSlide6;
        QAction* mnuPOPCFloat;
        QAction* mnuPOPCSnap;
        CwButton* CWButton5;
        CwButton* CWButton24;
        CwButton* btnAPOS;
        CwButton* CWButton6;
        CwButton* CWButton23;
        CwButton* btnBPOS;
        QComboBox* COMCombo;
    };

    DefaultSettings(ScopeState& state, GlobalV& global, const Controls& controls, Dialogs& dialogs,
                    SerialControl& serial, TriggerLevel& triggerLevel, MenuMarks& menuMarks);

    void CWButton27_ValueChanged(bool value);
    void mnuFDefault_Click();

  private:
    void attenuatorsOff();
    void triggerDefaults();
    void channelDefaults();
    void viewDefaults();
    void triggerDisplay();
    void hideChannels();
    void askComPort();
    void cursorColours();

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    Dialogs& dialogs_;
    SerialControl& serial_;
    TriggerLevel& triggerLevel_;
    MenuMarks& menuMarks_;
};

} // namespace kv
