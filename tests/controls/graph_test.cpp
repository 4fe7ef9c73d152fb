#include "controls/cw_graph.h"
#include "mouse_helpers.h"

#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

namespace kv {
namespace {

class GraphTest : public ::testing::Test
{
  protected:
    GraphTest()
    {
        graph.resize(640, 480);
        graph.addPlot("PCH1", 0xFF0000);
        graph.addPlot("PCH2", 0x0000FF);
        graph.setAxisMinMax(CwGraph::XAxis, 500, 1000);
        graph.setAxisMinMax(CwGraph::YAxis, -200, 200);
        graph.setYAxisDownward(true);
        QVector<double> ramp(1500);
        for (int i = 0; i < ramp.size(); ++i)
            ramp[i] = i / 10.0 - 75.0; // -75 .. 74.9
        graph.plotY("PCH1", ramp);
        graph.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&graph));
    }

    QWidget* area() const { return graph.plotArea(); }
    QPoint at(double x, double y) const { return graph.plotAreaPoint(x, y); }

    CwGraph graph;
};

TEST_F(GraphTest, PlotsByNameWithTheirProperties)
{
    EXPECT_EQ(graph.plotName(1), "PCH1");
    EXPECT_EQ(graph.plotName(3), "");
    EXPECT_EQ(graph.plotColor("PCH2"), 0x0000FF);
    graph.setPlotLineWidth("PCH1", 2);
    EXPECT_EQ(graph.plotLineWidth("PCH1"), 2);
    graph.setPlotVisible("PCH2", false);
    EXPECT_FALSE(graph.plotVisible("PCH2"));
    EXPECT_EQ(graph.plotYData("PCH1").size(), 1500);
    // Unknown names are harmless.
    graph.setPlotColor("PREF1", 1);
    graph.plotY("PREF1", {1, 2});
    EXPECT_EQ(graph.plotColor("PREF1"), 0);
}

TEST_F(GraphTest, AxisLimitsAreKeptInTheOrderSet)
{
    // Moving the view far left: the maximum first, briefly below the minimum.
    graph.setAxisMaximum(CwGraph::XAxis, 290);
    EXPECT_DOUBLE_EQ(graph.axisMaximum(CwGraph::XAxis), 290);
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::XAxis), 500);
    graph.setAxisMinimum(CwGraph::XAxis, -210);
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::XAxis), -210);
    EXPECT_EQ(CwGraph::axisIndex("XAxis"), CwGraph::XAxis);
    EXPECT_EQ(CwGraph::axisIndex("YAxis-1"), CwGraph::YAxis);
}

TEST_F(GraphTest, AutoscaleOnceFitsTheVisibleData)
{
    graph.plotY("PCH2", {5, 6, 7}, 100.0, 0.5);
    graph.autoScaleOnce(CwGraph::XAxis);
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::XAxis), 0);
    EXPECT_DOUBLE_EQ(graph.axisMaximum(CwGraph::XAxis), 1499);
    graph.setPlotVisible("PCH1", false);
    graph.autoScaleOnce(CwGraph::XAxis);
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::XAxis), 100);
    EXPECT_DOUBLE_EQ(graph.axisMaximum(CwGraph::XAxis), 101);
    // Autoscale once does not keep fitting.
    graph.plotY("PCH2", {5, 6, 7, 8, 9}, 100.0, 0.5);
    EXPECT_DOUBLE_EQ(graph.axisMaximum(CwGraph::XAxis), 101);
}

TEST_F(GraphTest, AutomaticScalingKeepsFitting)
{
    graph.setAxisAutoScale(CwGraph::YAxis, true);
    EXPECT_NEAR(graph.axisMinimum(CwGraph::YAxis), -75, 1e-9);
    graph.plotY("PCH1", {3, 9, -4});
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::YAxis), -4);
    EXPECT_DOUBLE_EQ(graph.axisMaximum(CwGraph::YAxis), 9);
}

