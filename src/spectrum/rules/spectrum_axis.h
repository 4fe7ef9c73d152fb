#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <string>

namespace kv {

// An X axis label of the spectrum: the value with its SI prefix followed by "Hz" ("0Hz",
// "48.8kHz", "1.2MHz"), at most three significant digits.
std::string HertzAxisLabel(double hz);

// Frequency at which the first shown bin is drawn: its own, firstBin x df.
double ShownFirstFrequency(int firstBin, double df);

} // namespace kv
