#pragma once

#include "controls/control_classes.h"
#include "files/layer.h"

namespace kv {

// The attenuation face that the settings loader and the factory settings set: each channel's
// attenuator LEDs (on the Options panel, then in the status strip), the Options panel's
// attenuation frame and the two attenuator keys, whose captions name the factor.
struct AttenuationControls
{
    CwButton* LEDATT1;
    CwButton* LEDATT1b;
    CwButton* LEDATT2;
    CwButton* LEDATT2b;
    QGroupBox* Frame2;
    CwButton* CH1ATT;
    CwButton* CH2ATT;
};

} // namespace kv
