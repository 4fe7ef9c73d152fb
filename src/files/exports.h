#pragma once

#include "controls/control_classes.h"
#include "files/atomic_write.h"
#include "files/file_messages.h"
#include "files/layer.h"
#include "files/rules/export_layouts.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <QString>

namespace kv {

class Dialogs;

// The export command: the Export Data button and menu item, the worksheet export `XLS` and the
// comma-delimited export `csvFileRepExists`.
class Exports : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // brought back to the front when the dialog is cancelled
        CwButton* CWButton2;
        QAction* mnuFExport;
        CwTimer* Timer1;     // read: a running acquisition is stopped first
        CwButton* CWButton1; // Run/Stop
        CwKnob* CWKnob2;     // read: the time/div position picks the layout
        CwGraph* CWGraph1;   // read: the traces shown pick the columns
    };

    Exports(ScopeState& state, GlobalV& global, const Controls& controls, Dialogs& dialogs);

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

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    Dialogs& dialogs_;
};

} // namespace kv
