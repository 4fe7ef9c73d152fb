#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "state/timebase_table.h"

#include <optional>
#include <string_view>

namespace kv {

// One position of the time/div knob: its row of the timebase table.
using TimeDivSetting = TimebaseRow;

inline constexpr int TimeDivPositions = TimebasePositions;

// Position 1..14 of the time/div knob; nullopt for any other position.
std::optional<TimeDivSetting> timeDivSetting(int position);

// The sample period of the row whose reference text is exactly `refText`; nullopt for none.
std::optional<float> samplePeriodOfRefText(std::string_view refText);

} // namespace kv
