// How the graph draws its traces: at most one replot per screen refresh, pictures of the
// current state at once, and traces whose drawing does not depend on their shape.
#include "controls/cw_graph.h"
#include "controls/cw_graph_trace.h"

#include <QPainter>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace kv {
namespace {

constexpr QRgb TraceColor = qRgb(255, 0, 0); // 0x0000FF as BGR

QVector<double> smoothSine()
{
    QVector<double> y(1500);
    for (int i = 0; i < y.size(); ++i)
        y[i] = 150 * std::sin(i * 2 * M_PI / 300.0);
    return y;
}

QVector<double> whiteNoise(unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> full(-200.0, 200.0);
    QVector<double> y(1500);
    for (double& value : y)
        value = full(random);
    return y;
}

class GraphDrawing : public ::testing::Test
{
  protected:
    GraphDrawing()
    {
        graph.resize(640, 480);
        graph.addPlot("PCH1", 0x0000FF);
        graph.setGridVisible(false);
        graph.setAxisMinMax(CwGraph::XAxis, 500, 1000);
        graph.setAxisMinMax(CwGraph::YAxis, -200, 200);
        graph.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&graph));
    }

    // Trace pixels of the plot area in the graph's picture.
    QImage traceMask()
    {
        const QImage picture = graph.picture();
        const QRect area(graph.plotArea()->mapTo(&graph, QPoint(0, 0)), graph.plotArea()->size());
        return picture.copy(area.adjusted(2, 2, -2, -2)).convertToFormat(QImage::Format_RGB32);
    }
    static int tracePixelsInColumn(const QImage& image, int x)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += image.pixel(x, y) == TraceColor ? 1 : 0;
        return count;
    }

    // A trace pixel at (x, y) or one of its eight neighbours.
    static bool traceNear(const QImage& image, int x, int y)
    {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QPoint p(x + dx, y + dy);
                if (image.valid(p) && image.pixel(p) == TraceColor)
                    return true;
            }
        }
        return false;
    }

    CwGraph graph;
};

TEST_F(GraphDrawing, PlotsBetweenRefreshesCostOneReplotAndPicturesShowTheLastData)
{
    int paints = 0;
    struct Counter : QObject
    {
        int* count;
        bool eventFilter(QObject*, QEvent* e) override
        {
            *count += e->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    counter.count = &paints;
    graph.plotArea()->installEventFilter(&counter);
    QTest::qWait(50);
    paints = 0;
    for (int i = 0; i < 20; ++i)
        graph.plotY("PCH1", QVector<double>(1500, i * 5.0));
    EXPECT_EQ(paints, 0); // nothing drawn while the records come in
    // A picture taken now shows the last data, drawn at once.
    const QImage now = traceMask();
    const int row = graph.plotAreaPoint(750, 95).y() - graph.plotArea()->contentsRect().top() - 2;
    ASSERT_GE(row, 0);
    int onRow = 0;
    for (int x = 0; x < now.width(); ++x)
        onRow += now.pixel(x, row) == TraceColor ? 1 : 0;
    EXPECT_GT(onRow, now.width() / 2);
    // And a window grab shows the data set since, with no replot in between.
    graph.plotY("PCH1", QVector<double>(1500, -100.0));
    const QImage grabbed = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint pixel = graph.plotArea()->mapTo(&graph, graph.plotAreaPoint(750, -100));
    int near = 0;
    for (int dy = -1; dy <= 1; ++dy)
        near += grabbed.pixel(pixel + QPoint(0, dy)) == TraceColor ? 1 : 0;
    EXPECT_EQ(near, 1);
    paints = 0;
    QTest::qWait(100);
    EXPECT_LE(paints, 2); // one scheduled replot (and the grab's repaint of the screen)
}

TEST_F(GraphDrawing, SmoothTraceIsDrawnThroughItsPointsAsBefore)
{
    QVector<QPointF> points;
    for (int i = 0; i < 600; ++i)
        points.append(QPointF(i * 0.9, 100 + 50 * std::sin(i / 40.0)));
    TraceShape shape;
    TraceShapeFor(points, 500, shape);
    EXPECT_EQ(shape.polyline, points);
    EXPECT_TRUE(shape.columns.isEmpty());
}

TEST_F(GraphDrawing, DenseTraceHasOneJoinedRunAColumn)
{
    QVector<QPointF> points;
    for (int i = 0; i < 3000; ++i)
        points.append(QPointF(10 + i / 10.0, i % 2 ? 20.0 + i % 7 : 280.0 - i % 5));
    TraceShape shape;
    TraceShapeFor(points, 300, shape);
    ASSERT_TRUE(shape.polyline.isEmpty());
    ASSERT_EQ(shape.columns.size(), 300);
    for (int c = 0; c < shape.columns.size(); ++c) {
        const QLineF& run = shape.columns[c];
        EXPECT_EQ(run.x1(), 10 + c);
        EXPECT_EQ(run.x2(), run.x1());
        EXPECT_LE(run.y1(), 21);  // each column holds the lowest and highest points
        EXPECT_GE(run.y2(), 275); // of its ten
    }
    // Descending X (a mirrored axis) works the same way.
    std::reverse(points.begin(), points.end());
    TraceShapeFor(points, 300, shape);
    EXPECT_EQ(shape.columns.size(), 300);
}

TEST_F(GraphDrawing, WidePenSegmentsJoinAtEveryPoint)
{
    const QVector<QPointF> polyline = {{0, 0}, {1, 100}, {2, 0}, {3, 100}};
    QVector<QLineF> segments;
    PolylineSegments(polyline, segments);
    ASSERT_EQ(segments.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(segments[i].p1(), polyline[i]);
        EXPECT_EQ(segments[i].p2(), polyline[i + 1]);
    }
}

// A flat trace shows its pen width as rows.
TEST_F(GraphDrawing, FlatTraceShowsItsPenWidth)
{
    for (const int width : {1, 2, 3}) {
        SCOPED_TRACE(width);
        graph.setPlotLineWidth("PCH1", width);
        graph.plotY("PCH1", QVector<double>(1500, 33.0));
        const QImage flat = traceMask();
        EXPECT_EQ(tracePixelsInColumn(flat, flat.width() / 2), width);
    }
}

// At 2 px a trace is its 1-px trace widened, whatever its shape: every 1-px pixel covered, and
// every 2-px pixel next to a 1-px one. Smooth: the sine of a record at 1 ms/div in the
// usual view; noisy: white noise over the full height, the whole record in view (denser than
// the columns).
TEST_F(GraphDrawing, TwoPixelTraceIsTheOnePixelTraceWidened)
{
    const struct
    {
        const char* name;
        QVector<double> y;
        double xMin, xMax;
    } cases[] = {{"smooth", smoothSine(), 500, 1000}, {"noisy", whiteNoise(3), 0, 1500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        graph.setAxisMinMax(CwGraph::XAxis, c.xMin, c.xMax);
        graph.setPlotLineWidth("PCH1", 1);
        graph.plotY("PCH1", c.y);
        const QImage thin = traceMask();
        graph.setPlotLineWidth("PCH1", 2);
        const QImage wide = traceMask();
        int uncovered = 0;
        int stray = 0;
        for (int x = 0; x < thin.width(); ++x) {
            for (int y = 0; y < thin.height(); ++y) {
                uncovered += thin.pixel(x, y) == TraceColor && wide.pixel(x, y) != TraceColor;
                stray += wide.pixel(x, y) == TraceColor && !traceNear(thin, x, y);
            }
        }
        EXPECT_EQ(uncovered, 0);
        EXPECT_EQ(stray, 0);
    }
}

} // namespace
} // namespace kv
