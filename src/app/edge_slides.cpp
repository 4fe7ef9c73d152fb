#include "app/edge_slides.h"

#include "controls/cw_graph.h"
#include "controls/cw_slide.h"

#include <QEvent>

namespace kv {

EdgeSlides::EdgeSlides(CwGraph& graph, double graphMinimum, double graphMaximum,
                       std::vector<CwSlide*> slides, QObject* parent)
    : QObject(parent), graph_(graph), graphMinimum_(graphMinimum), graphMaximum_(graphMaximum),
      slides_(std::move(slides))
{
    connect(&graph_, &CwGraph::yAxisPlaced, this, &EdgeSlides::align);
    graph_.installEventFilter(this);
    for (CwSlide* slide : slides_)
        slide->installEventFilter(this);
    align();
}

void EdgeSlides::align()
{
    const auto ends = graph_.yAxisEndRows();
    if (!ends) {
        // Not laid out yet: the slides keep their own scale until the graph is shown.
        for (CwSlide* slide : slides_)
            slide->clearTrackEnds();
        return;
    }
    const double minimumRow = ends->first, maximumRow = ends->second;
    const double perUnit = (maximumRow - minimumRow) / (graphMaximum_ - graphMinimum_);
    const QWidget* window = graph_.window();
    for (CwSlide* slide : slides_) {
        // The graph's rows in the slide's own coordinates.
        const double offset =
            graph_.mapTo(window, QPoint()).y() - slide->mapTo(window, QPoint()).y();
        const auto row = [&](double value) {
            return offset + minimumRow + (value - graphMinimum_) * perUnit;
        };
        // An inverted vertical slide draws its axis minimum at the top.
        const double top = row(slide->isInverted() ? slide->axisMinimum() : slide->axisMaximum());
        const double bottom =
            row(slide->isInverted() ? slide->axisMaximum() : slide->axisMinimum());
        slide->setTrackEnds(top, bottom);
    }
}

bool EdgeSlides::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        align();
    return QObject::eventFilter(watched, event);
}

} // namespace kv
