#pragma once

#include "platform/layer.h"
#include "platform/services.h"

#include <QStringList>

namespace kv {

// The registry values the program reads, from Linux:
// - "Hardware\Devicemap\SerialComm", values "\Device\VCP<i>": the USB serial devices of the
//   FTDI driver (ftdi_sio) under /sys/class/tty, i from 0 in the order of their device names,
//   each "COM<n>" by the COM port map (a dosdevices entry that points to the device wins);
// - "SOFTWARE\Microsoft\Shared Tools\MSINFO", value "PATH": the first system-information
//   program found on PATH.
// Everything else is missing.
class LinuxRegistryView : public RegistryView
{
  public:
    explicit LinuxRegistryView(QString programFolder, QString sysClassTty = "/sys/class/tty",
                               QString devFolder = "/dev");

    std::optional<QString> value(const QString& keyPath, const QString& valueName) const override;

    // Device names (ttyUSB0, ...) of the FTDI serial devices, in order.
    QStringList ftdiDevices() const;
    // COM port number of a device path; 0 when no port maps to it.
    int comPortOf(const QString& devicePath) const;

  private:
    std::optional<QString> serialComm(const QString& valueName) const;
    static std::optional<QString> systemInfoProgram();

    QString programFolder_;
    QString sysClassTty_;
    QString devFolder_;
};

} // namespace kv
