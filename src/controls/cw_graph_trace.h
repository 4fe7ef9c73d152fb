#pragma once

#include "controls/layer.h"

#include <QLineF>
#include <QPointF>
#include <QVector>

namespace kv {

// What a trace draws, in pixels, so that its cost follows the plot area's width and not the
// signal's shape: up to two points a pixel column, the polyline through them (the pixels of
// today's trace); denser, one vertical run a column from the lowest to the highest point in it
// (the point before the column included, so that the runs join up).
struct TraceShape
{
    QVector<QPointF> polyline; // set when the points are drawn as they are
    QVector<QLineF> columns;   // set otherwise: one vertical run a column
};

// `points` in pixel coordinates, X ascending or descending; `columnCount` the plot area's width.
// `shape` is filled anew (its buffers reused).
void TraceShapeFor(const QVector<QPointF>& points, double columnCount, TraceShape& shape);

// The segments of a polyline, one line from each point to the next: a wide pen strokes each on
// its own, so the stroke never becomes one polygon crossing itself at every zig-zag.
void PolylineSegments(const QVector<QPointF>& polyline, QVector<QLineF>& segments);

} // namespace kv
