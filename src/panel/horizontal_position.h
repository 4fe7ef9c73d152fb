#pragma once

#include "app/handler_group.h"
#include "panel/trigger_position_presets.h"

#include <array>
#include <optional>

namespace kv {

// Horizontal trigger position: the step buttons CWButton29 / CWButton30, the menu items
// mnuTH10 / mnuTH50 / mnuTH90, the frame bytes 5-8 and the trigger marker (CWSlide6 pointer 2).
class HorizontalPosition : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit HorizontalPosition(Main& main);

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
};

} // namespace kv
