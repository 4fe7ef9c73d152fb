#include "platform/linux_registry_view.h"

#include "platform/rules/com_port_map.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace kv {

namespace {

QString normalKey(QString key)
{
    key = key.toLower();
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return key;
}

// Device names in their natural order: ttyUSB2 before ttyUSB10.
bool deviceNameLess(const QString& a, const QString& b)
{
    const auto split = [](const QString& name) {
        int i = int(name.size());
        while (i > 0 && name[i - 1].isDigit())
            --i;
        return std::pair(name.left(i), name.mid(i).toLongLong());
    };
    return split(a) < split(b);
}

const QString VcpPrefix = QStringLiteral("\\device\\vcp");

} // namespace

LinuxRegistryView::LinuxRegistryView(QString programFolder, QString sysClassTty, QString devFolder)
    : programFolder_(std::move(programFolder)), sysClassTty_(std::move(sysClassTty)),
      devFolder_(std::move(devFolder))
{
}

std::optional<QString> LinuxRegistryView::value(const QString& keyPath,
                                                const QString& valueName) const
{
    const QString key = normalKey(keyPath);
    if (key == QLatin1String("hardware\\devicemap\\serialcomm"))
        return serialComm(valueName.toLower());
    if (key == QLatin1String("software\\microsoft\\shared tools\\msinfo") &&
        valueName.compare(QLatin1String("PATH"), Qt::CaseInsensitive) == 0)
        return systemInfoProgram();
    return std::nullopt;
}

std::optional<QString> LinuxRegistryView::serialComm(const QString& valueName) const
{
    if (!valueName.startsWith(VcpPrefix))
        return std::nullopt;
    bool ok = false;
    const int index = valueName.mid(VcpPrefix.size()).toInt(&ok);
    const QStringList devices = ftdiDevices();
    if (!ok || index < 0 || index >= devices.size())
        return std::nullopt;
    const int port = comPortOf(QDir(devFolder_).filePath(devices[index]));
    if (port == 0)
        return std::nullopt;
    return QStringLiteral("COM%1").arg(port);
}

QStringList LinuxRegistryView::ftdiDevices() const
{
    QStringList devices;
    const QDir tty(sysClassTty_);
    for (const QString& name : tty.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const QFileInfo driver(tty.filePath(name + QStringLiteral("/device/driver")));
        if (QFileInfo(driver.symLinkTarget()).fileName() == QLatin1String("ftdi_sio") ||
            QFileInfo(driver.canonicalFilePath()).fileName() == QLatin1String("ftdi_sio"))
            devices << name;
    }
    std::sort(devices.begin(), devices.end(), deviceNameLess);
    return devices;
}

int LinuxRegistryView::comPortOf(const QString& devicePath) const
{
    const QString wanted = QFileInfo(devicePath).absoluteFilePath();
    for (int n = FirstComPort; n <= LastComPort; ++n) {
        const QFileInfo entry(dosDeviceEntry(programFolder_, n));
        if (entry.isSymLink() && QFileInfo(entry.symLinkTarget()).absoluteFilePath() == wanted)
            return n;
    }
    const QString name = QFileInfo(devicePath).fileName();
    for (int n = FirstComPort; n <= LastComPort; ++n)
        if (QFileInfo(fixedComPortDevice(n)).fileName() == name &&
            !QFileInfo(dosDeviceEntry(programFolder_, n)).isSymLink())
            return n;
    return 0;
}

std::optional<QString> LinuxRegistryView::systemInfoProgram()
{
    for (const char* program : {"hardinfo", "kinfocenter", "gnome-system-monitor"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!path.isEmpty())
            return path;
    }
    return std::nullopt;
}

} // namespace kv
