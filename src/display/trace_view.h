#pragma once

// The stretch of the record the graph shows and what the mouse does in the plot area: the
// horizontal view slider, the mouse-action slide (zoom, pan, cursors), autoscale, the three view
// resets, the plot-area picture, the plot's pop-up menu and the mouse pointer over the plot.

#include "app/handler_group.h"
#include "display/view_rules.h"
#include "platform/variant.h"

#include <QString>
#include <optional>
#include <string>

namespace kv {

class TraceView : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit TraceView(Main& main);

    // VoltsPerCount by VdivIndex; run first by the view resets.
    void Settings();

    void CWSlide7_PointerValueChanged(int pointer, double value);
    void CWSlide6_PointerValueChanged(int pointer, double value);
    void CWSlide6_MouseMove();
    void CWGraph1_MouseDown(int button, int shift, double x, double y);
    void CWGraph1_MouseUp(int button, int shift, double x, double y);
    void CWGraph1_MouseMove(int button, int shift, double x, double y);
    void Autoscale_ValueChanged(bool value);
    void ZoomOut_Click();
    void mnuZoom_Click();
    void mnuPan_Click();
    void mnuZoomout_Click();
    void mnuReset_Click();

    // File name of the plot-area picture last asked for ("Grid.bmp", "AutoScale.bmp",
    // "Zoomed.bmp"; "" before the first). A missing file shows the plain plot area.
    QString plotAreaPicture() const { return plotAreaPicture_; }

  private:
    void resetView(ViewReset reset);
    void setPlotAreaPicture(const QString& fileName);
    void showViewSlider(bool shown);
    void captionsFromVdiv();
    void defaultAxes();
    void setWindowPointer(PlotPointer pointer);

    QString plotAreaPicture_;
};

} // namespace kv
