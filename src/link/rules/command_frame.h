#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <cstdint>
#include <string>

namespace kv {

class SerialControl;
struct ScopeState;

// Command bytes, each sent alone.
inline constexpr std::uint8_t ResetCmd = 0x45;    // "E"
inline constexpr std::uint8_t StopCmd = 0x2B;     // "+"
inline constexpr std::uint8_t IdentifyCmd = 0x3F; // "?"
inline constexpr std::uint8_t FrameStart = 0xAA;  // first byte of every command frame
inline constexpr int CommandFrameLength = 9;

// Joins a bit string into a number, leftmost character most significant. Leaves `bits`
// reversed in place, which callers see and rely on; characters other than "1" count as 0.
std::int32_t fBinToDec(std::string& bits);

// Rewrites the nine HeaderBytes from the scope state. `trigSourcePosition` is the trigger-source
// selector's position: 1 takes TrigLevelCH1 for byte 1, 2 takes TrigLevelCH2, any other leaves
// byte 1 as it was (the external source).
void Header(ScopeState& state, int trigSourcePosition);

// Writes one byte to the instrument.
void SendData(SerialControl& serial, std::uint8_t byte);

// The byte a HeaderBytes text stands for, kept within 0..255.
std::uint8_t headerByteValue(const std::string& text);

// Header, then the nine bytes in order with nothing in between.
void SendCommandFrame(ScopeState& state, SerialControl& serial, int trigSourcePosition);

// The reset command: reset byte, then PortReset and PortSetup.
void Reset1(SerialControl& serial);

} // namespace kv
