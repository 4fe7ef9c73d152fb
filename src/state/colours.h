#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The colours the program gives its traces, cursors, lamps and LEDs, as 0xBBGGRR values.

namespace kv::colour {

inline constexpr int Blue = 0xFF0000;   // channel 1, cursor B
inline constexpr int Red = 0x0000FF;    // channel 2, cursor A; a lamp or LED showing a fault
inline constexpr int Green = 0x00FF00;  // a trace LED on and selected, an LED or switch on
inline constexpr int Yellow = 0x00FFFF; // a trace LED on but not selected
inline constexpr int White = 0xFFFFFF;
inline constexpr int Black = 0x000000;
inline constexpr int LampGreen = 0x00FF64;   // 65380: connection lamp, an instrument answers
inline constexpr int LampRed = 0x0000FF;     // 255: connection lamp, no instrument
inline constexpr int DarkGreen = 0x004B1E;   // 19230: an attenuator LED off
inline constexpr int MediumGreen = 0x00C000; // 49152: the reference channel indicator

} // namespace kv::colour
