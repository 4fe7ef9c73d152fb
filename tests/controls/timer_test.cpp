#include "controls/cw_timer.h"

#include <QCoreApplication>
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

TEST(TimerTest, RestDelaysTheNextTickOnlyAndKeepsTheSettings)
{
    CwTimer timer(1, true);
    QSignalSpy ticks(&timer, &CwTimer::tick);
    timer.restFor(10'000);
    EXPECT_TRUE(timer.resting());
    EXPECT_EQ(timer.interval(), 1);
    EXPECT_TRUE(timer.enabled());
    QTest::qWait(30);
    EXPECT_EQ(ticks.count(), 0);
    timer.endRest();
    EXPECT_FALSE(timer.resting());
    EXPECT_TRUE(ticks.wait(1000));
    // Back at the interval: more ticks follow without another call.
    EXPECT_TRUE(ticks.wait(1000));
}

TEST(TimerTest, RestEndsAfterOneTick)
{
    CwTimer timer(1, true);
    QSignalSpy ticks(&timer, &CwTimer::tick);
    timer.restFor(5);
    EXPECT_TRUE(ticks.wait(1000));
    EXPECT_FALSE(timer.resting());
    EXPECT_TRUE(ticks.wait(1000));
}

TEST(TimerTest, EnablingOrANewIntervalEndsARest)
{
    CwTimer timer(1, true);
    timer.restFor(10'000);
    timer.setEnabled(true);
    EXPECT_FALSE(timer.resting());
    timer.restFor(10'000);
    timer.setInterval(2);
    EXPECT_FALSE(timer.resting());
    timer.restFor(10'000);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.resting());
    EXPECT_FALSE(timer.isRunning());
}

TEST(TimerTest, OnlyARunningTimerRestsAndOnlyLongerThanItsInterval)
{
    CwTimer stopped(1, false);
    stopped.restFor(100);
    EXPECT_FALSE(stopped.resting());
    EXPECT_FALSE(stopped.isRunning());
    CwTimer slow(250, true);
    slow.restFor(100);
    EXPECT_FALSE(slow.resting());
}

// A hold keeps the ticks that fall due, even while events are processed inside it; each timer's
// kept tick comes once, from the event loop, after the last hold has ended.
TEST(TimerTest, HeldTickComesOnceFromTheEventLoopAfterTheHold)
{
    CwTimer timer(5, true);
    QSignalSpy ticks(&timer, &CwTimer::tick);
    {
        const CwTimer::Hold hold;
        {
            const CwTimer::Hold nested;
            QTest::qWait(20);
        }
        QTest::qWait(20); // several periods, events processed
        EXPECT_EQ(ticks.count(), 0);
        timer.restFor(10'000); // no regular tick for a while; the kept one stays
    }
    EXPECT_EQ(ticks.count(), 0); // not inside the code that ended the hold
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks.count(), 1);
    QTest::qWait(30);
    EXPECT_EQ(ticks.count(), 1);
}

TEST(TimerTest, ChangingAHeldTimerDropsItsKeptTick)
{
    CwTimer interval(5, true), disabled(5, true);
    QSignalSpy intervalTicks(&interval, &CwTimer::tick), disabledTicks(&disabled, &CwTimer::tick);
    {
        const CwTimer::Hold hold;
        QTest::qWait(20);
        interval.setInterval(10'000);
        disabled.setEnabled(false);
    }
    QTest::qWait(30);
    EXPECT_EQ(intervalTicks.count(), 0);
    EXPECT_EQ(disabledTicks.count(), 0);
}

} // namespace
} // namespace kv
