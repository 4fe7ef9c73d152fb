#include "controls/cw_timer.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(TimerTest, EnabledAndIntervalAsSet)
{
    CwTimer timer(2222, false);
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(timer.interval(), 2222);
    EXPECT_FALSE(timer.isRunning());
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isRunning());
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isRunning());
}

TEST(TimerTest, ZeroIntervalNeverRuns)
{
    CwTimer timer(0, true);
    EXPECT_TRUE(timer.enabled());
    EXPECT_FALSE(timer.isRunning());
    timer.setInterval(5);
    EXPECT_TRUE(timer.isRunning());
}

TEST(TimerTest, TicksWhileEnabled)
{
    CwTimer timer(1, true);
    QSignalSpy ticks(&timer, &CwTimer::tick);
    EXPECT_TRUE(ticks.wait(1000));
    timer.setEnabled(false);
    const int count = ticks.count();
    QTest::qWait(20);
    EXPECT_EQ(ticks.count(), count);
}

TEST(TimerTest, FireTicksOnceEvenWhenDisabled)
{
    CwTimer timer(250, false);
    QSignalSpy ticks(&timer, &CwTimer::tick);
    timer.fire();
    EXPECT_EQ(ticks.count(), 1);
}

} // namespace
} // namespace kv
