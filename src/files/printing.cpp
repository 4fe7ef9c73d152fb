#include "files/printing.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "platform/services.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace kv {

Printing::Printing(const Controls& controls, Dialogs& dialogs, PrinterFactory& printers)
    : ui(controls), dialogs_(dialogs), printers_(printers)
{
    connect(ui.CWButton17, &CwButton::valueChanged, this, &Printing::CWButton17_ValueChanged);
    connect(ui.CWButton19, &CwButton::valueChanged, this, &Printing::CWButton19_ValueChanged);
    connect(ui.mnuFPrint, &QAction::triggered, this, &Printing::mnuFPrint_Click);
    connect(ui.mnuFPrivew, &QAction::triggered, this, &Printing::mnuFPrivew_Click);
}

Printing::~Printing()
{
    unloadPage();
}

void Printing::unloadPage()
{
    delete page_.data();
}

PrintReadouts Printing::readouts() const
{
    PrintReadouts r;
    r.cursorStyle = int(std::lround(ui.GraphMode->value()));
    r.timeDivPosition = ui.CWKnob2->position();
    r.risingEdge = ui.CWButton12->value();
    r.triggerSource = ui.CWSlide5->position();
    r.lblXpos = ui.lblXpos->text();
    r.lblXPos2 = ui.lblXPos2->text();
    r.lblXDelta = ui.lblXDelta->text();
    r.lblFRQMain = ui.lblFRQMain->text();
    r.lblYPos = ui.lblYPos->text();
    r.lblYpos2 = ui.lblYpos2->text();
    r.lblYDelta = ui.lblYDelta->text();
    r.lblTrg = ui.lblTrg->text();
    r.TimeVal = ui.TimeVal->text();
    r.PeriodVAL = ui.PeriodVAL->text();
    r.PeriodVAL2 = ui.PeriodVAL2->text();
    r.Max1 = ui.Max1->text();
    r.Min1 = ui.Min1->text();
    r.P2P1 = ui.P2P1->text();
    r.RMS1 = ui.RMS1->text();
    r.Mean1 = ui.Mean1->text();
    r.Frq1 = ui.Frq1->text();
    r.Prd1 = ui.Prd1->text();
    r.Max2 = ui.Max2->text();
    r.Min2 = ui.Min2->text();
    r.P2P2 = ui.P2P2->text();
    r.RMS2 = ui.RMS2->text();
    r.Mean2 = ui.Mean2->text();
    r.Frq2 = ui.Frq2->text();
    r.Prd2 = ui.Prd2->text();
    return r;
}

void Printing::PaintGraph()
{
    if (!page_) {
        page_ = new frmPrint(ui.window);
        // Closing the preview closes the page; the next print or preview makes a new one.
        page_->setAttribute(Qt::WA_DeleteOnClose);
    }
    page_->setTexts(ComposePrintPage(readouts()));
    page_->setGraphPicture(ui.CWGraph1->picture());
}

namespace {

// Where a printer prints: its name, or the file of a PDF printer.
QString printerPlace(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    return printer.printerName();
}

} // namespace

std::optional<QString> Printing::printCopies(QPrinter& printer, int copies)
{
    if (copies < 1)
        return std::nullopt;
    if (!page_)
        return FailedText + printerPlace(printer) + QLatin1Char('.');
    // Without a system printer a printer falls back to PDF output, which needs a file.
    if (!printer.isValid() || printerPlace(printer).isEmpty())
        return NoPrinterText;
    // The copies are pages of the one document; the printer must not repeat them itself.
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer))
        return NotStartedText + printerPlace(printer) + QLatin1Char('.');
    const QRect pageRect = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(QPoint(0, 0), pageRect.size());
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1 && !printer.newPage()) {
            painter.end();
            return FailedText + printerPlace(printer) + QLatin1Char('.');
        }
        page_->printOnto(painter, area, printer.resolution());
    }
    if (!painter.end())
        return FailedText + printerPlace(printer) + QLatin1Char('.');
    return std::nullopt;
}

void Printing::print()
{
    const std::unique_ptr<QPrinter> printer = printers_.create();
    if (!printer) {
        dialogs_.MsgBox(NoPrinterText, MsgButtons::OK, MsgIcon::Exclamation,
                        QStringLiteral("Print"));
        return;
    }
    PrintRequest request;
    request.flags = PrintDialogFlags;
    const auto choice = dialogs_.ShowPrinter(*printer, request);
    if (!choice)
        return;
    if (const auto failure = printCopies(*printer, std::int16_t(choice->copies)))
        dialogs_.MsgBox(*failure, MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Print"));
}

void Printing::CWButton17_ValueChanged(bool value)
{
    if (value) {
        PaintGraph();
        print();
    }
    ui.CWButton17->setValue(false);
}

void Printing::CWButton19_ValueChanged(bool value)
{
    if (value) {
        PaintGraph();
        page_->show();
        page_->raise();
    }
    ui.CWButton19->setValue(false);
}

void Printing::mnuFPrint_Click()
{
    ui.CWButton17->setValue(true);
}

void Printing::mnuFPrivew_Click()
{
    ui.CWButton19->setValue(true);
}

} // namespace kv