TEST_F(GraphTest, YAxisDownwardPutsTheMinimumAtTheTop)
{
    EXPECT_LT(at(750, -200).y(), at(750, 200).y());
    graph.setYAxisDownward(false);
    EXPECT_GT(at(750, -200).y(), at(750, 200).y());
}

TEST_F(GraphTest, CursorsAddMoveAndRemove)
{
    graph.addCursor("A", 0x0000FF);
    graph.addCursor("B", 0xFF0000);
    EXPECT_EQ(graph.addCursor("A"), 1); // an existing name is not added twice
    graph.moveCursor("A", 600, 20);
    EXPECT_DOUBLE_EQ(graph.cursorX("A"), 600);
    EXPECT_DOUBLE_EQ(graph.cursorY("A"), 20);
    graph.setCursorCrosshairStyle("A", CwGraph::CrosshairHorizontal);
    EXPECT_EQ(graph.cursorCrosshairStyle("A"), 6);
    graph.removeCursor("A");
    EXPECT_FALSE(graph.hasCursor("A"));
    EXPECT_EQ(graph.cursorNames(), QStringList{"B"});
    graph.setCursorX("A", 1); // a removed cursor is ignored
    EXPECT_DOUBLE_EQ(graph.cursorX("A"), 0);
}

TEST_F(GraphTest, SnappedCursorSitsOnItsPlotAndFollowsNewData)
{
    graph.addCursor("A");
    graph.setCursorPlot("A", "PCH1");
    graph.setCursorSnapMode("A", CwGraph::SnapToPlot);
    graph.moveCursor("A", 800.4, 0);
    EXPECT_DOUBLE_EQ(graph.cursorX("A"), 800);
    EXPECT_DOUBLE_EQ(graph.cursorY("A"), 5.0);
    graph.plotY("PCH1", QVector<double>(1500, 42.0));
    EXPECT_DOUBLE_EQ(graph.cursorY("A"), 42.0);
    graph.setCursorSnapMode("A", CwGraph::SnapFloating);
    graph.moveCursor("A", 700.5, -3);
    EXPECT_DOUBLE_EQ(graph.cursorX("A"), 700.5);
    EXPECT_DOUBLE_EQ(graph.cursorY("A"), -3);
}

TEST_F(GraphTest, DraggingACursorRaisesCursorChangeWithItsNewPosition)
{
    graph.addCursor("A");
    graph.setCursorCrosshairStyle("A", CwGraph::CrosshairVertical);
    graph.moveCursor("A", 600, 0);
    graph.setTrackMode(CwGraph::TrackDragCursors);
    QSignalSpy changes(&graph, &CwGraph::cursorChange);
    test::drag(area(), at(600, 50), at(900, 50));
    ASSERT_GE(changes.count(), 1);
    const QList<QVariant> last = changes.last();
    EXPECT_EQ(last.at(0).toString(), "A");
    EXPECT_NEAR(last.at(1).toDouble(), 900, 2);
    EXPECT_NEAR(graph.cursorX("A"), 900, 2);
    EXPECT_DOUBLE_EQ(last.at(1).toDouble(), graph.cursorX("A"));
}

TEST_F(GraphTest, CursorsStayPutInOtherTrackModes)
{
    graph.addCursor("A");
    graph.moveCursor("A", 600, 0);
    graph.setTrackMode(CwGraph::TrackNothing);
    QSignalSpy changes(&graph, &CwGraph::cursorChange);
    test::drag(area(), at(600, 0), at(900, 50));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_DOUBLE_EQ(graph.cursorX("A"), 600);
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::XAxis), 500);
}

