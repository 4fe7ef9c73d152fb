#include "platform/com_port_map.h"

#include <QDir>
#include <QFileInfo>

namespace kv {

namespace {

bool validPort(int n)
{
    return n >= FirstComPort && n <= LastComPort;
}

} // namespace

QString fixedComPortDevice(int n)
{
    if (!validPort(n))
        return {};
    if (n <= 9)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    if (n <= 137)
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 10);
    return QStringLiteral("/dev/ttyACM%1").arg(n - 138);
}

QString dosDeviceEntry(const QString& programFolder, int n)
{
    return QDir(programFolder).filePath(QStringLiteral("dosdevices/com%1").arg(n));
}

QString comPortDevice(const QString& programFolder, int n)
{
    if (!validPort(n))
        return {};
    const QString entry = dosDeviceEntry(programFolder, n);
    const QFileInfo info(entry);
    if (info.exists() || info.isSymLink())
        return entry;
    return fixedComPortDevice(n);
}

} // namespace kv
