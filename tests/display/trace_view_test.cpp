#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/mouse_helpers.h"
#include "display/cursors.h"
#include "display/trace_view.h"
#include "support/main_fixture.h"
#include "support/test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace kv {
namespace {

// ---- Pure rules --------------------------------------------------------------------------------

TEST(TraceViewRules, WindowFollowsTheSliderUnclamped)
{
    const struct
    {
        double slider, minimum, maximum;
    } cases[] = {{40, -210, 290}, {1460, 1210, 1710}, {750, 500, 1000}};
    for (const auto& c : cases) {
        const ViewWindow w = ViewWindowAt(c.slider);
        EXPECT_DOUBLE_EQ(w.minimum, c.minimum);
        EXPECT_DOUBLE_EQ(w.maximum, c.maximum);
    }
}

TEST(TraceViewRules, CaptionsVoltsPerCountAndPointers)
{
    EXPECT_EQ(VdivCaption(1), QStringLiteral("100mV"));
    EXPECT_EQ(VdivCaption(6), QStringLiteral("5V"));
    EXPECT_FALSE(VdivCaption(0));
    EXPECT_FALSE(VdivCaption(Variant()));
    EXPECT_FLOAT_EQ(*SettingsVoltsPerCount(3), 0.0196f);
    EXPECT_FLOAT_EQ(*SettingsVoltsPerCount(4), 0.7843f);
    EXPECT_FALSE(SettingsVoltsPerCount(7));
    EXPECT_EQ(PlotPointerFor("Zoom"), PlotPointer::Zoom);
    EXPECT_EQ(PlotPointerFor("pan"), PlotPointer::Pan);
    EXPECT_EQ(PlotPointerFor("Cursor"), PlotPointer::Cursor);
    EXPECT_EQ(PlotPointerFor("0"), PlotPointer::Cursor);
}

// ---- The group on the main window
// ----------------------------------------------------------------

class TraceViewTest : public test::MainFixture
{
  protected:
    void SetUp() override
    {
        // Plot-area pictures of distinct colours, so a test can tell which one is shown.
        QDir(folder()).mkpath(QStringLiteral("Graphics/PlotArea"));
        const struct
        {
            const char* name;
            Qt::GlobalColor color;
        } pictures[] = {{"Grid.bmp", Qt::darkGray},
                        {"AutoScale.bmp", Qt::darkBlue},
                        {"Zoomed.bmp", Qt::darkGreen}};
        for (const auto& p : pictures) {
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(p.color);
            image.save(path(QStringLiteral("Graphics/PlotArea/") + QLatin1String(p.name)));
        }
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        load();
        m = &main();
        g = m->CWGraph1;
        m->CWSlide7->setPosition(3);
    }

    QColor picture() const
    {
        const QImage image = g->plotAreaImage();
        return image.isNull() ? QColor() : image.pixelColor(0, 0);
    }
    QPoint at(double x, double y) const { return g->plotAreaPoint(x, y); }
    void zoom()
    {
        m->CWSlide7->setPosition(1);
        test::drag(g->plotArea(), at(600, -100), at(800, 100));
    }
    void pan()
    {
        m->CWSlide7->setPosition(2);
        test::drag(g->plotArea(), at(700, 0), at(760, 0));
    }
    void expectWindow(double minimum, double maximum)
    {
        EXPECT_DOUBLE_EQ(g->axisMinimum(CwGraph::XAxis), minimum);
        EXPECT_DOUBLE_EQ(g->axisMaximum(CwGraph::XAxis), maximum);
    }
    bool sliderShown() const { return m->CWSlide6->pointerVisible(1) && m->CWSlide6->isEnabled(); }

