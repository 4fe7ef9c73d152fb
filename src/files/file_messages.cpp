#include "files/file_messages.h"

#include "platform/services.h"

#include <QFileInfo>

namespace kv {

bool ConfirmOverwrite(Dialogs& dialogs, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return dialogs.MsgBox(QStringLiteral("Do you want to overright it?"), MsgButtons::YesNo,
                          MsgIcon::Question,
                          QStringLiteral("File already exist!")) == MsgResult::Yes;
}

void ReportWriteFailure(Dialogs& dialogs, const QString& what, const QString& path,
                        const QString& reason, const QString& title)
{
    dialogs.MsgBox(what + QStringLiteral(" could not be created at location: \r\n") + path +
                       QStringLiteral("\r\n") + reason,
                   MsgButtons::OK, MsgIcon::Critical, title);
}

void ReportFileCreated(Dialogs& dialogs, const QString& what, const QString& path,
                       const QString& title)
{
    dialogs.MsgBox(what + QStringLiteral(" created at location: \r\n") + path, MsgButtons::OK,
                   MsgIcon::Information, title);
}

void ReportLoadRefusal(Dialogs& dialogs, const QString& what, const QString& path,
                       const QString& reason, const QString& title)
{
    dialogs.MsgBox(QStringLiteral("This file was not loaded as ") + what +
                       QStringLiteral(": \r\n") + path + QStringLiteral("\r\n") + reason,
                   MsgButtons::OK, MsgIcon::Exclamation, title);
}

} // namespace kv
