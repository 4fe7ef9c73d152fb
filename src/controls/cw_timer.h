#pragma once

#include <QObject>
#include <QTimer>

namespace kv {

// Timer of a window: enabled and interval (ms) as the window's handlers set them, a tick signal
// while enabled. An interval of 0 keeps the timer from running even while enabled. Changing the
// interval, or enabling it again while enabled, starts its period again (a one-shot is re-armed).
// Tests read enabled() and interval() and call the tick handlers themselves (or fire()).
class CwTimer : public QObject
{
    Q_OBJECT

  public:
    explicit CwTimer(QObject* parent = nullptr);
    CwTimer(int intervalMs, bool enabled, QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    void setInterval(int intervalMs);

    // True while the underlying timer runs (enabled with a positive interval).
    bool isRunning() const { return timer_.isActive(); }

    // Emits tick() once, now, whether enabled or not.
    void fire();

    // A running timer's next tick comes `ms` from now instead of after its interval; the ticks
    // after it keep the interval. A handler that has nothing to do for a while calls this on
    // each tick, so the event loop is not woken for nothing. Enabling, disabling or a new
    // interval ends the rest; enabled() and interval() are not changed by it.
    void restFor(int ms);
    // Ends a rest: the next tick comes after the interval from now.
    void endRest();
    bool resting() const { return resting_; }

  Q_SIGNALS:
    void tick();

  private:
    void update();
    void onTimeout();

    QTimer timer_;
    bool enabled_ = false;
    int interval_ = 0;
    bool resting_ = false;
};

} // namespace kv
