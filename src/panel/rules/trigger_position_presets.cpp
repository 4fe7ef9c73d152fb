#include "panel/rules/trigger_position_presets.h"

namespace kv {

std::optional<TimeDivGroup> timeDivGroup(int timeDivPosition)
{
    if (timeDivPosition == 1)
        return TimeDivGroup::Fast;
    if (timeDivPosition >= 2 && timeDivPosition <= 14)
        return TimeDivGroup::Normal;
    return std::nullopt;
}

std::optional<std::array<int, 4>> trigPosPreset(TimeDivGroup group, int hTrigPosition)
{
    const bool fast = group == TimeDivGroup::Fast;
    switch (hTrigPosition) {
    case 1:
        return fast ? std::array{160, 3, 33, 5} : std::array{50, 1, 80, 6};
    case 2:
        return std::array{240, 5, 239, 3};
    case 3:
        return fast ? std::array{100, 8, 189, 2} : std::array{180, 10, 140, 1};
    default:
        return std::nullopt;
    }
}

const char* trigPosCaption(int hTrigPosition)
{
    switch (hTrigPosition) {
    case 1:
        return "10% Trigger";
    case 2:
        return "50% Trigger";
    case 3:
        return "90% Trigger";
    default:
        return nullptr;
    }
}

} // namespace kv
