#include "panel/rules/volts_div_caption.h"

#include "panel/rules/volts_div_setting.h"

namespace kv {

int voltsDivCaptionIndex(const QString& caption)
{
    for (int position = 1; const auto setting = voltsDivSetting(position); ++position)
        if (caption == QLatin1String(setting->label))
            return position - 1;
    return -1;
}

} // namespace kv
