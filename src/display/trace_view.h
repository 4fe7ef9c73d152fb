#pragma once

// The stretch of the record the graph shows and what the mouse does in the plot area: the
// horizontal view slider, the mouse-action slide (zoom, pan, cursors), autoscale, the three view
// resets, the plot-area picture, the plot's pop-up menu and the mouse pointer over the plot.

#include "app/handler_group.h"
#include "platform/variant.h"

#include <QString>
#include <optional>
#include <string>

namespace kv {

// ---- Pure view rules -------------------------------------------------------------------------

// The 500-point window centred on the view slider's value (not clamped to the record).
struct ViewWindow
{
    double minimum = 0;
    double maximum = 0;
};
ViewWindow ViewWindowAt(double sliderValue);

// Volts/div caption of index 1..6 ("100mV" .. "5V"); nullopt outside.
std::optional<QString> VdivCaption(const Variant& vdivIndex);

// VoltsPerCount written by Settings: 0.0196 for indexes 1..3, 0.7843 for 4..6; nullopt outside.
std::optional<float> SettingsVoltsPerCount(const Variant& vdivIndex);

// The steps each of the three view resets runs, in this order.
enum class ViewReset
{
    ZoomOutButton,
    ZoomOutItem,
    ResetPlot
};
struct ResetSteps
{
    bool gridPicture;       // plot-area picture "Grid.bmp"
    bool clearZoomed;       // IsZoomed := False
    bool disableZoomOut;    // ZoomOut disabled
    bool cursorMouseAction; // mouse action position 3
};
ResetSteps ResetStepsFor(ViewReset reset);

// The mouse pointer over the plot by MouseAction: "Zoom", "pan", anything else the cursor.
enum class PlotPointer
{
    Zoom,
    Pan,
    Cursor
};
PlotPointer PlotPointerFor(const std::string& mouseAction);

// ---- The handler group ------------------------------------------------------------------------

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
