#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "state/voltsdiv_table.h"

#include <optional>

namespace kv {

// One position of the volts/div knob: its row of the volts/div table.
using VoltsDivSetting = VoltsDivRow;

// Position 1..6 of the volts/div knob; nullopt for any other position.
std::optional<VoltsDivSetting> voltsDivSetting(int position);

// Graph units per count: 50 units a division, a count is fullScale / 256 volts.
double plotScale(double fullScale, double voltsPerDiv);

// The trigger pointer that keeps its voltage above the zero line `vpos` when the scale goes
// from oldVdiv to newVdiv. Returns `trig` unchanged when either scale is not a positive number
// (nothing sensible to rescale by).
double rescaledTriggerPointer(double vpos, double trig, double oldVdiv, double newVdiv);

} // namespace kv
