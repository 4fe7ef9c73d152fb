#include "controls/picture_box.h"
#include "file_test_support.h"
#include "files/printing.h"
#include "link/acquisition.h"
#include "support/main_fixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <gtest/gtest.h>

namespace kv {
namespace {

using test::MainFixture;
using Kind = test::ScriptedDialogs::Kind;

PrintReadouts sampleReadouts(int cursorStyle)
{
    PrintReadouts r;
    r.cursorStyle = cursorStyle;
    r.timeDivPosition = 5;
    r.risingEdge = true;
    r.triggerSource = 2;
    r.lblXpos = "1 mS";
    r.lblXPos2 = "2 mS";
    r.lblXDelta = "1 mS";
    r.lblFRQMain = "1KHz";
    r.lblYPos = "100mV";
    r.lblYpos2 = "-50mV";
    r.lblYDelta = "150mV";
    r.lblTrg = "0.2V";
    r.TimeVal = "50K s/S";
    r.PeriodVAL = "200mV";
    r.PeriodVAL2 = "1V";
    r.Max1 = "a1";
    r.Min1 = "b1";
    r.P2P1 = "c1";
    r.RMS1 = "d1";
    r.Mean1 = "e1";
    r.Frq1 = "f1";
    r.Prd1 = "g1";
    r.Max2 = "a2";
    r.Min2 = "b2";
    r.P2P2 = "c2";
    r.RMS2 = "d2";
    r.Mean2 = "e2";
    r.Frq2 = "f2";
    r.Prd2 = "g2";
    return r;
}

struct CursorCase
{
    int style;
    std::array<QString, 7> texts; // lblcur1T, 2t, DT, Freq, 1V, 2V, DV
};

TEST(PrintPageTexts, CursorLabelsByCursorStyle)
{
    const CursorCase cases[] = {
        {0, {"", "", "", "", "Cursor A: 100mV", "Cursor B: -50mV", "    Delta: 150mV"}},
        {1,
         {"Cursor A: 1 mS", "Cursor B: 2 mS", "    Delta: 1 mS", "      Freq: 1KHz", "", "", ""}},
        {2,
         {"Cursor A: 1 mS", "Cursor B: 2 mS", "   Delta: 1 mS", "      Freq: 1KHz",
          "Cursor A: 100mV", "Cursor B: -50mV", "    Delta: 150mV"}},
        {3, {"", "", "", "", "", "", ""}},
    };
    for (const CursorCase& c : cases) {
        const PrintPageTexts t = ComposePrintPage(sampleReadouts(c.style));
        const std::array<QString, 7> got = {t.lblcur1T, t.lblcur2t, t.lblcurDT, t.lblcurFreq,
                                            t.lblcur1V, t.lblcur2V, t.lblcurDV};
        EXPECT_EQ(got, c.texts) << "style " << c.style;
    }
}

TEST(PrintPageTexts, ChannelTriggerAndMeasurementLines)
{
    const PrintPageTexts t = ComposePrintPage(sampleReadouts(1));
    EXPECT_EQ(t.lblCH1, "CH1: 200mV/ DIV    1ms / DIV");
    EXPECT_EQ(t.lblCH2, "CH2: 1V/ DIV    1ms / DIV");
    EXPECT_EQ(t.lblTrg, "Triggered on the Rising edge of CH2 at 0.2V");
    EXPECT_EQ(t.lblAcq, "50K s/S");
    EXPECT_EQ(t.lblVlt, "Max Voltage: a1    Min Voltage: b1    Peak to Peak: c1");
    EXPECT_EQ(t.lblRMS, "true RMS Voltage: d1    Mean Voltage: e1");
    EXPECT_EQ(t.lblFeq, "Frequency: f1    Period: g1");
    EXPECT_EQ(t.lblVlt2, "Max Voltage: a2    Min Voltage: b2    Peak to Peak: c2");
    EXPECT_EQ(t.lblRMS2, "true RMS Voltage: d2    Mean Voltage: e2");
    EXPECT_EQ(t.lblFeq2, "Frequency: f2    Period: g2");
}

TEST(PrintPageTexts, TriggerSourceAndEdgeTexts)
{
    const std::pair<int, QString> sources[] = {
        {1, "CH1"}, {2, "CH2"}, {3, "External"}, {0, ""}, {4, ""}};
    for (const auto& [position, text] : sources) {
        PrintReadouts r = sampleReadouts(3);
        r.triggerSource = position;
        r.risingEdge = false;
        EXPECT_EQ(ComposePrintPage(r).lblTrg,
                  "Triggered on the Falling edge of " + text + " at 0.2V");
    }
    PrintReadouts r = sampleReadouts(3);
    r.triggerSource = 0;
    EXPECT_TRUE(ComposePrintPage(r).lblTrg.contains(" edge of  at "));
}

TEST(PrintPageTexts, TimeDivTexts)
{
    const QString texts[] = {"50us / DIV", "100us / DIV", "200us / DIV", "500us / DIV",
                             "1ms / DIV",  "2ms / DIV",   "5ms / DIV",   "10ms / DIV",
                             "20ms / DIV", "50ms / DIV",  "100ms / DIV", "200ms / DIV",
                             "500s / DIV", "1 s / DIV"};
    for (int position = 1; position <= 14; ++position)
        EXPECT_EQ(PrintTimeDivText(position), texts[position - 1]) << position;
    EXPECT_EQ(PrintTimeDivText(0), "");
    EXPECT_EQ(PrintTimeDivText(15), "");
    PrintReadouts r = sampleReadouts(3);
    r.timeDivPosition = 0;
    EXPECT_EQ(ComposePrintPage(r).lblCH1, "CH1: 200mV/ DIV    ");
}

class PrintingTest : public MainFixture
{
  protected:
    void SetUp() override
    {
        // A first start offers the probe calibration.
        dialogs().answer(MsgResult::No);
        load();
        dialogs().clear();
        ASSERT_NE(main().printing, nullptr);
        // Paired cursors; then the read-outs the page copies.
        w().GraphMode->setValue(2);
        w().CWSlide5->setPosition(1);
        w().CWButton12->setValue(true);
        w().CWKnob2->setPosition(13);
        w().lblXpos->setText("1.5 mS");
        w().lblXPos2->setText("3.5 mS");
        w().lblXDelta->setText("2 mS");
        w().lblFRQMain->setText("500Hz");
        w().lblYPos->setText("120mV");
        w().lblYpos2->setText("40mV");
        w().lblYDelta->setText("80mV");
        w().lblTrg->setText("0.3V");
        w().TimeVal->setText("2.5K s/S");
        w().PeriodVAL->setText("200mV");
        w().PeriodVAL2->setText("5V");
        w().Max1->setText("498mV");
        w().Prd2->setText("4 mS");
    }
    Main& w() { return main(); }
    Printing& printing() { return *main().printing; }
    QString pdf() { return printers().path(); }
};

TEST_F(PrintingTest, ThreeCopiesPrintInOneDocumentWithThePageText)
{
    dialogs().answerPrinter(PrintChoice{3, 1, 1});
    w().mnuFPrint->trigger();
    ASSERT_EQ(dialogs().requests().size(), 1u);
    const auto& asked = dialogs().at(0);
    EXPECT_EQ(asked.kind, Kind::Printer);
    EXPECT_EQ(asked.print.copies, 1);
    EXPECT_EQ(asked.print.fromPage, 1);
    EXPECT_EQ(asked.print.toPage, 1);
    EXPECT_EQ(asked.print.flags, 0x180000);
    EXPECT_FALSE(w().CWButton17->value());

    ASSERT_TRUE(QFileInfo::exists(pdf()));
    EXPECT_EQ(test::pdfPageCount(pdf()), 3);
    const QStringList pages = test::pdfPageTexts(pdf());
    ASSERT_GE(pages.size(), 3);
    test::expectEveryPageShows(pages, 3,
                               {"Cursor A: 1.5 mS", "Cursor B: 40mV", "Freq: 500Hz",
                                "Triggered on the Rising edge of CH1 at 0.3V", "2.5K s/S",
                                "CH1: 200mV/ DIV", "500s / DIV", "Max Voltage: 498mV",
                                "Period: 4 mS"});
}

TEST_F(PrintingTest, PrintsOnThePrinterPaperAndOrientationTheDialogChose)
{
    const QString chosen = QDir(folder()).filePath("chosen.pdf");
    dialogs().answerPrinter(PrintChoice{2, 1, 1}, [&](QPrinter& printer) {
        // The user picks the PDF printer with its file, A5 paper and landscape.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosen);
        printer.setPageSize(QPageSize(QPageSize::A5));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setCopyCount(2);
    });
    w().mnuFPrint->trigger();
    EXPECT_FALSE(QFileInfo::exists(pdf())); // not the default printer
    ASSERT_TRUE(QFileInfo::exists(chosen));
    const auto info = test::runProgram(QStringLiteral("pdfinfo"), {chosen});
    EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+2\\b"))) << info.out.toStdString();
    // A5 landscape: 210 x 148 mm, 595 x 420 points.
    EXPECT_TRUE(
        info.out.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 4(19\\.\\d+|20) pts")))
        << info.out.toStdString();
    const QString text =
        test::runProgram(QStringLiteral("pdftotext"), {chosen, QStringLiteral("-")}).out;
    EXPECT_TRUE(text.contains("Triggered on the Rising edge of CH1 at 0.3V")) << text.toStdString();
    EXPECT_FALSE(w().CWButton17->value());
}

struct PrintFailureCase
{
    const char* name;
    QString file; // the PDF printer's file; empty: no file, so no printer to print on
    QString message;
};

TEST_F(PrintingTest, PrintingThatCannotStartSaysSo)
{
    const QString unreachable = QDir(folder()).filePath("no/such/folder/page.pdf");
    const PrintFailureCase cases[] = {
        {"no printer", QString(), "There is no printer to print on."},
        {"cannot start", unreachable, "Printing could not start on " + unreachable + "."},
    };
    for (const PrintFailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        dialogs().answerPrinter(PrintChoice{1, 1, 1}, [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(c.file);
        });
        dialogs().answer(MsgResult::OK);
        w().CWButton17->setValue(true);
        ASSERT_EQ(dialogs().requests().size(), 2u);
        const auto& box = dialogs().at(1);
        EXPECT_EQ(box.kind, Kind::MsgBox);
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.title, "Print");
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_FALSE(w().CWButton17->value());
        EXPECT_FALSE(QFileInfo::exists(pdf()));
    }
}

TEST_F(PrintingTest, PageHoldsTheGraphPictureAndTheLabels)
{
    dialogs().answerPrinter(std::nullopt);
    w().CWButton17->setValue(true);
    // Cancelled: nothing printed, the button is off again.
    EXPECT_FALSE(QFileInfo::exists(pdf()));
    EXPECT_FALSE(w().CWButton17->value());
    frmPrint* page = printing().page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->windowTitle(), "Print Preview");
    EXPECT_EQ(page->size(), QSize(681, 675));
    EXPECT_EQ(page->Picture1->picture().size(), w().CWGraph1->size());
    EXPECT_EQ(page->Picture1->geometry(), QRect(0, 0, 537, 403)); // the graph's 4:3
    EXPECT_EQ(page->lblcurDT->text(), "   Delta: 2 mS");
    EXPECT_EQ(page->lblcurDV->text(), "    Delta: 80mV");
    EXPECT_EQ(page->lblCH2->text(), "CH2: 5V/ DIV    500s / DIV");
    EXPECT_EQ(page->lblCH1->font().family(), PrintPageFontFamily());
    EXPECT_LE(page->lblCH1->font().pointSizeF(), 20.25);
    EXPECT_GT(page->lblCH1->font().pointSizeF(), page->lblVlt->font().pointSizeF());
    EXPECT_LE(page->lblVlt->font().pointSizeF(), 12.0);
}

// Every text of the page, the widest the read-outs can give and those of a real record, fits
// its label with the font the page picked, and every label and the picture lie on the page
// without covering one another.
TEST_F(PrintingTest, EveryTextFitsItsLabelAndEveryLabelIsOnThePage)
{
    dialogs().answerPrinter(std::nullopt);
    w().CWButton17->setValue(true);
    frmPrint* page = printing().page();
    ASSERT_NE(page, nullptr);
    // The font asked for is the font drawn: an installed face, not a substitute.
    EXPECT_EQ(QFontInfo(page->lblVlt->font()).family(), PrintPageFontFamily());

    const QRect onPage(QPoint(0, 0), page->size());
    std::vector<QWidget*> boxes{page->Picture1};
    for (QLabel* label : page->labels())
        boxes.push_back(label);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(onPage.contains(boxes[i]->geometry())) << boxes[i]->objectName().toStdString();
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i]->geometry().intersects(boxes[j]->geometry()))
                << boxes[i]->objectName().toStdString() << " and "
                << boxes[j]->objectName().toStdString();
    }

    const auto expectFits = [&](const char* what) {
        SCOPED_TRACE(what);
        for (const QLabel* label : page->labels()) {
            const QFontMetricsF metrics(label->font());
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString() << ": " << label->text().toStdString();
            EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
            // The widest foreseen texts keep their group's size: 9 points and more.
            EXPECT_GE(label->font().pointSizeF(), 9.0) << label->objectName().toStdString();
        }
    };
    page->setTexts(ComposePrintPage(WidestPrintReadouts()));
    expectFits("widest texts");
    EXPECT_EQ(page->lblVlt->text(),
              "Max Voltage: -88.8 V    Min Voltage: -88.8 V    Peak to Peak: -88.8 V");
    EXPECT_EQ(page->lblcur1T->text(), "Cursor A: -8888mS");

    // A record of the simulated instrument, with the read-outs the user saw cut before.
    w().global.ActiveChannel = 1;
    w().CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
    w().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), true);
    w().CWButton1->setValue(true);
    w().acquisition->Timer1_Timer();
    w().lblXpos->setText("-1007uS");
    w().P2P1->setText("2 V");
    w().mnuFPrivew->trigger();
    expectFits("simulated record");
    EXPECT_TRUE(page->lblVlt->text().endsWith("Peak to Peak: 2 V"))
        << page->lblVlt->text().toStdString();
    EXPECT_EQ(page->lblcur1T->text(), "Cursor A: -1007uS");
    // A picture of the preview for a look by eye.
    if (const QString shot = qEnvironmentVariable("KV_PRINT_PREVIEW"); !shot.isEmpty())
        page->grab().save(shot);
}

