#pragma once

#include "app/layer.h"
#include "controls/control_classes.h"

#include <QObject>
#include <vector>

namespace kv {

// Keeps the slides beside the graph on the graph's Y scale: each slide's track is made to end
// where its axis ends fall on the graph's Y axis, so that a pointer's tip sits on the graph row of
// its value, whatever the face's scale, and again after every layout of the graph or move of a
// slide. The slides' values are drawn against the graph's full view (graphMinimum to
// graphMaximum at the rows of the Y axis ends), whatever the graph's limits are now.
class EdgeSlides : public QObject
{
  public:
    EdgeSlides(CwGraph& graph, double graphMinimum, double graphMaximum,
               std::vector<CwSlide*> slides, QObject* parent);

    void align();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CwGraph& graph_;
    double graphMinimum_;
    double graphMaximum_;
    std::vector<CwSlide*> slides_;
};

} // namespace kv
