#pragma once

#include "app/layer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

namespace kv {

// Lets a top-level window paint at most once per interval (a screen refresh): a paint that Qt
// asks for sooner after the last one waits, its dirty regions kept, until the interval is over.
// So records arriving faster than the screen shows them cost one paint of what changed per
// refresh, however many labels and controls each record touches. Grabs and exposes are not
// held back.
class PaintThrottle : public QObject
{
  public:
    PaintThrottle(QWidget& window, int intervalMs);

    // The window paints what has changed, now or at the end of the interval.
    void requestPaint();
    // A paint held back that is due within `withinMs` is made now: for a moment when the
    // program waits anyway (a request has just gone out), so that the paint delays nothing.
    void paintIfDueWithin(int withinMs);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void release();

    QWidget& window_;
    int intervalMs_;
    QElapsedTimer sincePaint_;
    QTimer held_;
    bool releasing_ = false;
};

} // namespace kv
