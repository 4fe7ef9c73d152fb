#pragma once

#include "app/handler_group.h"

namespace kv {

// Trigger source slide CWSlide5, edge switch CWButton12, mode switch CWButton13 and the Trigger
// menu's source, edge and mode items.
class TriggerSource : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit TriggerSource(Main& main);

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
};

} // namespace kv
