#include "platform/qt_serial_control.h"

#include "platform/rules/com_port_map.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <algorithm>
#include <sys/ioctl.h>

namespace kv {

namespace {

bool isDeviceFailure(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::ParityError:
    case QSerialPort::FramingError:
    case QSerialPort::BreakConditionError:
        return false;
    default:
        return true;
    }
}

QString canonicalDevice(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

QtSerialControl::QtSerialControl(QString programFolder)
    : programFolder_(std::move(programFolder)), port_(std::make_unique<QSerialPort>())
{
    // A device that hangs up keeps its descriptor readable (poll reports the hang-up, read gives
    // nothing), so the port's read notifier would wake the event loop without end while nothing
    // polls the control (Run off, link watch idle). The failure closes the port at once; the
    // link watch or the next Run opens it again.
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this](QSerialPort::SerialPortError error) {
                         if (isDeviceFailure(error))
                             deviceFailed();
                     });
}

QtSerialControl::~QtSerialControl()
{
    close();
}

void QtSerialControl::PortNumber(int number)
{
    portNumber_ = number;
}

int QtSerialControl::PortNumber() const
{
    return portNumber_;
}

void QtSerialControl::ReplyLength(int length)
{
    replyLength_ = length;
}

bool QtSerialControl::isOpen() const
{
    return port_->isOpen();
}

void QtSerialControl::onArrival(QObject* receiver, std::function<void()> arrived)
{
    QObject::connect(port_.get(), &QSerialPort::readyRead, receiver, std::move(arrived));
}

void QtSerialControl::close()
{
    // Closing can report an error of its own, which must not close the port a second time.
    closing_ = true;
    if (port_->isOpen())
        port_->close();
    closing_ = false;
    port_->clearError();
    openedPort_ = 0;
    openedPath_.clear();
    openedCanonical_.clear();
}

void QtSerialControl::open()
{
    const QString path = comPortDevice(programFolder_, portNumber_);
    const QString canonical = canonicalDevice(path);
    if (path.isEmpty() || canonical.isEmpty())
        return;
    port_->setPortName(path);
    // Qt's own buffer is bounded too: when it is full, Qt stops reading and the rest waits in
    // (or overflows) the operating system's buffer, so a device that keeps sending while nothing
    // reads the port does not fill memory.
    port_->setReadBufferSize(static_cast<qint64>(InputLimit));
    if (!port_->open(QIODevice::ReadWrite)) {
        port_->clearError();
        return;
    }
    const bool configured =
        port_->setBaudRate(QSerialPort::Baud9600) && port_->setDataBits(QSerialPort::Data8) &&
        port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop) &&
        port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        close();
        return;
    }
    openedPort_ = portNumber_;
    openedPath_ = path;
    openedCanonical_ = canonical;
}

// The open port's number still maps to the device that was opened, and that device is there.
bool QtSerialControl::deviceStillThere() const
{
    if (!port_->isOpen())
        return false;
    const QString path = comPortDevice(programFolder_, openedPort_);
    return path == openedPath_ && canonicalDevice(path) == openedCanonical_;
}

void QtSerialControl::checkError()
{
    if (!port_->isOpen())
        return;
    if (isDeviceFailure(port_->error()))
        deviceFailed();
    else
        port_->clearError();
}

// Keeps what the device delivered before it failed, then closes the port.
void QtSerialControl::deviceFailed()
{
    if (!port_->isOpen() || closing_)
        return;
    takeBuffered();
    close();
}

void QtSerialControl::takeBuffered()
{
    const QByteArray data = port_->readAll();
    // Bytes beyond the limit are dropped, as the next request's flush would drop them.
    const std::size_t room = InputLimit - std::min(input_.size(), InputLimit);
    input_.append(data.constData(), std::min(room, static_cast<std::size_t>(data.size())));
}

void QtSerialControl::pull(int waitMs)
{
    if (!port_->isOpen())
        return;
    // waitForReadyRead also moves what the OS holds into the port's buffer when waitMs is 0; a
    // device failure met there closes the port after keeping what had come.
    port_->waitForReadyRead(waitMs);
    if (!port_->isOpen())
        return;
    takeBuffered();
    checkError();
}

void QtSerialControl::WriteByte(std::uint8_t byte)
{
    if (!port_->isOpen())
        return;
    const char c = static_cast<char>(byte);
    if (port_->write(&c, 1) != 1) {
        checkError();
        return;
    }
    port_->flush();
    if (port_->bytesToWrite() > 0)
        port_->waitForBytesWritten(FirstByteTimeoutMs);
    checkError();
}

std::string QtSerialControl::ReadBytes(int n)
{
    if (n <= 0)
        return {};
    pull(0);
    const ReadTimeouts timeouts = ReadTimeoutsFor(replyLength_);
    const QDeadlineTimer firstByte(timeouts.firstByteMs);
    const QDeadlineTimer total(timeouts.totalMs);
    while (static_cast<int>(input_.size()) < n && port_->isOpen()) {
        const QDeadlineTimer& deadline = input_.empty() ? firstByte : total;
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            break;
        pull(static_cast<int>(left));
    }
    const std::size_t count = std::min(input_.size(), static_cast<std::size_t>(n));
    std::string result = input_.substr(0, count);
    input_.erase(0, count);
    return result;
}

bool QtSerialControl::nothingArrived()
{
    if (!port_->isOpen() || port_->bytesAvailable() > 0)
        return false;
    if (!sinceFullPull_.isValid() || sinceFullPull_.elapsed() >= FailureCheckMs)
        return false;
    int pending = 0;
    return ::ioctl(static_cast<int>(port_->handle()), FIONREAD, &pending) == 0 && pending == 0;
}

std::int16_t QtSerialControl::BytesWaiting()
{
    // The acquisition tick polls every millisecond while a record is awaited: when nothing has
    // arrived, the count is known without the port's full read and error check.
    if (!nothingArrived()) {
        pull(0);
        sinceFullPull_.start();
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(input_.size() & 0xFFFF));
}

void QtSerialControl::FlushInput()
{
    pull(0);
    input_.clear();
    if (port_->isOpen())
        port_->clear(QSerialPort::Input);
}

void QtSerialControl::PortSetup()
{
    checkError();
    if (port_->isOpen() && (openedPort_ != portNumber_ || !deviceStillThere()))
        close();
    if (!port_->isOpen())
        open();
}

// Clears errors and received bytes, and lets go of a device that has gone. A healthy port stays
// open, and bytes already written are not discarded: the reset byte written just before or
// after this call must still reach the instrument.
void QtSerialControl::PortReset()
{
    checkError();
    if (port_->isOpen() && !deviceStillThere())
        close();
    input_.clear();
    if (port_->isOpen()) {
        port_->clear(QSerialPort::Input);
        port_->clearError();
    }
}

} // namespace kv
