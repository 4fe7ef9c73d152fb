#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "state/colours.h"

namespace kv {

inline constexpr int LedSelected = colour::Green;       // on and selected
inline constexpr int LedOnNotSelected = colour::Yellow; // on, not selected

// The trace that is selected after the trace `switchedOff` (1, 2 or 5) is switched off, given
// which LEDs are still on: after channel 1 the reference, then channel 2; after channel 2 the
// reference, then channel 1; after the reference channel 2, then channel 1. With no other
// trace on, the switched-off trace keeps the number.
int nextSelection(int switchedOff, bool led1On, bool led2On, bool led5On);

} // namespace kv
