#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "panel/rules/trigger_position_presets.h"
#include "state/scope_state.h"

#include <QObject>
#include <array>
#include <optional>

namespace kv {

// Horizontal trigger position: the step buttons CWButton29 / CWButton30, the menu items
// mnuTH10 / mnuTH50 / mnuTH90, the frame bytes 5-8 and the trigger marker (CWSlide6 pointer 2).
class HorizontalPosition : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // its pointer shape is restored over the step buttons
        CwButton* CWButton29;
        CwButton* CWButton30;
        QAction* mnuTH10;
        QAction* mnuTH50;
        QAction* mnuTH90;
        CwKnob* CWKnob2;   // time/div, read for the preset group
        CwSlide* CWSlide6; // pointer 2, the trigger marker
        QLabel* labSetHTrg;
        CwButton* Autoscale; // set on again after a step left while it is on
    };

    HorizontalPosition(ScopeState& state, const Controls& controls);

    // Applies the preset of HTrigPosition for the current time/div position, with the caption.
    void HTrigPos();
    // Check marks of mnuTH10 / mnuTH50 / mnuTH90 from HTrigPosition.
    void TrigPosMenu();

    void CWButton29_ValueChanged(bool value);
    void CWButton30_ValueChanged(bool value);
    void CWButton29_MouseMove();
    void CWButton30_MouseMove();
    void mnuTH10_Click();
    void mnuTH50_Click();
    void mnuTH90_Click();

  private:
    int hTrigPosition() const;
    // Stores the preset of `position` for the current group with the marker; false (nothing
    // changed) outside time/div positions 1..14.
    bool apply(int position, int marker);
    void choose(int position, int marker);

    ScopeState& state_;
    const Controls ui;
};

} // namespace kv
