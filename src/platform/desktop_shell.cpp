#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace kv {

void DesktopShell::open(const QString& fileOrUrl)
{
    const QUrl url = QFileInfo::exists(fileOrUrl) ? QUrl::fromLocalFile(fileOrUrl)
                                                  : QUrl::fromUserInput(fileOrUrl);
    QDesktopServices::openUrl(url);
}

} // namespace kv
