#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "state/scope_state.h"

#include <QObject>

namespace kv {

class TriggerLevel;

// Trigger source slide CWSlide5, edge switch CWButton12, mode switch CWButton13 and the Trigger
// menu's source, edge and mode items.
class TriggerSource : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwSlide* CWSlide5;
        CwButton* CWButton12;
        CwButton* CWButton13;
        CwSlide* CWSlide3; // shown for a channel source, its pointer for that channel
        CwGraph* CWGraph1; // cursor "T"
        CwTimer* TriggerTimer;
        PictureBox* Label19; // "Rising"
        PictureBox* Label20; // "Falling"
        QAction* mnuTSCh1;
        QAction* mnuTSCh2;
        QAction* mnuTSExt;
        QAction* mnuTRising;
        QAction* mnuTFalling;
        QAction* mnuTAuto;
        QAction* mnuTNormal;
    };

    TriggerSource(ScopeState& state, const Controls& controls, TriggerLevel& triggerLevel);

    // The steps that make channel 1 or 2 the trigger source, the same for the source slide, the
    // settings loader and the switch-off of the other channel: source text, edge switch and
    // level slide in use, the saved edge back in force, the source bits.
    void ApplyChannelSource(int channel);
    // The level slide's pointer of `channel` shown and the other one hidden; the trigger cursor
    // in that channel's trace colour.
    void ShowTriggerPointer(int channel);
    // The steps that make the external input the trigger source: trigger cursor hidden, edge
    // switch and level slide out of use, no edge, the external bit.
    void ApplyExternalSource();

    void CWSlide5_PointerValueChanged();
    void CWButton12_ValueChanged(bool value);
    void CWButton13_ValueChanged(bool value);

    // Each clears AwaitingFrame, then sets its control.
    void mnuTSCh1_Click() { setSourcePosition(1); }
    void mnuTSCh2_Click() { setSourcePosition(2); }
    void mnuTSExt_Click() { setSourcePosition(3); }
    void mnuTRising_Click() { setEdge(true); }
    void mnuTFalling_Click() { setEdge(false); }
    void mnuTAuto_Click() { setMode(true); }
    void mnuTNormal_Click() { setMode(false); }

  private:
    void selectChannel(int channel);
    void selectExternal();
    void checkSource(int position);
    void setSourcePosition(int position);
    void setEdge(bool rising);
    void setMode(bool autoMode);

    ScopeState& state_;
    const Controls ui;
    TriggerLevel& triggerLevel_;
};

} // namespace kv
