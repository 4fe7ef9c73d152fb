#pragma once

#include "app/handler_group.h"
#include "files/atomic_write.h"
#include "files/export_layouts.h"
#include "files/file_messages.h"

#include <QString>

namespace kv {

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
