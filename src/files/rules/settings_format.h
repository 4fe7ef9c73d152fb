#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "files/rules/settings_lines.h"
#include "files/rules/text_lines.h"
#include "platform/rules/runtime_rules.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// ---- The settings file format ----------------------------------------------------------------
// 64 lines, one value each in the Print statement form, each ending in CR LF. A line's meaning
// is its number (files/rules/settings_lines.h). Files of the older kind end after line 58.

inline constexpr int SettingsRequiredLines = 58;

// The values of lines 1 to 64, index 0 holding line 1.
using SettingsValues = std::array<StatementItem, SettingsFileLines>;

// The value a save writes for a line whose value lives in the state (every source but a face
// control, which the settings group reads).
StatementItem SettingsStateValue(const SettingsSource& source, const ScopeState& state,
                                 const GlobalV& global);

// The file's text: each value in the Print statement form with `decimalSeparator`, CR LF after
// each.
std::string SettingsFileText(const SettingsValues& values, char decimalSeparator = '.');

// What a reader holds after reading a file: the lines read (index 0 holding line 1; lines not
// read are empty), how many were read, and whether the file is complete (58 lines or more).
// `longLine` is the number of a line longer than the reader's cap (0: none).
struct SettingsFileContent
{
    std::array<std::string, SettingsFileLines> lines;
    int count = 0;
    bool complete = false;
    int longLine = 0;
    const std::string& line(int number) const { return lines[std::size_t(number - 1)]; }
};

// Reads lines 1 to 64 from a file's text; what follows line 64 is not read. A line longer than
// the reader's cap ends the reading there, as the end of the file does.
SettingsFileContent ParseSettingsFileText(std::string_view text);

// Checks every line that a load stores or applies, so that a load either applies the whole file
// or changes nothing: the bit strings are strings of "0" and "1" of their length, the trigger
// texts one of their values, positions and indices whole numbers in their ranges, numbers
// finite, volts/div, plot scales and gains above 0; lines 59 to 64 may be missing or empty.
// nullopt when the file can be loaded, else the first line at fault.
std::optional<FileRefusal> CheckSettingsFile(const SettingsFileContent& content);

// A load's first step: every line of lines 1 to 58 that the file holds and its row marks Stored
// goes into its field as read (a Variant field holds the text), in line order.
void StoreSettingsFields(const SettingsFileContent& content, ScopeState& state, GlobalV& global);

// The part of a settings file the reader looks at: room for 64 lines of the longest length the
// reader accepts, each with its CR LF, and one byte more. The bytes after it are not read.
inline constexpr std::size_t MaxSettingsFileBytes = SettingsFileLines * (MaxFileLineLength + 2) + 1;

} // namespace kv
