// The cursors group on its own controls: a graph, the cursor page's slides and buttons, the
// read-out labels and the popup's cursor items, with the state and a dialog double; no window.
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/mouse_helpers.h"
#include "controls/picture_box.h"
#include "display/cursors.h"
#include "display/time_readout_check.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "support/service_doubles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace kv {
namespace {

using names::CursorA;
using names::CursorB;

constexpr int MouseZoom = 1;
constexpr int MouseCursors = 3;
constexpr int PairedBars = 3;

class CursorsOnTheirControls : public ::testing::Test
{
  protected:
    CursorsOnTheirControls()
    {
        face.resize(900, 480);
        buildGraph();
        buildCursorPage();
        state.HTrigPosition = 2; // trigger in the middle: time 0 at x = 750
        global.ActiveChannel = 1;
        cursors = std::make_unique<Cursors>(state, global, dialogs, controls());
    }

    void SetUp() override
    {
        face.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&face));
        GraphMode->setPosition(PairedBars);
    }

    void buildGraph()
    {
        CWGraph1->setGeometry(40, 0, 560, 400);
        CWGraph1->addPlot(names::PCH1);
        CWGraph1->addPlot(names::PCH2);
        CWGraph1->setAxisMinMax(CwGraph::XAxis, 500, 1000);
        CWGraph1->setYAxisDownward(true);
        CWGraph1->setAxisMinMax(CwGraph::YAxis, -200, 200);
        for (QLatin1String c : {CursorA, CursorB}) {
            CWGraph1->addCursor(c);
            CWGraph1->setCursorSnapMode(c, CwGraph::SnapFloating);
        }
        CWGraph1->setTrackMode(CwGraph::TrackDragCursors);
        CWSlide4->setGeometry(0, 0, 36, 400);
        CWSlide4->setAxisMinimum(-200);
        CWSlide4->setAxisMaximum(200);
        CWSlide4->setPointerName(1, names::VCH1);
        CWSlide4->addPointer(names::VCH2);
        QStringList timeDiv;
        for (const TimebaseRow& row : TimebaseTable)
            timeDiv << QString::fromLatin1(row.label);
        CWKnob2->setPositions(timeDiv);
        CWKnob2->setPosition(1); // 50 us/div: 1 us a point
    }

    void buildCursorPage()
    {
        GraphMode->setPositions({"Horizontal Bars", "Vertical Bars", "Paired Bars", "OFF"});
        CWSlide2->setPositions({" Snap to Plot", "Floating"});
        CWSlide2->setPosition(2);
        CWSlide7->setPositions({" Zoom", "Pan", "Cursors"});
        CWSlide7->setPosition(MouseCursors);
        btnAPOS->setGeometry(620, 0, 100, 26);
        btnBPOS->setGeometry(730, 0, 100, 26);
        for (CwButton* b : {CWButton5, CWButton6})
            b->setCommand(true);
        for (QAction** item : {&mnuPOPCHorizontal, &mnuPOPCVertical, &mnuPOPCPaired, &mnuPOPCoff,
                               &mnuPOPCSnap, &mnuPOPCFloat})
            *item = mnuPOPCursor->addAction(QStringLiteral("item"));
    }

    Cursors::Controls controls()
    {
        return {.CWGraph1 = CWGraph1,
                .GraphMode = GraphMode,
                .CWSlide2 = CWSlide2,
                .CWSlide7 = CWSlide7,
                .CWSlide4 = CWSlide4,
                .CWKnob2 = CWKnob2,
                .CWKnob1 = CWKnob1,
                .btnAPOS = btnAPOS,
                .btnBPOS = btnBPOS,
                .CWButton5 = CWButton5,
                .CWButton6 = CWButton6,
                .CWButton24 = CWButton24,
                .CWButton23 = CWButton23,
                .lblXpos = lblXpos,
                .lblYPos = lblYPos,
                .lblXPos2 = lblXPos2,
                .lblYpos2 = lblYpos2,
                .lblXDelta = lblXDelta,
                .lblYDelta = lblYDelta,
                .lblFRQMain = lblFRQMain,
                .ImgINF = ImgINF,
                .mnuPOPCursor = mnuPOPCursor,
                .mnuPOPCHorizontal = mnuPOPCHorizontal,
                .mnuPOPCVertical = mnuPOPCVertical,
                .mnuPOPCPaired = mnuPOPCPaired,
                .mnuPOPCoff = mnuPOPCoff,
                .mnuPOPCSnap = mnuPOPCSnap,
                .mnuPOPCFloat = mnuPOPCFloat};
    }

    QWidget* area() const { return CWGraph1->plotArea(); }
    QPoint at(double x, double y) const { return CWGraph1->plotAreaPoint(x, y); }

    ScopeState state;
    GlobalV global;
    test::ScriptedDialogs dialogs;
    QWidget face;
    CwGraph* CWGraph1 = new CwGraph(&face);
    CwSlide* CWSlide4 = new CwSlide(Qt::Vertical, &face);
    CwKnob* CWKnob2 = new CwKnob(&face);
    CwKnob* CWKnob1 = new CwKnob(&face);
    CwSlide* GraphMode = new CwSlide(Qt::Vertical, &face);
    CwSlide* CWSlide2 = new CwSlide(Qt::Vertical, &face);
    CwSlide* CWSlide7 = new CwSlide(Qt::Vertical, &face);
    CwButton* btnAPOS = new CwButton(CwButton::Style::PushButton, &face);
    CwButton* btnBPOS = new CwButton(CwButton::Style::PushButton, &face);
    CwButton* CWButton5 = new CwButton(CwButton::Style::PushButton, &face);
    CwButton* CWButton6 = new CwButton(CwButton::Style::PushButton, &face);
    CwButton* CWButton24 = new CwButton(&face);
    CwButton* CWButton23 = new CwButton(&face);
    QLabel* lblXpos = new QLabel(&face);
    QLabel* lblYPos = new QLabel(&face);
    QLabel* lblXPos2 = new QLabel(&face);
    QLabel* lblYpos2 = new QLabel(&face);
    QLabel* lblXDelta = new QLabel(&face);
    QLabel* lblYDelta = new QLabel(&face);
    QLabel* lblFRQMain = new QLabel(&face);
    PictureBox* ImgINF = new PictureBox(&face);
    QMenu* mnuPOPCursor = new QMenu(&face);
    QAction* mnuPOPCHorizontal = nullptr;
    QAction* mnuPOPCVertical = nullptr;
    QAction* mnuPOPCPaired = nullptr;
    QAction* mnuPOPCoff = nullptr;
    QAction* mnuPOPCSnap = nullptr;
    QAction* mnuPOPCFloat = nullptr;
    // Declared last: the group goes before the controls it works.
    std::unique_ptr<Cursors> cursors;
};

