#include "link/rules/command_frame.h"

#include "platform/rules/runtime_rules.h"
#include "platform/rules/serial_control.h"
#include "state/scope_state.h"

#include <algorithm>
#include <cmath>

namespace kv {

std::int32_t fBinToDec(std::string& bits)
{
    std::reverse(bits.begin(), bits.end());
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < bits.size() && i < 32; ++i) {
        if (bits[i] == '1')
            sum |= 1u << i;
    }
    return static_cast<std::int32_t>(sum);
}

namespace {

std::string joinedByteText(std::string bits)
{
    return std::to_string(fBinToDec(bits));
}

std::string trigLevelByteText(const Variant& level)
{
    return formatPattern(std::fabs(255.0 - level.toNumber()), "##0");
}

} // namespace

void Header(ScopeState& s, int trigSourcePosition)
{
    s.HeaderBytes[0] = std::to_string(FrameStart);
    if (trigSourcePosition == 1)
        s.HeaderBytes[1] = trigLevelByteText(s.TrigLevelCH1);
    else if (trigSourcePosition == 2)
        s.HeaderBytes[1] = trigLevelByteText(s.TrigLevelCH2);
    s.HeaderBytes[2] =
        joinedByteText(s.CH2RangeBit + s.CH1RangeBit + s.TrigSlopeBits + s.CH1EnableBits);
    s.HeaderBytes[3] = joinedByteText(s.TimebaseCode + s.TrigModeBit + s.TrigSourceBits);
    s.HeaderBytes[4] = joinedByteText("0" + std::to_string(s.ExtTrigBit) + s.FastChannelBits +
                                      std::to_string(s.FastModeBit) + "010");
    s.HeaderBytes[5] = s.TrigPosByte1.toText();
    s.HeaderBytes[6] = s.TrigPosByte2.toText();
    s.HeaderBytes[7] = s.TrigPosByte3.toText();
    s.HeaderBytes[8] = s.TrigPosByte4.toText();
}

void SendData(SerialControl& serial, std::uint8_t byte)
{
    serial.WriteByte(byte);
}

std::uint8_t headerByteValue(const std::string& text)
{
    // A level or preset outside 0..255 (a hand-edited settings file) is sent as the nearest
    // byte rather than aborting the acquisition.
    const double value = roundHalfEven(Variant(text).toNumber());
    if (!std::isfinite(value))
        return 0;
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

void SendCommandFrame(ScopeState& state, SerialControl& serial, int trigSourcePosition)
{
    Header(state, trigSourcePosition);
    for (const std::string& text : state.HeaderBytes)
        SendData(serial, headerByteValue(text));
}

void Reset1(SerialControl& serial)
{
    SendData(serial, ResetCmd);
    serial.PortReset();
    serial.PortSetup();
}

} // namespace kv
