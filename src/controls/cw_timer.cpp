#include "controls/cw_timer.h"

#include <QPointer>
#include <utility>
#include <vector>

namespace kv {

namespace {

// The holds of this thread and the timers whose ticks they keep.
thread_local int holdDepth = 0;
thread_local std::vector<QPointer<CwTimer>> keptTicks;

} // namespace

CwTimer::Hold::Hold()
{
    ++holdDepth;
}

CwTimer::Hold::~Hold()
{
    if (--holdDepth > 0)
        return;
    // Queued: the kept ticks come from the event loop, after whatever ends the hold returns.
    for (const QPointer<CwTimer>& timer : std::exchange(keptTicks, {}))
        if (timer)
            QMetaObject::invokeMethod(
                timer.data(), [t = timer.data()] { t->deliverKeptTick(); }, Qt::QueuedConnection);
}

CwTimer::CwTimer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &CwTimer::onTimeout);
}

CwTimer::CwTimer(int intervalMs, bool enabled, QObject* parent) : CwTimer(parent)
{
    interval_ = intervalMs;
    enabled_ = enabled;
    update();
}

void CwTimer::setEnabled(bool enabled)
{
    // Enabling an enabled timer starts its period again, so a one-shot is re-armed.
    enabled_ = enabled;
    update();
}

void CwTimer::setInterval(int intervalMs)
{
    interval_ = intervalMs;
    update();
}

void CwTimer::fire()
{
    Q_EMIT tick();
}

void CwTimer::restFor(int ms)
{
    if (!timer_.isActive() || ms <= interval_)
        return;
    resting_ = true;
    timer_.start(ms);
}

void CwTimer::endRest()
{
    if (!resting_)
        return;
    resting_ = false;
    timer_.start(interval_);
}

void CwTimer::onTimeout()
{
    endRest(); // a rest delays one tick only
    if (holdDepth > 0) {
        if (!kept_)
            keptTicks.emplace_back(this);
        kept_ = true;
        return;
    }
    kept_ = false; // the kept tick is this one
    Q_EMIT tick();
}

void CwTimer::deliverKeptTick()
{
    if (!kept_)
        return;
    if (holdDepth > 0) { // held again before the event loop came to it
        keptTicks.emplace_back(this);
        return;
    }
    kept_ = false;
    Q_EMIT tick();
}

void CwTimer::update()
{
    resting_ = false;
    kept_ = false;
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}

} // namespace kv
