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

class PaintThrottleTest : public ::testing::Test
{
  protected:
    PaintThrottleTest() : control(&window), throttle(window, 16)
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
    changeFor(100);
    EXPECT_GE(control.paints, 3);
    EXPECT_LE(control.paints, 100 / 16 + 1);
}

TEST_F(PaintThrottleTest, HeldPaintIsMadeAtTheEndOfTheInterval)
{
    changeFor(20); // a paint made, and the next change held back
    const int paints = control.paints;
    control.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(control.paints, paints);
    QTest::qWait(30);
    EXPECT_EQ(control.paints, paints + 1);
}

TEST_F(PaintThrottleTest, PaintDueSoonIsMadeAtOnceOnRequest)
{
    changeFor(20);
    const int paints = control.paints;
    control.update();
    QCoreApplication::processEvents(); // held back
    throttle.paintIfDueWithin(16);
    EXPECT_EQ(control.paints, paints + 1);
    throttle.paintIfDueWithin(16); // nothing held: nothing to do
    EXPECT_EQ(control.paints, paints + 1);
}

} // namespace
} // namespace kv
