#include "files/printing.h"

#include "app/main_window.h"
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

Printing::Printing(Main& main) : HandlerGroup(main)
{
    connect(m.CWButton17, &CwButton::valueChanged, this, &Printing::CWButton17_ValueChanged);
    connect(m.CWButton19, &CwButton::valueChanged, this, &Printing::CWButton19_ValueChanged);
    connect(m.mnuFPrint, &QAction::triggered, this, &Printing::mnuFPrint_Click);
    connect(m.mnuFPrivew, &QAction::triggered, this, &Printing::mnuFPrivew_Click);
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
    r.cursorStyle = int(std::lround(m.GraphMode->value()));
    r.timeDivPosition = m.CWKnob2->position();
    r.risingEdge = m.CWButton12->value();
    r.triggerSource = m.CWSlide5->position();
    r.lblXpos = m.lblXpos->text();
    r.lblXPos2 = m.lblXPos2->text();
    r.lblXDelta = m.lblXDelta->text();
    r.lblFRQMain = m.lblFRQMain->text();
    r.lblYPos = m.lblYPos->text();
    r.lblYpos2 = m.lblYpos2->text();
    r.lblYDelta = m.lblYDelta->text();
    r.lblTrg = m.lblTrg->text();
    r.TimeVal = m.TimeVal->text();
    r.PeriodVAL = m.PeriodVAL->text();
    r.PeriodVAL2 = m.PeriodVAL2->text();
    r.Max1 = m.Max1->text();
    r.Min1 = m.Min1->text();
    r.P2P1 = m.P2P1->text();
    r.RMS1 = m.RMS1->text();
    r.Mean1 = m.Mean1->text();
    r.Frq1 = m.Frq1->text();
    r.Prd1 = m.Prd1->text();
    r.Max2 = m.Max2->text();
    r.Min2 = m.Min2->text();
    r.P2P2 = m.P2P2->text();
    r.RMS2 = m.RMS2->text();
    r.Mean2 = m.Mean2->text();
    r.Frq2 = m.Frq2->text();
    r.Prd2 = m.Prd2->text();
    return r;
}

void Printing::PaintGraph()
{
    if (!page_) {
        page_ = new frmPrint(&m);
        // Closing the preview closes the page; the next print or preview makes a new one.
        page_->setAttribute(Qt::WA_DeleteOnClose);
    }
    page_->setTexts(ComposePrintPage(readouts()));
    page_->setGraphPicture(m.CWGraph1->picture());
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
    const std::unique_ptr<QPrinter> printer = m.printers.create();
    if (!printer) {
        m.dialogs.MsgBox(NoPrinterText, MsgButtons::OK, MsgIcon::Exclamation,
                         QStringLiteral("Print"));
        return;
    }
    PrintRequest request;
    request.flags = PrintDialogFlags;
    const auto choice = m.dialogs.ShowPrinter(*printer, request);
    if (!choice)
        return;
    if (const auto failure = printCopies(*printer, std::int16_t(choice->copies)))
        m.dialogs.MsgBox(*failure, MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Print"));
}

void Printing::CWButton17_ValueChanged(bool value)
{
    if (value) {
        PaintGraph();
        print();
    }
    m.CWButton17->setValue(false);
}

void Printing::CWButton19_ValueChanged(bool value)
{
    if (value) {
        PaintGraph();
        page_->show();
        page_->raise();
    }
    m.CWButton19->setValue(false);
}

void Printing::mnuFPrint_Click()
{
    m.CWButton17->setValue(true);
}

void Printing::mnuFPrivew_Click()
{
    m.CWButton19->setValue(true);
}

} // namespace kv
