#include "panel/rules/attenuation.h"

namespace kv {

float attenuationFactor(float attValue)
{
    return attValue == 0.0f ? StandardAttFactor : attValue;
}

int attenuatorLedColor(float attValue)
{
    return attValue == StandardAttFactor || attValue == 0.0f ? LedAttStandard : LedAttOther;
}

} // namespace kv
