#pragma once

// The names the main graph and the vertical-position slide know their traces, cursors and
// pointers by. One definition each; every file that names one uses these.

#include <QLatin1String>
#include <cstddef>

namespace kv::names {

// A name from a literal, its length counted at compile time (QLatin1String's constructor from a
// bare pointer counts with strlen, which not every compiler takes in a constant expression).
template <std::size_t N> constexpr QLatin1String literal(const char (&text)[N])
{
    return QLatin1String(text, int(N - 1));
}

// Plots of the main graph.
inline constexpr QLatin1String PCH1 = literal("PCH1");
inline constexpr QLatin1String PCH2 = literal("PCH2");
inline constexpr QLatin1String PREF1 = literal("PREF1");

// Cursors of the main graph: the two measuring cursors and the trigger-level cursor.
inline constexpr QLatin1String CursorA = literal("A");
inline constexpr QLatin1String CursorB = literal("B");
inline constexpr QLatin1String CursorT = literal("T");

// Pointers of the vertical-position slide CWSlide4, and their indexes.
inline constexpr QLatin1String VCH1 = literal("VCH1");
inline constexpr QLatin1String VCH2 = literal("VCH2");
inline constexpr QLatin1String VREF1 = literal("VREF1");
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
