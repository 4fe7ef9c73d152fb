#include "app/paint_throttle.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace kv {
namespace {

// A control that counts its paints.
class Counted : public QWidget
{
  public:
    using QWidget::QWidget;
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// An interval long against the machine's scheduling, so that "within the interval" holds however
// loaded the machine is.
constexpr int Interval = 200;

class PaintThrottleTest : public ::testing::Test
{
  protected:
    PaintThrottleTest() : control(&window), throttle(window, Interval)
    {
        window.resize(200, 100);
        control.resize(50, 20);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(40); // the first paints are over
        control.paints = 0;
    }
    // Changes the control as each record does, serving the event loop between, for `ms`.
    void changeFor(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            control.update();
            QCoreApplication::processEvents();
        }
    }

    QWidget window;
    Counted control;
    PaintThrottle throttle;
};

TEST_F(PaintThrottleTest, ChangesPaintAtMostOncePerInterval)
{
    changeFor(5 * Interval);
    EXPECT_GE(control.paints, 3);
    EXPECT_LE(control.paints, 5 + 1);
}

TEST_F(PaintThrottleTest, HeldPaintIsMadeAtTheEndOfTheInterval)
{
    changeFor(Interval / 4); // a paint made, and the next change held back
    const int paints = control.paints;
    control.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(control.paints, paints);
    QTest::qWait(Interval + Interval / 2);
    EXPECT_EQ(control.paints, paints + 1);
}

TEST_F(PaintThrottleTest, PaintDueSoonIsMadeAtOnceOnRequest)
{
    changeFor(Interval / 4);
    const int paints = control.paints;
    control.update();
    QCoreApplication::processEvents(); // held back
    throttle.paintIfDueWithin(Interval);
    EXPECT_EQ(control.paints, paints + 1);
    throttle.paintIfDueWithin(Interval); // nothing held: nothing to do
    EXPECT_EQ(control.paints, paints + 1);
}

} // namespace
} // namespace kv
