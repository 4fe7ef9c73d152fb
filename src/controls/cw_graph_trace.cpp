#include "controls/cw_graph_trace.h"

#include <algorithm>
#include <cmath>

namespace kv {

void TraceShapeFor(const QVector<QPointF>& points, double columnCount, TraceShape& shape)
{
    shape.polyline.clear();
    shape.columns.clear();
    if (points.size() <= std::max(2.0, 2 * columnCount)) {
        shape.polyline = points;
        return;
    }
    // Points are visited in order; a run collects the Y range of one pixel column.
    double column = std::floor(points.front().x());
    double low = points.front().y();
    double high = low;
    double last = low;
    const auto closeRun = [&] {
        shape.columns.append(QLineF(column, std::floor(low), column, std::floor(high)));
    };
    for (int i = 1; i < points.size(); ++i) {
        const QPointF& p = points[i];
        const double at = std::floor(p.x());
        if (at != column) {
            closeRun();
            column = at;
            low = high = last; // the run starts where the previous column's polyline left it
        }
        low = std::min(low, p.y());
        high = std::max(high, p.y());
        last = p.y();
    }
    closeRun();
}

void PolylineSegments(const QVector<QPointF>& polyline, QVector<QLineF>& segments)
{
    segments.clear();
    for (int i = 1; i < polyline.size(); ++i)
        segments.append(QLineF(polyline[i - 1], polyline[i]));
}

} // namespace kv
