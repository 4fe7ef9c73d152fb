#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/variant.h"

#include <optional>
#include <string>

namespace kv {

// The sample rate and TimeVal caption of position 1 with both channel traces shown.
inline constexpr int DualFastRate = 500000;
inline constexpr const char* BothShownCaption = "500K s/S";

// ---- Tables of the read-outs (pure) -----------------------------------------------------------

// The sample rate of a time/div position (1 to 14) with the caption of TimeVal. Position 1
// reads "500K s/S" when both channel traces are shown, else "1M s/S"; its rate is 1,000,000
// either way. nullopt outside 1 to 14.
struct SampleRateEntry
{
    std::string caption;
    int rate = 0;
};
std::optional<SampleRateEntry> SampleRateForPosition(int position, bool bothShown);

// Volts per count of a channel trace by volts/div position: 0.01569 (1 to 3), 0.076825 (4 to 6);
// nullopt for any other position.
std::optional<float> MeasVoltsPerCountFor(const Variant& vdivIndex);

// Volts per count of the reference by its stored volts/div text ("100mV" .. "5V", exact);
// nullopt for any other text.
std::optional<float> RefVoltsPerCount(const Variant& VREFLabel);

// Sample rate of the reference by its stored time/div text ("50uS" .. "1S", exact); nullopt for
// any other text.
std::optional<int> RefSampleRate(const Variant& HREFLabel);

// The number the CH2 panel's mean label shows for m = k x mean of the counts: m in "###0.000",
// cut to six characters, read back and negated (a mean that rounds to 0.000 gives 0).
double Mean2Value(double m);

} // namespace kv
