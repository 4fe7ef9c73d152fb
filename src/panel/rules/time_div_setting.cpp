#include "panel/rules/time_div_setting.h"

namespace kv {

std::optional<TimeDivSetting> timeDivSetting(int position)
{
    return timebaseRow(position);
}

std::optional<float> samplePeriodOfRefText(std::string_view refText)
{
    if (const auto position = timebasePositionOfRefText(refText))
        return timebaseRow(*position)->samplePeriod;
    return std::nullopt;
}

} // namespace kv
