#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

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
// is its number. Files of the older kind end after line 58.

inline constexpr int SettingsFileLines = 64;
inline constexpr int SettingsRequiredLines = 58;

// Line numbers (1-based) of the values.
namespace SettingsLine {
enum : int
{
    TrigSourceBits = 1,
    TrigSourcePosition = 2, // CWSlide5
    TrigSlopeBits = 3,
    TrigEdgeText = 4,
    TrigSourceText = 5,
    TrigSlopeSaved = 6,
    TrigEdge = 7, // CWButton12
    TrigMode = 8, // CWButton13
    TrigLevelCH1 = 9,
    TrigLevelCH2 = 10,
    AcquireMode = 11, // CWButton4
    CH1RangeBit = 12,
    CH2RangeBit = 13,
    VdivIndexCH1 = 14,
    VdivIndexCH2 = 15,
    VdivCH1 = 16,
    VdivCH2 = 17,
    VdivOldCH1 = 18,
    VdivOldCH2 = 19,
    CH1EnableBits = 20,
    CH2EnableBits = 21,
    CH1Button = 22,
    CH2Button = 23,
    FastChannelBits = 24,
    FramePlotted = 25,
    XAxisMax = 26,
    XAxisMin = 27,
    XAxisMax2 = 28,
    XAxisMin2 = 29,
    CursorAction = 30, // CWSlide2
    ActiveChannel = 31,
    TimeDiv = 32, // CWKnob2
    TimebaseCode = 33,
    VdivIndex = 34,
    PlotScaleCH1 = 35,
    PlotScaleCH2 = 36,
    VPosCH1 = 37,        // CWSlide4 pointer 1
    VPosCH2 = 38,        // CWSlide4 pointer 2
    TrigPointer1 = 39,   // CWSlide3 pointer 1
    TrigPointer2 = 40,   // CWSlide3 pointer 2
    HorizontalView = 41, // CWSlide6 pointer 1
    CursorAColor = 42,   // CWButton5 off colour
    CursorBColor = 43,   // CWButton6 off colour
    PeriodVAL = 44,
    PeriodVAL2 = 45,
    COMIndex = 46, // COMCombo
    TrigPosByte1 = 47,
    TrigPosByte2 = 48,
    TrigPosByte3 = 49,
    TrigPosByte4 = 50,
    HTrigPosition = 51,
    FirstRun = 52,
    CalOffsetCH1Lo = 53,
    CalOffsetCH1Hi = 54,
    CalOffsetCH2Lo = 55,
    CalOffsetCH2Hi = 56,
    ShowRefTip = 57,
    ShowHardwareCheck = 58,
    ATTCH1 = 59, // ATTFactorCH1 x 20
    ATTCH2 = 60,
    GainLo = 61,
    GainHi = 62,
    GainLoRev2 = 63,
    GainHiRev2 = 64,
};
} // namespace SettingsLine

// The values of lines 1 to 64, index 0 holding line 1.
using SettingsValues = std::array<StatementItem, SettingsFileLines>;

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

// The part of a settings file the reader looks at: room for 64 lines of the longest length the
// reader accepts, each with its CR LF, and one byte more. The bytes after it are not read.
inline constexpr std::size_t MaxSettingsFileBytes = SettingsFileLines * (MaxFileLineLength + 2) + 1;

} // namespace kv