    Main* m = nullptr;
    CwGraph* g = nullptr;
};

TEST_F(TraceViewTest, SliderMovesTheWindow)
{
    m->CWSlide6->setPointerValue(1, 40);
    expectWindow(-210, 290);
    EXPECT_EQ(m->state.XAxisMin.toNumber(), -210);
    EXPECT_EQ(m->state.XAxisMax.toNumber(), 290);
    m->CWSlide6->setPointerValue(1, 1460);
    expectWindow(1210, 1710);
    EXPECT_EQ(m->state.XAxisMin.toNumber(), 1210);

    // A move of the trigger marker re-applies the window from pointer 1.
    g->setAxisMinMax(CwGraph::XAxis, 0, 100);
    m->CWSlide6->setPointerValue(2, 300);
    expectWindow(1210, 1710);
}

TEST_F(TraceViewTest, AutoscaleOnLeavesTheGraphToItself)
{
    QVector<double> trace(1500, 0.0);
    g->setPlotVisible(QStringLiteral("PCH1"), true);
    g->plotY(QStringLiteral("PCH1"), trace);
    m->LED1->setValue(true);
    m->Autoscale->setValue(true);
    expectWindow(0, 1499);
    EXPECT_EQ(m->PeriodVAL->text(), QStringLiteral("Autoscale"));
    EXPECT_FALSE(m->CWSlide6->isEnabled());
    EXPECT_FALSE(m->CWSlide6->pointerVisible(1));
    EXPECT_FALSE(m->CWKnob1->isEnabled());
    EXPECT_EQ(m->CWSlide7->position(), 3);
    EXPECT_EQ(picture(), QColor(Qt::darkBlue));

    m->CWSlide6->setPointerValue(1, 900);
    expectWindow(0, 1499);
    EXPECT_EQ(m->state.XAxisMin.toNumber(), 500);
    EXPECT_EQ(m->state.XAxisMax.toNumber(), 1000);

    m->state.VdivIndexCH1 = 4;
    m->Autoscale->setValue(false);
    expectWindow(500, 1000);
    EXPECT_EQ(m->CWSlide6->pointerValue(1), 750);
    EXPECT_TRUE(sliderShown());
    EXPECT_EQ(m->PeriodVAL->text(), QStringLiteral("1V"));
    EXPECT_EQ(picture(), QColor(Qt::darkGray));
}

TEST_F(TraceViewTest, AZoomEndsInCursorMode)
{
    g->setPlotVisible(QStringLiteral("PCH1"), true);
    m->CWSlide7->setPosition(1);
    EXPECT_EQ(g->trackMode(), CwGraph::TrackZoom);
    EXPECT_EQ(m->state.MouseAction, "Zoom");
    zoom();
    EXPECT_TRUE(m->state.IsZoomed);
    EXPECT_EQ(m->CWSlide7->position(), 3);
    EXPECT_EQ(m->state.MouseAction, "Cursor");
    EXPECT_NEAR(g->axisMinimum(CwGraph::XAxis), 600, 5);
    EXPECT_NEAR(g->axisMaximum(CwGraph::XAxis), 800, 5);
    EXPECT_TRUE(m->ZoomOut->isEnabled());
    EXPECT_EQ(m->PeriodVAL->text(), QStringLiteral("Zoomed"));
    EXPECT_NE(m->PeriodVAL2->text(), QStringLiteral("Zoomed")); // PCH2 not shown
    EXPECT_EQ(picture(), QColor(Qt::darkGreen));
    EXPECT_FALSE(sliderShown());

    // A left press in cursor mode keeps the slider away until a reset.
    QTest::mouseClick(g->plotArea(), Qt::LeftButton, Qt::NoModifier, at(700, 0));
    EXPECT_FALSE(sliderShown());
}

TEST_F(TraceViewTest, AClickWithoutDragInZoomModeCountsAsAZoom)
{
    m->CWSlide7->setPosition(1);
    QTest::mouseClick(g->plotArea(), Qt::LeftButton, Qt::NoModifier, at(700, 0));
    EXPECT_TRUE(m->state.IsZoomed);
    EXPECT_EQ(picture(), QColor(Qt::darkGreen));
}

TEST_F(TraceViewTest, APanStaysInPanMode)
{
    pan();
    EXPECT_TRUE(m->state.IsPanned);
    EXPECT_EQ(m->CWSlide7->position(), 2);
    EXPECT_EQ(m->state.MouseAction, "pan");
    EXPECT_NEAR(g->axisMinimum(CwGraph::XAxis), 440, 5);
    EXPECT_FALSE(sliderShown());
    m->CWSlide7->setPosition(3);
    EXPECT_FALSE(sliderShown());
}

TEST_F(TraceViewTest, TheThreeResets)
{
    const struct
    {
        QAction* Main::*item; // null: the ZoomOut button
        bool keepsZoomed;
        bool zoomOutEnabled;
        int mouseAction;
        QColor picture;
    } cases[] = {
        {nullptr, false, true, 3, QColor(Qt::darkGray)},
        {&Main::mnuZoomout, false, false, 2, QColor(Qt::darkGray)},
        {&Main::mnuReset, true, true, 3, QColor(Qt::darkGreen)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item ? (m->*c.item)->text().toStdString() : "ZoomOut");
        zoom();
        pan();
        m->CWSlide6->setPointerValue(1, 300);
        m->state.VdivIndex = 4;
        m->state.VdivIndexCH1 = 2;
        m->state.VdivIndexCH2 = 6;
        g->setAxisMinMax(CwGraph::YAxis, -20, 20);
        if (c.item)
            (m->*c.item)->trigger();
        else
            QTest::mouseClick(m->ZoomOut, Qt::LeftButton);
        EXPECT_EQ(m->state.IsZoomed, c.keepsZoomed);
        EXPECT_FALSE(m->state.IsPanned);
        EXPECT_EQ(m->ZoomOut->isEnabled(), c.zoomOutEnabled);
        EXPECT_EQ(m->CWSlide7->position(), c.mouseAction);
        EXPECT_EQ(picture(), c.picture);
        expectWindow(500, 1000);
        EXPECT_DOUBLE_EQ(g->axisMinimum(CwGraph::YAxis), -200);
        EXPECT_DOUBLE_EQ(g->axisMaximum(CwGraph::YAxis), 200);
        EXPECT_EQ(m->CWSlide6->pointerValue(1), 750);
        EXPECT_EQ(m->state.XAxisMin.toNumber(), 500);
        EXPECT_TRUE(sliderShown());
        EXPECT_TRUE(m->CWKnob1->isEnabled());
        EXPECT_FALSE(m->Autoscale->value());
        EXPECT_FLOAT_EQ(m->state.VoltsPerCount, 0.7843f);
        EXPECT_EQ(m->PeriodVAL->text(), QStringLiteral("200mV"));
        EXPECT_EQ(m->PeriodVAL2->text(), QStringLiteral("5V"));
        m->state.IsZoomed = false;
    }
}

TEST_F(TraceViewTest, ResetPlotKeepsTheZoomSoTheNextPressHidesTheSlider)
{
    zoom();
    m->mnuReset->trigger();
    EXPECT_TRUE(m->state.IsZoomed);
    EXPECT_TRUE(sliderShown());
    QTest::mousePress(g->plotArea(), Qt::LeftButton, Qt::NoModifier, at(750, 0));
    EXPECT_FALSE(sliderShown());
    QTest::mouseRelease(g->plotArea(), Qt::LeftButton, Qt::NoModifier, at(750, 0));
}

TEST_F(TraceViewTest, RightPressOpensThePopupAtTheMouse)
{
    const QPoint press = at(800, 50);
    QTest::mousePress(g->plotArea(), Qt::RightButton, Qt::NoModifier, press);
    ASSERT_TRUE(m->mnuPopup->isVisible());
    EXPECT_EQ(m->mnuPopup->pos(), g->plotArea()->mapToGlobal(press));
    for (QAction* hidden :
         {m->mnuPopupBoth, m->mnuPopupA, m->mnuPopupB, m->mnuPOPCursorA, m->mnuPOPCursorB})
        EXPECT_FALSE(hidden->isVisible());
    EXPECT_FALSE(m->state.IsZoomed);
    m->mnuPopup->hide();
    QTest::mouseRelease(g->plotArea(), Qt::RightButton, Qt::NoModifier, press);

    m->mnuZoom->trigger();
    EXPECT_EQ(m->CWSlide7->position(), 1);
    m->mnuPan->trigger();
    EXPECT_EQ(m->CWSlide7->position(), 2);
    EXPECT_EQ(g->trackMode(), CwGraph::TrackPan);
    Q_EMIT m->mnuPOPCursor->aboutToShow();
    EXPECT_EQ(m->CWSlide7->position(), 3);
}

TEST_F(TraceViewTest, PointerFollowsTheMouseAction)
{
    const auto moveOverPlot = [&] {
        QWidget* area = g->plotArea();
        QMouseEvent move(QEvent::MouseMove, at(700, 0), area->mapToGlobal(at(700, 0)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
    };
    m->CWSlide7->setPosition(2);
    moveOverPlot();
    EXPECT_EQ(m->cursor().shape(), Qt::OpenHandCursor);
    m->CWSlide7->setPosition(1);
    moveOverPlot();
    EXPECT_EQ(m->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(g->plotArea()->cursor().shape(), Qt::BitmapCursor);
    m->CWSlide7->setPosition(3);
    moveOverPlot();
    EXPECT_EQ(m->cursor().shape(), Qt::CrossCursor);
    Q_EMIT m->CWSlide6->mouseMove();
    EXPECT_EQ(m->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(g->plotArea()->cursor().shape(), Qt::CrossCursor); // the plot keeps the last one
}

TEST_F(TraceViewTest, MissingPictureStillChangesTheView)
{
    QFile::remove(path(QStringLiteral("Graphics/PlotArea/Zoomed.bmp")));
    zoom();
    EXPECT_TRUE(m->state.IsZoomed);
    EXPECT_FALSE(picture().isValid()); // plain plot area, not the last picture
    EXPECT_EQ(m->traceView->plotAreaPicture(), QStringLiteral("Zoomed.bmp"));
}

// A zoomed sine with paired cursors and their read-outs, for a look by eye.
TEST_F(TraceViewTest, ScreenshotOfZoomedTraceWithPairedCursors)
{
    QVector<double> sine(1500);
    for (int i = 0; i < 1500; ++i)
        sine[i] = -100 * std::sin(2 * M_PI * i / 250.0);
    m->global.ActiveChannel = 1;
    m->state.VdivIndexCH1 = 3;
    m->state.VdivIndex = 3;
    m->CWSlide4->setPointerValue(1, 0);
    g->setPlotVisible(QStringLiteral("PCH1"), true);
    g->plotY(QStringLiteral("PCH1"), sine);
    m->GraphMode->setPosition(3);
    zoom();
    g->moveCursor(QStringLiteral("A"), 657, -60);
    g->moveCursor(QStringLiteral("B"), 719, 50);
    m->cursors->Cursor();
    EXPECT_TRUE(m->state.IsZoomed);
    EXPECT_EQ(m->lblXpos->text(), QStringLiteral("-93.0uS"));
    EXPECT_EQ(m->lblYPos->text(), QStringLiteral("590mV"));
    EXPECT_EQ(m->lblYDelta->text(), QStringLiteral("1.082V"));
    EXPECT_EQ(m->lblXDelta->text(), QStringLiteral("62.00uS"));

    m->Options->setVisible(false); // the first run opens the Options panel over the plot
    m->resize(m->sizeHint().expandedTo(QSize(1000, 620)));
    m->show();
    QTest::qWait(50);
    const QString dir = QDir(test::binaryDir()).filePath(QStringLiteral("screenshots"));
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(QStringLiteral("cursors.png"));
    ASSERT_TRUE(m->grab().save(file));
    m->hide();
}

} // namespace
} // namespace kv
