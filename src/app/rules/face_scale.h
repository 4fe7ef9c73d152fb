#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <QRect>
#include <QSize>
#include <QString>

namespace kv {

// The face is laid out for a desktop text height of 16 pixels (96 DPI). It grows with the
// desktop's text height, so that its captions keep their room at large fonts, and shrinks where
// the window would not fit the work area: its fonts follow the same scale.
//
// chrome: what the window adds to the face (menu bar, title bar, borders); an empty work area
// sets no limit.
double FaceScale(int desktopTextHeight, const QSize& face, const QSize& chrome,
                 const QRect& workArea);

// A length or a rectangle of the 16-pixel layout at a scale. A rectangle's edges are rounded,
// so that controls that touch in the layout still touch and none overlaps its neighbour.
int ScaledPixels(int designPixels, double scale);
QRect ScaledRect(const QRect& design, double scale);

// The face's style sheet, its font sizes at the scale.
QString FaceStyleSheet(double scale);

} // namespace kv
