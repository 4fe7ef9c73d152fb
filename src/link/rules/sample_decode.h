#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <cstdint>
#include <span>
#include <string_view>

namespace kv {

struct ScopeState;
struct GlobalV;

inline constexpr char DataSync = 'U';
inline constexpr int DataFrameLength = 3001; // sync + 3000 sample bytes
inline constexpr int SampleZero = 127;       // offset-binary zero of a sample byte

// A run of data bytes of a record: 1-based data byte number (after the sync) and count.
struct SampleSpan
{
    int firstDataByte;
    int count;
};

// Where each cycle variant finds its samples in the 3000 data bytes.
inline constexpr SampleSpan TwoChannelSpanCH1{1, 1500};
inline constexpr SampleSpan TwoChannelSpanCH2{1501, 1500};
inline constexpr SampleSpan FastSingleSpan{751, 1500}; // middle 1500 of one channel at 1 MS/s
inline constexpr SampleSpan FastSpanCH1{376, 750};     // middle 750 of each half, both channels
inline constexpr SampleSpan FastSpanCH2{1876, 750};

// What turns a channel's bytes into counts and trace values.
struct ChannelDecode
{
    std::int16_t offset = 0; // calibrated zero offset, already rounded
    double gain = 0;
    double attFactor = 0;
    double plotScale = 0;
    std::int16_t vpos = 0; // frame vertical position, graph units
};

// A reply that can be decoded: the sync first and at least a whole record.
bool isGoodRecord(std::string_view reply);

// The decode parameters of channel 1 or 2 from the current state (offset by range group,
// rounded halves to even; gain, attenuation, plot scale and the frame vertical position).
ChannelDecode channelDecode(const ScopeState& state, const GlobalV& global, int channel);

// One sample byte to a calibrated count (rounded halves to even, within the 32-bit range).
std::int32_t decodeCount(std::uint8_t byte, const ChannelDecode& channel);

// Decodes `span` of a good record into counts and trace values (index 0 upward).
// `counts` and `trace` hold at least span.count elements.
void decodeSpan(std::string_view record, SampleSpan span, const ChannelDecode& channel,
                std::span<double> counts, std::span<double> trace);

} // namespace kv
