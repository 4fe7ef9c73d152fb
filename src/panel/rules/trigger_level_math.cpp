#include "panel/rules/trigger_level_math.h"

#include "panel/rules/volts_div_setting.h"

namespace kv {

std::optional<TrigLevelResult> computeTrigLevel(int vdivIndex, double zeroLine, double trigPointer)
{
    const auto setting = voltsDivSetting(vdivIndex);
    if (!setting)
        return std::nullopt;
    const double k = setting->fullScale;
    const double span = 50.0 * k / setting->voltsPerDiv;
    const double level = (zeroLine - trigPointer + span / 2.0) * 255.0 / span;
    if (level >= 255.0)
        return TrigLevelResult{255.0, std::nullopt};
    if (level <= 0.0)
        return TrigLevelResult{0.0, std::nullopt};
    return TrigLevelResult{level, k * level / 255.0 - k / 2.0};
}

} // namespace kv
