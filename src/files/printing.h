#pragma once

#include "app/handler_group.h"
#include "files/print_page.h"

#include <QPointer>

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

  private:
    // Prints the page `copies` times in one document; false when the printer failed.
    bool printCopies(int copies);

    QPointer<frmPrint> page_;
};

} // namespace kv