TEST_F(CursorsOnTheirControls, PlaceButtonThenAClickMovesThatCursorThere)
{
    CWGraph1->moveCursor(CursorA, 700, 0);
    CWGraph1->moveCursor(CursorB, 900, 0);
    QTest::mouseClick(btnAPOS, Qt::LeftButton);
    ASSERT_TRUE(btnAPOS->value());
    EXPECT_EQ(CWGraph1->trackMode(), CwGraph::TrackNothing); // the click places, not drags

    const QPoint click = at(650, -40);
    const QPointF expected = CWGraph1->axisPoint(click);
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, click);
    EXPECT_DOUBLE_EQ(CWGraph1->cursorX(CursorA), expected.x());
    EXPECT_DOUBLE_EQ(CWGraph1->cursorY(CursorA), expected.y());
    EXPECT_DOUBLE_EQ(CWGraph1->cursorX(CursorB), 900);
    test::expectMicroseconds(lblXpos->text(), expected.x() - 750);
    test::expectMicroseconds(lblXDelta->text(), 900 - expected.x());
    EXPECT_FALSE(btnAPOS->value());
    EXPECT_EQ(CWGraph1->trackMode(), CwGraph::TrackDragCursors);
}

TEST_F(CursorsOnTheirControls, DraggedCursorReadsItsTimeAtEveryMove)
{
    CWGraph1->moveCursor(CursorA, 700, 0);
    CWGraph1->moveCursor(CursorB, 900, 0);
    QTest::mousePress(area(), Qt::LeftButton, Qt::NoModifier, at(700, 0));
    for (double x : {720.0, 760.0, 800.0}) {
        test::dragTo(area(), at(x, -50));
        const double ax = CWGraph1->cursorX(CursorA);
        EXPECT_NEAR(ax, x, 5);
        test::expectMicroseconds(lblXpos->text(), ax - 750);
    }
    QTest::mouseRelease(area(), Qt::LeftButton, Qt::NoModifier, at(800, -50));
    EXPECT_DOUBLE_EQ(CWGraph1->cursorX(CursorB), 900); // only the grabbed cursor moved
}

TEST_F(CursorsOnTheirControls, VoltagesAreReadFromTheChannelsZeroLine)
{
    state.VdivIndex = 6; // 5 V/div
    state.VdivIndexCH1 = 6;
    CWSlide4->setPointerValue(names::PointerVCH1, 20);
    CWGraph1->moveCursor(CursorA, 800, 20 - 100); // 100 units above the zero line
    CWGraph1->moveCursor(CursorB, 800, 20);
    // A right press reads the cursors out and moves none of them.
    QTest::mousePress(area(), Qt::RightButton, Qt::NoModifier, at(900, -60));
    EXPECT_EQ(lblYPos->text(), QStringLiteral("9.840V"));
    EXPECT_EQ(lblYpos2->text(), QStringLiteral("0.000V"));
    EXPECT_EQ(lblYDelta->text(), QStringLiteral("9.840V"));
    EXPECT_DOUBLE_EQ(CWGraph1->cursorY(CursorA), -80);
}

TEST_F(CursorsOnTheirControls, PressInZoomModeLeavesTheZoomInPlace)
{
    // What the trace view does when the mouse action turns to zoom.
    CWGraph1->setTrackMode(CwGraph::TrackZoom);
    CWSlide2->setEnabled(false);
    CWSlide7->setPosition(MouseZoom);
    QTest::mousePress(area(), Qt::LeftButton, Qt::NoModifier, at(750, 0));
    EXPECT_EQ(CWGraph1->trackMode(), CwGraph::TrackZoom);
    EXPECT_FALSE(CWSlide2->isEnabled()); // the cursor style is not set up again
    QTest::mouseRelease(area(), Qt::LeftButton, Qt::NoModifier, at(760, 10));
}

} // namespace
} // namespace kv
