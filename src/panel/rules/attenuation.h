#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "state/colours.h"

namespace kv {

inline constexpr int LedAttOff = colour::DarkGreen;
inline constexpr int LedAttStandard = colour::Green; // the standard factor 2.0
inline constexpr int LedAttOther = colour::Red;      // any other factor
inline constexpr float StandardAttFactor = 2.0f;

// The factor that switching an attenuator on puts in force. A value of 0.0 (no settings file
// and no default settings applied yet) stands for the standard factor: a factor of 0 would
// turn every sample of the channel into 0.
float attenuationFactor(float attValue);
// The LED colour of a switched-on attenuator with that value: green for 2.0 (and 0.0, which
// means 2.0), red for any other.
int attenuatorLedColor(float attValue);

} // namespace kv