TEST_F(PrintingTest, PreviewShowsTheFilledPageModelessAndIsRefilledInPlace)
{
    w().CWButton1->setValue(true);
    ASSERT_TRUE(w().Timer1->enabled());
    w().mnuFPrivew->trigger();
    EXPECT_FALSE(w().CWButton19->value());
    frmPrint* page = printing().page();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(page->isModal());
    EXPECT_EQ(page->lblcur1T->text(), "Cursor A: 1.5 mS");
    EXPECT_FALSE(page->Picture1->picture().isNull());
    // Neither preview nor print stops the acquisition.
    EXPECT_TRUE(w().CWButton1->value());
    EXPECT_TRUE(w().Timer1->enabled());

    // The next print refills the open page in place.
    w().Max1->setText("1.2V");
    dialogs().answerPrinter(PrintChoice{1, 1, 1});
    w().CWButton17->setValue(true);
    EXPECT_EQ(printing().page(), page);
    EXPECT_TRUE(page->lblVlt->text().startsWith("Max Voltage: 1.2V"));
    EXPECT_EQ(test::pdfPageCount(pdf()), 1);
    EXPECT_TRUE(w().CWButton1->value());

    // Closing the preview closes the page; the next preview makes a new one.
    page->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(printing().page(), nullptr);
    w().CWButton19->setValue(true);
    ASSERT_NE(printing().page(), nullptr);
    EXPECT_TRUE(printing().page()->isVisible());
    EXPECT_TRUE(printing().page()->lblVlt->text().startsWith("Max Voltage: 1.2V"));
}

} // namespace
} // namespace kv
