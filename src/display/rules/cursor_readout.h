#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/variant.h"

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// ---- Pure read-out rules ----------------------------------------------------------------------

// A number as the read-outs show it: Format(value, "##0.000") cut to its first five characters
// (123.456 -> "123.4", 0.5 -> "0.500", -12.345 -> "-12.3"). The cut never drops digits of the
// whole-number part: -15600 -> "-15600", not "-1560".
std::string CutFive(double value);

// Time scale of the read-outs: time of one record point in the time unit, the unit and seconds
// per unit.
struct TimeScale
{
    std::string timePerPointText; // "1", "0.02", ...
    std::string unitText;         // "uS", "mS", "S"
    double unitFactor = 0;        // 1e-6, 0.001, 1.0
};
// By the time/div knob position 1..14; nullopt outside.
std::optional<TimeScale> KnobTimeScale(int position);
// By a reference's stored time/div text ("50uS" .. "1S", exact); nullopt for any other text.
std::optional<TimeScale> ReferenceTimeScale(std::string_view text);

// Volts (or millivolts) per graph unit by volts/div index 1..6; nullopt outside.
struct VoltScale
{
    float voltsPerCount = 0;
    std::string unitText; // "mV" or "V"
};
std::optional<VoltScale> CursorVoltScale(int vdivIndex);
// The volts/div index 1..6 of a caption "100mV" .. "5V" (exact); nullopt for any other text.
std::optional<int> VdivIndexOfCaption(std::string_view caption);

// Record index of the time origin by HTrigPosition: 1 -> 150, 2 -> 750, 3 -> 1350, else 0.
int TimeOrigin(int hTrigPosition);

// Everything the read-outs are computed from: cursor positions (Y already taken relative to the
// channel's vertical position), the time origin and the scales in force.
struct CursorInput
{
    double ax = 0, ay = 0, bx = 0, by = 0;
    double origin = 0;
    std::string timePerPointText, timeUnitText;
    double timeUnitFactor = 0;
    float voltsPerCount = 0;
    std::string voltUnitText;
    int vdivIndex = 0;      // band of the voltage read-outs: 1..3 mV, 4..6 V, else unchanged
    int graphModeValue = 0; // 0 horizontal, 1 vertical, 2 paired bars
};

// The frequency read-out: hidden (horizontal bars), the infinity picture (time delta zero), or
// the caption 1 / delta t as number text.
enum class FrequencyShow
{
    Hidden,
    Infinite,
    Value
};

struct CursorReadout
{
    Variant CursorAX, CursorBX;
    std::string lblXpos, lblXPos2, lblXDelta;
    bool voltages = false; // false: the voltage fields and labels stay as they are
    Variant CursorAY, CursorBY;
    std::string lblYPos, lblYpos2, lblYDelta;
    FrequencyShow frequency = FrequencyShow::Hidden;
    std::string frequencyText; // for Value: the number 1 / (t x unit factor) as text
};

CursorReadout ComputeCursorReadout(const CursorInput& in);

// The time delta as shown, |BX - AX| cut to five characters, is zero.
bool TimeDeltaIsZero(const Variant& cursorAX, const Variant& cursorBX);

} // namespace kv
