#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

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

} // namespace kv
