#include "controls/cw_timer.h"

namespace kv {

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
    Q_EMIT tick();
}

void CwTimer::update()
{
    resting_ = false;
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}

} // namespace kv
