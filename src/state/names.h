#pragma once

// The names the main graph and the vertical-position slide know their traces, cursors and
// pointers by. One definition each; every file that names one uses these.

#include <QLatin1String>

namespace kv::names {

// Plots of the main graph.
inline constexpr QLatin1String PCH1{"PCH1"};
inline constexpr QLatin1String PCH2{"PCH2"};
inline constexpr QLatin1String PREF1{"PREF1"};

// Cursors of the main graph: the two measuring cursors and the trigger-level cursor.
inline constexpr QLatin1String CursorA{"A"};
inline constexpr QLatin1String CursorB{"B"};
inline constexpr QLatin1String CursorT{"T"};

// Pointers of the vertical-position slide CWSlide4, and their indexes.
inline constexpr QLatin1String VCH1{"VCH1"};
inline constexpr QLatin1String VCH2{"VCH2"};
inline constexpr QLatin1String VREF1{"VREF1"};
inline constexpr int PointerVCH1 = 1;
inline constexpr int PointerVCH2 = 2;

// The CWSlide4 pointer of channel 1 or, for any other number, channel 2.
constexpr int channelPointer(int channel)
{
    return channel == 1 ? PointerVCH1 : PointerVCH2;
}

// The plot of channel 1 or, for any other number, channel 2.
constexpr QLatin1String channelPlot(int channel)
{
    return channel == 1 ? PCH1 : PCH2;
}

} // namespace kv::names
