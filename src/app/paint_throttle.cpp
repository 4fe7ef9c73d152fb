#include "app/paint_throttle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kv {

PaintThrottle::PaintThrottle(QWidget& window, int intervalMs)
    : QObject(&window), window_(window), intervalMs_(intervalMs)
{
    held_.setSingleShot(true);
    connect(&held_, &QTimer::timeout, this, [this] { release(); });
    window_.installEventFilter(this);
}

void PaintThrottle::requestPaint()
{
    if (!held_.isActive())
        QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest),
                                    Qt::LowEventPriority);
}

void PaintThrottle::paintIfDueWithin(int withinMs)
{
    if (held_.isActive() && held_.remainingTime() <= withinMs) {
        held_.stop();
        release();
    }
}

bool PaintThrottle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || event->type() != QEvent::UpdateRequest || releasing_)
        return false;
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : intervalMs_;
    if (since < intervalMs_) {
        if (!held_.isActive())
            held_.start(int(intervalMs_ - since));
        return true; // Qt keeps the dirty regions; release() paints them
    }
    sincePaint_.start();
    return false;
}

void PaintThrottle::release()
{
    sincePaint_.start();
    releasing_ = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window_, &request);
    releasing_ = false;
}

} // namespace kv
