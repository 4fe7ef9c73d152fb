#pragma once

// The questions and reports around writing a named file, the same for every file command.

#include "files/layer.h"

#include <QString>

namespace kv {

class Dialogs;

// "Do you want to overright it?" when `path` exists; true when the file may be written (it does
// not exist, or the user answered Yes).
bool ConfirmOverwrite(Dialogs& dialogs, const QString& path);
// Tells the user that `what` could not be written to `path`, and why.
void ReportWriteFailure(Dialogs& dialogs, const QString& what, const QString& path,
                        const QString& reason, const QString& title);
// Tells the user that `what` was written to `path`.
void ReportFileCreated(Dialogs& dialogs, const QString& what, const QString& path,
                       const QString& title);
// Tells the user that the file at `path` was not loaded as `what`, and why (the reason names the
// line at fault); nothing was changed.
void ReportLoadRefusal(Dialogs& dialogs, const QString& what, const QString& path,
                       const QString& reason, const QString& title);

} // namespace kv
