#pragma once

#include "app/handler_group.h"
#include "files/print_page.h"

#include <QPointer>
#include <QString>
#include <optional>

class QPrinter;

namespace kv {

// Print and print preview of the page frmPrint: the Print and Preview buttons and menu items.
// Neither stops the acquisition.
class Printing : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Printing(Main& main);
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

    QPointer<frmPrint> page_;
};

} // namespace kv
