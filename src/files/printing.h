#pragma once

#include "controls/control_classes.h"
#include "files/layer.h"
#include "files/print_page.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class QPrinter;

namespace kv {

class Dialogs;
class PrinterFactory;

// Print and print preview of the page frmPrint: the Print and Preview buttons and menu items.
// Neither stops the acquisition.
class Printing : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // the page's parent
        CwButton* CWButton17;
        CwButton* CWButton19;
        QAction* mnuFPrint;
        QAction* mnuFPrivew;
        // Read for the page: the graph's picture and the read-outs as the window shows them.
        CwGraph* CWGraph1;
        CwSlide* GraphMode;
        CwKnob* CWKnob2;
        CwButton* CWButton12;
        CwSlide* CWSlide5;
        QLabel* lblXpos;
        QLabel* lblXPos2;
        QLabel* lblXDelta;
        QLabel* lblFRQMain;
        QLabel* lblYPos;
        QLabel* lblYpos2;
        QLabel* lblYDelta;
        QLabel* lblTrg;
        QLabel* TimeVal;
        QLabel* PeriodVAL;
        QLabel* PeriodVAL2;
        QLabel* Max1;
        QLabel* Min1;
        QLabel* P2P1;
        QLabel* RMS1;
        QLabel* Mean1;
        QLabel* Frq1;
        QLabel* Prd1;
        QLabel* Max2;
        QLabel* Min2;
        QLabel* P2P2;
        QLabel* RMS2;
        QLabel* Mean2;
        QLabel* Frq2;
        QLabel* Prd2;
    };

    Printing(const Controls& controls, Dialogs& dialogs, PrinterFactory& printers);
    ~Printing() override;

    // Print dialog flags: the print-to-file check box hidden and disabled.
    static constexpr int PrintDialogFlags = 0x180000;

    // Fills the page (creating it on first use) from the read-outs and the graph.
    void PaintGraph();
    void CWButton17_ValueChanged(bool value);
    void CWButton19_ValueChanged(bool value);
    void mnuFPrint_Click();
    void mnuFPrivew_Click();

    // The read-outs the page is filled from, as the main window shows them now.
    PrintReadouts readouts() const;

    // The page while it exists (null before the first print or preview, and after it closed).
    frmPrint* page() const { return page_; }
    // Closes the page (shutdown).
    void unloadPage();

    // The message boxes of a print that cannot be made (title "Print").
    static inline const QString NoPrinterText = QStringLiteral("There is no printer to print on.");
    static inline const QString NotStartedText = QStringLiteral("Printing could not start on ");
    static inline const QString FailedText = QStringLiteral("Printing failed on ");

  private:
    // Asks for the printer and prints the page on the one chosen; says why when it cannot.
    void print();
    // Prints the page `copies` times in one document on `printer`; the message when it fails.
    std::optional<QString> printCopies(QPrinter& printer, int copies);

    const Controls ui;
    Dialogs& dialogs_;
    PrinterFactory& printers_;
    QPointer<frmPrint> page_;
};

} // namespace kv
