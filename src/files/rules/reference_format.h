#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "files/rules/text_lines.h"

#include <QDateTime>
#include <QLocale>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kv {

struct SampleArrays;

// ---- The reference waveform file (*.rfw) -------------------------------------------------------
// Write statement lines, CR LF after each: the volts/div caption, the time/div text, the
// vertical position, the plot scale, the doubled-layout flag, 1500 trace values, the time stamp.

inline constexpr int ReferenceSampleCount = 1500;
inline constexpr int ReferenceHeaderLines = 5;
inline constexpr int ReferenceDataLines = ReferenceHeaderLines + ReferenceSampleCount;

enum class ReferenceLayout
{
    Doubled750,    // fastest timebase, both traces shown: 750 points, each written twice
    SingleChannel, // fastest timebase, one trace: the shown channel is in the CH1 arrays
    TwoChannel,    // other timebases: each channel's own 1500 points
};

ReferenceLayout ChooseReferenceLayout(int timeDivPosition, bool bothTracesShown);

// "50uS" .. "1S" by the time/div knob position 1..14; "" for another position.
std::string ReferenceTimeDivText(int timeDivPosition);

// The 1500 values a channel's file holds in a layout.
std::vector<double> ReferenceTrace(int channel, ReferenceLayout layout,
                                   const SampleArrays& samples);

struct ReferenceWaveform
{
    std::string voltsDiv; // caption of the channel's volts/div label
    std::string timeDiv;
    float verticalPosition = 0;
    double plotScale = 0;
    bool dualChannel = false;
    std::vector<double> samples; // 1500 values
};

std::string ReferenceFileText(const ReferenceWaveform& waveform, const QDateTime& when,
                              const QLocale& locale = QLocale::system());

// The largest reference file the reader looks at.
inline constexpr std::size_t MaxReferenceFileBytes = 4 * 1024 * 1024;

// What a record of the instrument can hold, and so what a reference file may: a vertical
// position within the vertical-position slide's range, a plot scale near the ones the volts/div
// knob and start-up set (0.78125 to 19.53125), and counts of 256 converter steps times the gains
// and attenuation factors in use, which stay far inside the 16-bit range.
inline constexpr double ReferencePositionLimit = 200;
inline constexpr double ReferenceScaleMinimum = 0.1;
inline constexpr double ReferenceScaleMaximum = 100;
inline constexpr double ReferenceCountLimit = 32767;

// Checks the lines a load reads (the time stamp after them is not read): the two captions are
// texts in double quotes, the position and the plot scale numbers in their ranges above, the
// flag True or False, and every sample a number whose count, (sample - position) / scale, is
// within the count limit. nullopt when the file can be loaded, else the first line at fault.
std::optional<FileRefusal> CheckReferenceFile(const TextLines& lines);

} // namespace kv