TEST_F(GraphTest, ZoomSetsTheAxesBeforeMouseUp)
{
    graph.setTrackMode(CwGraph::TrackZoom);
    double xMinAtRelease = 0;
    QObject::connect(&graph, &CwGraph::mouseUp, [&](int, int, double, double) {
        xMinAtRelease = graph.axisMinimum(CwGraph::XAxis);
    });
    test::drag(area(), at(600, -100), at(800, 100));
    EXPECT_NEAR(graph.axisMinimum(CwGraph::XAxis), 600, 2);
    EXPECT_NEAR(graph.axisMaximum(CwGraph::XAxis), 800, 2);
    EXPECT_NEAR(graph.axisMinimum(CwGraph::YAxis), -100, 2);
    EXPECT_NEAR(graph.axisMaximum(CwGraph::YAxis), 100, 2);
    EXPECT_DOUBLE_EQ(xMinAtRelease, graph.axisMinimum(CwGraph::XAxis));
}

TEST_F(GraphTest, ZoomClickWithoutDragKeepsTheAxesButReportsTheRelease)
{
    graph.setTrackMode(CwGraph::TrackZoom);
    QSignalSpy ups(&graph, &CwGraph::mouseUp);
    QTest::mouseClick(area(), Qt::LeftButton, Qt::NoModifier, at(700, 0));
    EXPECT_EQ(ups.count(), 1);
    EXPECT_DOUBLE_EQ(graph.axisMinimum(CwGraph::XAxis), 500);
    EXPECT_DOUBLE_EQ(graph.axisMaximum(CwGraph::XAxis), 1000);
}

TEST_F(GraphTest, PanMovesTheAxesWithTheDrag)
{
    graph.setTrackMode(CwGraph::TrackPan);
    test::drag(area(), at(800, 0), at(700, 50));
    // Content follows the mouse: dragging left by 100 shows 100 further right.
    EXPECT_NEAR(graph.axisMinimum(CwGraph::XAxis), 600, 2);
    EXPECT_NEAR(graph.axisMaximum(CwGraph::XAxis), 1100, 2);
    EXPECT_NEAR(graph.axisMinimum(CwGraph::YAxis), -250, 2);
    EXPECT_NEAR(graph.axisMaximum(CwGraph::YAxis), 150, 2);
}

TEST_F(GraphTest, PressReportsAxisCoordinatesAndButton)
{
    QSignalSpy downs(&graph, &CwGraph::mouseDown);
    QSignalSpy areaDowns(&graph, &CwGraph::plotAreaMouseDown);
    QTest::mousePress(area(), Qt::RightButton, Qt::ShiftModifier, at(750, 100));
    QTest::mouseRelease(area(), Qt::RightButton, Qt::ShiftModifier, at(750, 100));
    ASSERT_EQ(downs.count(), 1);
    ASSERT_EQ(areaDowns.count(), 1);
    const QList<QVariant> args = areaDowns.first();
    EXPECT_EQ(args.at(0).toInt(), 2);
    EXPECT_EQ(args.at(1).toInt(), 1);
    EXPECT_NEAR(args.at(2).toDouble(), 750, 1);
    EXPECT_NEAR(args.at(3).toDouble(), 100, 1);
}

TEST_F(GraphTest, HoverIsReportedWithoutButtons)
{
    QSignalSpy moves(&graph, &CwGraph::mouseMove);
    QMouseEvent hover(QEvent::MouseMove, at(700, 0), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(area(), &hover);
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.first().at(0).toInt(), 0);
    EXPECT_NEAR(moves.first().at(2).toDouble(), 700, 1);
}

TEST_F(GraphTest, PictureHasTheWidgetsSize)
{
    const QImage picture = graph.picture();
    EXPECT_EQ(picture.size(), graph.size());
}

TEST_F(GraphTest, PlotAreaImageFromAMissingFileKeepsThePicture)
{
    QImage grid(20, 20, QImage::Format_RGB32);
    grid.fill(Qt::darkGreen);
    graph.setPlotAreaImage(grid);
    EXPECT_FALSE(graph.loadPlotAreaImage("/nonexistent/Grid.bmp"));
    EXPECT_EQ(graph.plotAreaImage().size(), QSize(20, 20));
}

} // namespace
} // namespace kv
