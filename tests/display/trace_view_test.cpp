#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/mouse_helpers.h"
#include "display/cursors.h"
#include "display/trace_view.h"
#include "files/settings_file.h"
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
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

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

// ---- What a drag in the plot area does, after start-up and after settings are loaded ----------

enum class Reload
{
    None,
    SettingsButton, // Load Settings on the Options panel
    FileMenu,       // File, Load Settings
    Defaults,       // File, Load Default Settings
};

struct DragCase
{
    const char* name;
    int chosen; // mouse-action position clicked before the reload; 0: as start-up left it
    Reload reload;
    int shown; // the position the slide shows at the drag
};

void PrintTo(const DragCase& c, std::ostream* os)
{
    *os << c.name;
}

class DragDoesWhatTheSlideShows : public TraceViewTest,
                                  public ::testing::WithParamInterface<DragCase>
{
  protected:
    // A file with floating cursors, loaded while they snap: the switch to floating sets the
    // cursor style up again, as the default settings do.
    void writeFloatingCursorsFile()
    {
        m->state.FilePath = path(QStringLiteral("floating.set")).toStdString();
        ASSERT_EQ(m->CWSlide2->position(), 2);
        ASSERT_TRUE(m->settingsFile->SaveSettingsFile());
    }
    void reload(Reload how)
    {
        switch (how) {
        case Reload::None:
            break;
        case Reload::SettingsButton:
            dialogs().answerOpen(path(QStringLiteral("floating.set")));
            m->CWButton28->setValue(true);
            break;
        case Reload::FileMenu:
            dialogs().answerOpen(path(QStringLiteral("floating.set")));
            m->mnuFLoad->trigger();
            break;
        case Reload::Defaults:
            dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
            m->mnuFDefault->trigger();
            break;
        }
    }
    // A plain move over the plot, as the mouse makes on its way to a drag.
    Qt::CursorShape pointerOverPlot()
    {
        QWidget* area = g->plotArea();
        QMouseEvent move(QEvent::MouseMove, at(700, 0), area->mapToGlobal(at(700, 0)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
        return m->cursor().shape();
    }
};

TEST_P(DragDoesWhatTheSlideShows, FromTheFirstMomentAndAfterEveryLoad)
{
    const DragCase c = GetParam();
    writeFloatingCursorsFile();
    // Start-up shows no cursor ("OFF"): the user picks a style that shows them first.
    QTest::mouseClick(m->GraphMode, Qt::LeftButton, Qt::NoModifier,
                      m->GraphMode->positionPoint(3).toPoint());
    ASSERT_EQ(m->GraphMode->position(), 3);
    if (c.reload != Reload::None)
        m->CWSlide2->setPosition(1);
    if (c.chosen != 0) // a click on the slide's label, as the user chooses
        QTest::mouseClick(m->CWSlide7, Qt::LeftButton, Qt::NoModifier,
                          m->CWSlide7->positionPoint(c.chosen).toPoint());
    reload(c.reload);
    ASSERT_EQ(m->CWSlide7->position(), c.shown);

    const struct
    {
        int trackMode;
        Qt::CursorShape pointer;
    } expected[] = {{CwGraph::TrackZoom, Qt::BitmapCursor},
                    {CwGraph::TrackPan, Qt::OpenHandCursor},
                    {CwGraph::TrackDragCursors, Qt::CrossCursor}};
    EXPECT_EQ(g->trackMode(), expected[c.shown - 1].trackMode);
    EXPECT_EQ(pointerOverPlot(), expected[c.shown - 1].pointer);

    // Cursor A stands where the drag starts, away from B and from the trigger line "T" that a
    // load shows for a while.
    g->setCursorVisible(QStringLiteral("A"), true);
    g->moveCursor(QStringLiteral("A"), 700, -100);
    g->setAxisMinMax(CwGraph::XAxis, 500, 1000);
    g->setAxisMinMax(CwGraph::YAxis, -200, 200);
    test::drag(g->plotArea(), at(700, -100), at(800, 100));

    const bool zoomed = c.shown == 1, panned = c.shown == 2, cursorMoved = c.shown == 3;
    EXPECT_EQ(m->state.IsZoomed, zoomed);
    EXPECT_EQ(m->state.IsPanned, panned);
    EXPECT_EQ(m->PeriodVAL->text() == QStringLiteral("Zoomed"),
              zoomed && g->plotVisible(QStringLiteral("PCH1")));
    const double xMin = g->axisMinimum(CwGraph::XAxis), xMax = g->axisMaximum(CwGraph::XAxis);
    if (zoomed) {
        EXPECT_NEAR(xMin, 700, 5);
        EXPECT_NEAR(xMax, 800, 5);
    } else if (panned) {
        EXPECT_NEAR(xMin, 400, 5);
        EXPECT_NEAR(xMax, 900, 5);
    } else {
        EXPECT_DOUBLE_EQ(xMin, 500);
        EXPECT_DOUBLE_EQ(xMax, 1000);
    }
    EXPECT_EQ(g->cursorY(QStringLiteral("A")) > 50, cursorMoved); // dragged from -100 to 100
}

INSTANTIATE_TEST_SUITE_P(
    MouseActions, DragDoesWhatTheSlideShows,
    ::testing::Values(DragCase{"start-up", 0, Reload::None, 3},
                      DragCase{"zoom chosen", 1, Reload::None, 1},
                      DragCase{"pan chosen", 2, Reload::None, 2},
                      DragCase{"start-up then a load", 0, Reload::SettingsButton, 3},
                      DragCase{"zoom then a load", 1, Reload::SettingsButton, 1},
                      DragCase{"pan then a load from the menu", 2, Reload::FileMenu, 2},
                      DragCase{"zoom then a load from the menu", 1, Reload::FileMenu, 1},
                      DragCase{"cursors then a load", 3, Reload::SettingsButton, 3},
                      DragCase{"zoom then the defaults", 1, Reload::Defaults, 1},
                      DragCase{"pan then the defaults", 2, Reload::Defaults, 2}),
    [](const ::testing::TestParamInfo<DragCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

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
