#include "platform/rules/com_port_map.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kv {

namespace {

bool validPort(int n)
{
    return n >= FirstComPort && n <= LastComPort;
}

bool hasLinkFolder(const QString& folder)
{
    return !folder.isEmpty() &&
           QFileInfo(QDir(folder).filePath(QStringLiteral("dosdevices"))).isDir();
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

QString comLinkFolder(const QString& programFolder, const QString& configFolder)
{
    if (!hasLinkFolder(programFolder) && hasLinkFolder(configFolder))
        return configFolder;
    return programFolder;
}

QString comLinkFolder(const QString& programFolder)
{
    return comLinkFolder(programFolder,
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
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
