#include "panel/rules/volts_div_setting.h"

#include <cmath>

namespace kv {

namespace {

bool positiveNumber(double value)
{
    return std::isfinite(value) && value > 0.0;
}

} // namespace

std::optional<VoltsDivSetting> voltsDivSetting(int position)
{
    return voltsDivRow(position);
}

double plotScale(double fullScale, double voltsPerDiv)
{
    return 50.0 * (fullScale / voltsPerDiv) / 256.0;
}

double rescaledTriggerPointer(double vpos, double trig, double oldVdiv, double newVdiv)
{
    if (oldVdiv == newVdiv || !positiveNumber(oldVdiv) || !positiveNumber(newVdiv))
        return trig;
    return vpos + (trig - vpos) * oldVdiv / newVdiv;
}

} // namespace kv
