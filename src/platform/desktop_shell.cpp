#include "platform/desktop_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace kv {

void DesktopShell::open(const QString& fileOrUrl)
{
    const QUrl url = QFileInfo::exists(fileOrUrl) ? QUrl::fromLocalFile(fileOrUrl)
                                                  : QUrl::fromUserInput(fileOrUrl);
    QDesktopServices::openUrl(url);
}

bool DesktopShell::start(const QString& program)
{
    return QProcess::startDetached(program, {});
}

} // namespace kv
