// The slides beside the graph are in graph units: a pointer's tip sits on the graph row of its
// value, at every text height and work area the face is laid out for, and after the graph and
// the slides are laid out anew.
#include "support/main_fixture.h"

#include <QApplication>
#include <QTest>
#include <cmath>
#include <ostream>

namespace kv::test {
namespace {

struct Desktop
{
    const char* name;
    int textHeight;
    QRect workArea;
};

void PrintTo(const Desktop& d, std::ostream* os)
{
    *os << d.name;
}

class EdgeSlidesTest : public MainFixture, public ::testing::WithParamInterface<Desktop>
{
  protected:
    void SetUp() override
    {
        systemInfo().textHeight = GetParam().textHeight;
        systemInfo().area = GetParam().workArea;
        instrument().faults().silence = true;
        Main& m = load();
        m.Options->setVisible(false);
        m.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
        QApplication::processEvents();
    }

    // Where the graph draws a value, as a row of the face.
    double graphRow(double value)
    {
        Main& m = main();
        const QPoint inPlotArea = m.CWGraph1->plotAreaPoint(750, value);
        return m.CWGraph1->plotArea()->mapTo(m.centralWidget(), inPlotArea).y();
    }

    // Where a slide draws the tip of its pointer at a value, as a row of the face.
    double tipRow(CwSlide* slide, int pointer, double value)
    {
        slide->setPointerValue(pointer, value);
        const QPointF tip = slide->pointerPoint(pointer);
        return tip.y() + slide->mapTo(main().centralWidget(), QPoint()).y();
    }

    void expectTipsOnTheGraphRows(const char* when)
    {
        Main& m = main();
        const std::pair<CwSlide*, int> pointers[] = {
            {m.CWSlide4, 1}, {m.CWSlide4, 2}, {m.CWSlide3, 1}, {m.CWSlide3, 2}};
        for (const auto& [slide, pointer] : pointers) {
            for (double value : {-200.0, -100.0, 0.0, 100.0, 200.0}) {
                // The graph's row is rounded to a pixel; the tip is within a pixel of it.
                EXPECT_NEAR(tipRow(slide, pointer, value), graphRow(value), 1.0)
                    << when << ": " << slide->objectName().toStdString() << " pointer " << pointer
                    << " at " << value;
            }
        }
    }
};

TEST_P(EdgeSlidesTest, PointerTipsSitOnTheGraphRows)
{
    Main& m = main();
    expectTipsOnTheGraphRows("as shown");

    // The graph and the slides laid out anew, smaller: the tips follow the graph's new rows.
    for (QWidget* w : {static_cast<QWidget*>(m.CWGraph1), static_cast<QWidget*>(m.CWSlide4),
                       static_cast<QWidget*>(m.CWSlide3)})
        w->resize(w->width(), w->height() - 60);
    QApplication::processEvents();
    expectTipsOnTheGraphRows("after a resize");
}

// A pointer dragged to a row reads the graph's value of that row.
TEST_P(EdgeSlidesTest, ADragTakesTheValueOfTheGraphRowUnderIt)
{
    Main& m = main();
    CwSlide* slide = m.CWSlide4;
    slide->setPointerValue(1, -150); // out of the way: the press takes the pointer on top
    slide->setPointerValue(2, 0);
    const QPoint tip = slide->pointerPoint(2).toPoint();
    const int targetRow =
        int(std::lround(graphRow(100))) - slide->mapTo(m.centralWidget(), QPoint()).y();
    QTest::mousePress(slide, Qt::LeftButton, Qt::NoModifier, tip);
    QMouseEvent move(QEvent::MouseMove, QPoint(tip.x(), targetRow),
                     slide->mapToGlobal(QPoint(tip.x(), targetRow)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(slide, &move);
    QTest::mouseRelease(slide, Qt::LeftButton, Qt::NoModifier, QPoint(tip.x(), targetRow));
    // Within a pixel's worth of graph units.
    const double unitsPerPixel = 400.0 / (graphRow(200) - graphRow(-200));
    EXPECT_NEAR(slide->pointerValue(2), 100, 1.5 * unitsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(Desktops, EdgeSlidesTest,
                         ::testing::Values(Desktop{"dpi96", 16, {0, 0, 1920, 1200}},
                                           Desktop{"dpi120", 20, {0, 0, 1920, 1200}},
                                           Desktop{"dpi144", 24, {0, 0, 1920, 1200}},
                                           Desktop{"factor2", 16, {0, 0, 960, 600}}),
                         [](const ::testing::TestParamInfo<Desktop>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace kv::test
