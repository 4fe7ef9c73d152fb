#pragma once

#include "app/handler_group.h"

#include <array>
#include <optional>

namespace kv {

// The trigger-position presets differ between time/div position 1 and all others.
enum class TimeDivGroup
{
    Fast,
    Normal
};

// Fast at time/div position 1, Normal at 2..14, nullopt elsewhere.
std::optional<TimeDivGroup> timeDivGroup(int timeDivPosition);

// TrigPosByte1..4 for HTrigPosition 1 (10 %), 2 (50 %) or 3 (90 %); nullopt for another value.
std::optional<std::array<int, 4>> trigPosPreset(TimeDivGroup group, int hTrigPosition);

// "10% Trigger", "50% Trigger", "90% Trigger"; nullptr for another value.
const char* trigPosCaption(int hTrigPosition);

// Trigger marker values on the view slider.
inline constexpr int MarkerLeft = 145;
inline constexpr int MarkerCentre = 750;
inline constexpr int MarkerRightPreset = 1350; // set by HTrigPos
inline constexpr int MarkerRightStep = 1360;   // set by the step button and the menu item

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
