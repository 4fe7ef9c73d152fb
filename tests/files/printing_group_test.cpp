// The printing group on its own: built from the controls it works (real buttons, slides, knob,
// graph and labels in a plain window), scripted dialogs and a printer writing a PDF file; no main
// window. The buttons are pressed with the mouse.

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/picture_box.h"
#include "file_test_support.h"
#include "files/printing.h"
#include "platform/services.h"
#include "state/timebase_table.h"
#include "support/service_doubles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kv {
namespace {

using Kind = test::ScriptedDialogs::Kind;

// Presses the button with the mouse: press and release at its centre.
void click(CwButton* button)
{
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

class PrintingGroup : public ::testing::Test
{
  protected:
    PrintingGroup() : printers_(QDir(dir_.path()).filePath(QStringLiteral("print.pdf")))
    {
        window_.resize(600, 400);
        ui_.window = &window_;
        ui_.CWButton17 = commandButton("Print", 0);
        ui_.CWButton19 = commandButton("Preview", 1);
        ui_.mnuFPrint = new QAction(QStringLiteral("Print"), &window_);
        ui_.mnuFPrivew = new QAction(QStringLiteral("Print Preview"), &window_);
        ui_.CWGraph1 = new CwGraph(&window_);
        ui_.CWGraph1->setGeometry(200, 0, 300, 200);
        ui_.GraphMode = selector({"Horizontal Bars", "Vertical Bars", "Paired Bars", "OFF"});
        ui_.CWSlide5 = selector({"Channel 1", "Channel 2", "External"});
        ui_.CWKnob2 = new CwKnob(&window_);
        QStringList timeDivLabels;
        for (const TimebaseRow& row : TimebaseTable)
            timeDivLabels << QString::fromLatin1(row.label);
        ui_.CWKnob2->setPositions(timeDivLabels);
        ui_.CWButton12 = new CwButton(CwButton::Style::VerticalSwitch, &window_);
        for (QLabel** label :
             {&ui_.lblXpos,    &ui_.lblXPos2,  &ui_.lblXDelta, &ui_.lblFRQMain, &ui_.lblYPos,
              &ui_.lblYpos2,   &ui_.lblYDelta, &ui_.lblTrg,    &ui_.TimeVal,    &ui_.PeriodVAL,
              &ui_.PeriodVAL2, &ui_.Max1,      &ui_.Min1,      &ui_.P2P1,       &ui_.RMS1,
              &ui_.Mean1,      &ui_.Frq1,      &ui_.Prd1,      &ui_.Max2,       &ui_.Min2,
              &ui_.P2P2,       &ui_.RMS2,      &ui_.Mean2,     &ui_.Frq2,       &ui_.Prd2})
            *label = new QLabel(&window_);
        printing_ = std::make_unique<Printing>(ui_, dialogs_, printers_);
        window_.show();

        // Paired cursors, channel 2 the source on its rising edge, 500s / DIV; the read-outs.
        ui_.GraphMode->setValue(2);
        ui_.CWSlide5->setPosition(2);
        ui_.CWButton12->setValue(true);
        ui_.CWKnob2->setPosition(13);
        ui_.lblXpos->setText("1.5 mS");
        ui_.lblYpos2->setText("40mV");
        ui_.lblFRQMain->setText("500Hz");
        ui_.lblTrg->setText("0.3V");
        ui_.PeriodVAL2->setText("5V");
        ui_.Max1->setText("498mV");
        ui_.Prd2->setText("4 mS");
    }

    ~PrintingGroup() override { EXPECT_EQ(dialogs_.remaining(), 0); }

    CwButton* commandButton(const char* caption, int row)
    {
        auto* b = new CwButton(CwButton::Style::PushButton, &window_);
        b->setCaption(QString::fromLatin1(caption));
        b->setGeometry(10, 10 + 40 * row, 112, 28);
        b->setCommand(true);
        return b;
    }
    CwSlide* selector(const QStringList& positions)
    {
        auto* s = new CwSlide(Qt::Vertical, &window_);
        s->setPositions(positions);
        return s;
    }

    QString pdf() const { return printers_.path(); }

    QTemporaryDir dir_;
    test::ScriptedDialogs dialogs_;
    PdfPrinterFactory printers_;
    QWidget window_;
    Printing::Controls ui_{};
    std::unique_ptr<Printing> printing_;
};

TEST_F(PrintingGroup, PressOnPrintPrintsTheChosenCopiesOfThePageFromTheReadoutsShown)
{
    dialogs_.answerPrinter(PrintChoice{2, 1, 1});
    click(ui_.CWButton17);

    ASSERT_EQ(dialogs_.requests().size(), 1u);
    EXPECT_EQ(dialogs_.last().kind, Kind::Printer);
    EXPECT_EQ(dialogs_.last().print.flags, Printing::PrintDialogFlags);
    EXPECT_FALSE(ui_.CWButton17->value());
    ASSERT_TRUE(QFileInfo::exists(pdf()));
    EXPECT_EQ(test::pdfPageCount(pdf()), 2);
    const QStringList pages = test::pdfPageTexts(pdf());
    ASSERT_GE(pages.size(), 2);
    test::expectEveryPageShows(pages, 2,
                               {"Cursor A: 1.5 mS", "Cursor B: 40mV", "Freq: 500Hz",
                                "Triggered on the Rising edge of CH2 at 0.3V", "CH2: 5V/ DIV",
                                "500s / DIV", "Max Voltage: 498mV", "Period: 4 mS"});
}

TEST_F(PrintingGroup, CancelledPrintDialogPrintsNothingAndTheNextPressAsksAgain)
{
    dialogs_.answerPrinter(std::nullopt);
    click(ui_.CWButton17);
    EXPECT_FALSE(ui_.CWButton17->value());
    EXPECT_FALSE(QFileInfo::exists(pdf()));

    dialogs_.answerPrinter(PrintChoice{1, 1, 1});
    click(ui_.CWButton17);
    EXPECT_EQ(dialogs_.requests().size(), 2u);
    EXPECT_EQ(test::pdfPageCount(pdf()), 1);
}

TEST_F(PrintingGroup, PressOnPreviewShowsThePageFilledFromTheReadoutsAndRefillsItInPlace)
{
    click(ui_.CWButton19);
    EXPECT_FALSE(ui_.CWButton19->value());
    frmPrint* page = printing_->page();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(page->isModal());
    EXPECT_EQ(page->parentWidget(), &window_);
    EXPECT_EQ(page->lblcur1T->text(), "Cursor A: 1.5 mS");
    EXPECT_FALSE(page->Picture1->picture().isNull());

    ui_.Max1->setText("1.2V");
    click(ui_.CWButton19);
    EXPECT_EQ(printing_->page(), page);
    EXPECT_TRUE(page->lblVlt->text().startsWith("Max Voltage: 1.2V"));
}

} // namespace
} // namespace kv
