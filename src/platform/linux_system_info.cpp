#include "platform/linux_system_info.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace kv {

int LinuxSystemInfo::textHeightForDpi(double dpi)
{
    const double height = 16.0 * dpi / 96.0;
    if (dpi < 96.0)
        return std::min(15, int(std::floor(height)));
    if (dpi > 96.0)
        return std::max(17, int(std::ceil(height)));
    return 16;
}

int LinuxSystemInfo::desktopTextHeight() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return textHeightForDpi(screen ? screen->logicalDotsPerInchY() : 96.0);
}

QRect LinuxSystemInfo::workArea() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace kv
