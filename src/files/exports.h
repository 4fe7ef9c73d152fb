#pragma once

#include "app/handler_group.h"
#include "files/atomic_write.h"
#include "files/export_layouts.h"

#include <QString>

namespace kv {

class Dialogs;

// "Do you want to overright it?" when `path` exists; true when the file may be written (it does
// not exist, or the user answered Yes).
bool ConfirmOverwrite(Dialogs& dialogs, const QString& path);
// Tells the user that `what` could not be written to `path`, and why.
void ReportWriteFailure(Dialogs& dialogs, const QString& what, const QString& path,
                        const QString& reason, const QString& title);

// The export command: the Export Data button and menu item, the worksheet export `XLS` and the
// comma-delimited export `csvFileRepExists`.
class Exports : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Exports(Main& main);

    static inline const QString DialogTitle = QStringLiteral("Export Data As");
    static inline const QString DialogFilter =
        QStringLiteral("Microsoft Excel Worksheet (*.xls)|*.xls|"
                       "Comma-delimited ASCII file (*.csv)|*.csv");

    void CWButton2_ValueChanged(bool value);
    void mnuFExport_Click();
    // Writes the last record as a worksheet under `path`.
    void XLS(const QString& path);
    // Writes the last record as a comma-delimited file under `path`.
    void csvFileRepExists(const QString& path);

    // The layout inputs as the controls and the state hold them now.
    ExportSettings exportSettings() const;

  private:
    void bringToFront();
};

} // namespace kv
