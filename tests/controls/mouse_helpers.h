#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace kv::test {

// A mouse move with the left button held, sent straight to the widget (QTest's own move does
// not carry the pressed buttons on every platform).
inline void dragTo(QWidget* widget, const QPoint& pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Press at from, move in a few steps, release at to.
inline void drag(QWidget* widget, const QPoint& from, const QPoint& to, int steps = 4)
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= steps; ++i)
        dragTo(widget, from + (to - from) * i / steps);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}

} // namespace kv::test
