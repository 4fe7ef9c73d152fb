#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The read-outs' value formatting: a measured number as a short text with its unit, about three
// significant digits, the unit chosen by the number of digits of the whole-number part.

#include "platform/rules/variant.h"

#include <optional>
#include <string>

namespace kv {

// Each returns the text for `FormatResult`; nullopt where the caller leaves `FormatResult` as it
// was (a digit count outside the unit table, or a value that is no finite number).

// Volts, or the text of a number of volts: "471mV", "-50mV", "0mV", "1.24 V", "12.2 V", "5 V".
std::optional<std::string> Format_Voltage(const Variant& value);

// The period 1 / FreqEstimate (hertz; 0 means none found, giving "0 uS"): "5.1 uS", "125 uS",
// "1.23 mS", "1  S".
std::optional<std::string> Format_Time(double FreqEstimate);

// The same text as Format_Time; the read-outs call it for a doubled reference record.
std::optional<std::string> Format_Time2CH(double FreqEstimate);

// Hertz, or the text of a number of hertz: "5 Hz", "12.3 Hz", "666 Hz", "1.5KHz", "1MHz".
std::optional<std::string> Format_Frequency(const Variant& value);

} // namespace kv
