#pragma once

#include "platform/layer.h"
#include "platform/rules/serial_control.h"

#include <QElapsedTimer>
#include <QString>
#include <cstddef>
#include <memory>

class QSerialPort;

namespace kv {

// The serial control on a real port: QSerialPort at 9600 baud, 8 data bits, no parity, one stop
// bit, no flow control, on the device that the COM port map gives for the port number.
// Polled, never throws. A device that vanishes (adapter unplugged, far end of a pseudo-terminal
// closed) is closed at once, from the event loop too while nothing polls; what it had delivered
// can still be read, then reads give "" until a PortSetup finds the device again.
class QtSerialControl : public SerialControl
{
  public:
    explicit QtSerialControl(QString programFolder);
    ~QtSerialControl() override;

    void PortNumber(int number) override;
    int PortNumber() const override;
    void ReplyLength(int length) override;
    void WriteByte(std::uint8_t byte) override;
    std::string ReadBytes(int n) override;
    std::int16_t BytesWaiting() override;
    void FlushInput() override;
    void PortSetup() override;
    void PortReset() override;
    bool PortOpen() const override { return isOpen(); }
    void onArrival(QObject* receiver, std::function<void()> arrived) override;

    // True while a device is open (for the link's own diagnostics and tests).
    bool isOpen() const;
    // The device path opened by the last successful PortSetup ("" when closed).
    QString openDevice() const { return openedPath_; }

    // Time-outs of a record's reads (ReadTimeoutsFor): for the first byte and for the whole read.
    static constexpr int FirstByteTimeoutMs = RecordReadTimeouts.firstByteMs;
    static constexpr int TotalTimeoutMs = RecordReadTimeouts.totalMs;
    // Received bytes kept unread at most: four records; the rest is dropped.
    static constexpr std::size_t InputLimit = 4 * 3001;

  private:
    bool deviceStillThere() const;
    void open();
    void close();
    // Moves what the port has received into input_; closes the port on a device error.
    void pull(int waitMs);
    // True when neither the OS nor the port holds unread bytes and the port was checked for a
    // device failure less than FailureCheckMs ago: a poll can skip the full pull.
    bool nothingArrived();
    void checkError();
    void deviceFailed();
    // Moves the port's buffered bytes into input_, up to InputLimit.
    void takeBuffered();

    static constexpr int FailureCheckMs = 50;

    QString programFolder_;
    int portNumber_ = 1;
    int openedPort_ = 0;
    QString openedPath_;      // the mapped path as opened
    QString openedCanonical_; // the device it resolved to
    int replyLength_ = 0;
    std::unique_ptr<QSerialPort> port_;
    bool closing_ = false;
    std::string input_;
    QElapsedTimer sinceFullPull_;
};

} // namespace kv
