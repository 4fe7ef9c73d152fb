#pragma once

#include "controls/layer.h"

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

    // While a Hold lives, no timer of this thread ticks: a tick that falls due is kept, one per
    // timer, and comes once the last hold has ended and the event loop runs again. Enabling,
    // disabling or a new interval drops a kept tick, as it starts the period again. Start-up
    // holds the ticks: a dialog or a window shown during it lets Qt process events, and no
    // timer handler may run before start-up has returned.
    class Hold
    {
      public:
        Hold();
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
    };

  Q_SIGNALS:
    void tick();

  private:
    void update();
    void onTimeout();
    void deliverKeptTick();

    QTimer timer_;
    bool enabled_ = false;
    int interval_ = 0;
    bool resting_ = false;
    bool kept_ = false; // a tick fell due while held
};

} // namespace kv
