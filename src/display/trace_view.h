#pragma once

// The stretch of the record the graph shows and what the mouse does in the plot area: the
// horizontal view slider, the mouse-action slide (zoom, pan, cursors), autoscale, the three view
// resets, the plot-area picture, the plot's pop-up menu and the mouse pointer over the plot.

#include "controls/control_classes.h"
#include "display/layer.h"
#include "display/rules/view_rules.h"
#include "platform/rules/variant.h"
#include "state/scope_state.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string>

namespace kv {

class Cursors;

class TraceView : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // its pointer shape follows the mouse action over the plot
        CwGraph* CWGraph1;
        CwSlide* CWSlide6; // the horizontal view
        CwSlide* CWSlide7; // the mouse action
        CwSlide* CWSlide2; // snap or float, enabled with the cursors
        CwSlide* GraphMode;
        CwKnob* CWKnob1; // volts/div, out of use while autoscaled
        CwButton* btnAPOS;
        CwButton* btnBPOS;
        CwButton* Autoscale;
        CwButton* ZoomOut;
        CwButton* LED1; // read: the channels shown
        CwButton* LED2;
        QLabel* PeriodVAL; // the channels' volts/div captions
        QLabel* PeriodVAL2;
        QMenu* mnuPopup;
        QAction* mnuZoom;
        QAction* mnuPan;
        QAction* mnuZoomout;
        QAction* mnuReset;
    };

    // programFolder holds Graphics/PlotArea/ with the plot-area pictures.
    TraceView(ScopeState& state, const QString& programFolder, const Controls& controls,
              Cursors& cursors);

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
    // The volts/div caption of channel 1 or, for any other number, channel 2.
    QLabel* periodLabel(int channel) const;
    // The LED of channel 1 or, for any other number, channel 2.
    CwButton* led(int channel) const;

    ScopeState& state_;
    const QString programFolder_;
    const Controls ui;
    Cursors& cursors_;
    QString plotAreaPicture_;
};

} // namespace kv
