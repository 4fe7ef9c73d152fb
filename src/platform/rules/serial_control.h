#pragma once

// An interface of the standard library only, in kv_rules (the frame writers of link/ use it); its
// implementations are platform services.

#include <cstdint>
#include <functional>
#include <string>

class QObject;

namespace kv {

// Time-outs of ReadBytes, chosen by the length last given to ReplyLength.
struct ReadTimeouts
{
    int firstByteMs; // for the first byte
    int totalMs;     // for the whole read
};

// A reply of up to ShortReplyLength bytes (the identity) is sent at once and reaches the program
// within one latency period of a USB serial adapter (16 ms at most by default; well under 1 ms
// from the simulator): its read waits ShortReplyWaitMs in all, so that a silent device or a reply
// cut short holds the window no longer than that. Records keep the time-outs of a capture.
inline constexpr int ShortReplyLength = 16;
inline constexpr int ShortReplyWaitMs = 30;
inline constexpr ReadTimeouts RecordReadTimeouts{100, 1000};

constexpr ReadTimeouts ReadTimeoutsFor(int replyLength)
{
    if (replyLength > 0 && replyLength <= ShortReplyLength)
        return {ShortReplyWaitMs, ShortReplyWaitMs};
    return RecordReadTimeouts;
}

// The serial control on the main window: every byte to and from the instrument passes here.
// Texts hold one character per byte, character code = byte value. No operation throws: a port
// that cannot be opened reads "" with 0 bytes waiting and drops what is written.
class SerialControl
{
  public:
    virtual ~SerialControl() = default;

    // The COM port number (1 to 256) used from the next PortSetup on.
    virtual void PortNumber(int number) = 0;
    virtual int PortNumber() const = 0;
    // Expected length of the next reply: it sets the time-outs of the reads that follow
    // (ReadTimeoutsFor).
    virtual void ReplyLength(int length) = 0;
    // Sends one byte at once, in call order.
    virtual void WriteByte(std::uint8_t byte) = 0;
    // At most n bytes in arrival order, removed from the input; waits for them up to the
    // time-outs of the expected reply length; "" when nothing came.
    virtual std::string ReadBytes(int n) = 0;
    // Count of received bytes not yet read, taken as a 16-bit integer.
    virtual std::int16_t BytesWaiting() = 0;
    // Discards received, unread bytes.
    virtual void FlushInput() = 0;
    // Opens the port (again) for writes and reads.
    virtual void PortSetup() = 0;
    // Re-initialisation step; always followed by PortSetup before the next read.
    virtual void PortReset() = 0;
    // False once the device has gone (or never opened): nothing more can arrive until a
    // PortSetup finds it again.
    virtual bool PortOpen() const { return true; }
    // `arrived` is called from the event loop each time bytes have come in, so that a poller
    // resting between polls can look at once, until `receiver` is destroyed. A control that
    // cannot tell never calls it.
    virtual void onArrival(QObject* receiver, std::function<void()> arrived)
    {
        (void)receiver;
        (void)arrived;
    }
};

} // namespace kv
