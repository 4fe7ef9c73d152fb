#include "display/trace_view.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/default_pointer.h"
#include "display/cursors.h"
#include "state/channel_fields.h"
#include "state/names.h"
#include "state/voltsdiv_range.h"
#include "state/voltsdiv_table.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <cmath>

namespace kv {

namespace {

constexpr int MouseZoom = 1;
constexpr int MousePan = 2;
constexpr int MouseCursors = 3;
constexpr double ViewCentre = 750;

// The zoom pointer: a magnifying glass with its hot spot in the lens.
QCursor zoomPointer()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawLine(14, 14, 22, 22);
    p.drawEllipse(QPointF(9, 9), 7, 7);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(14, 14, 22, 22);
    p.drawEllipse(QPointF(9, 9), 7, 7);
    p.drawLine(6, 9, 12, 9);
    p.drawLine(9, 6, 9, 12);
    p.end();
    return QCursor(pixmap, 9, 9);
}

} // namespace

// ---- The handler group ------------------------------------------------------------------------

TraceView::TraceView(ScopeState& state, const QString& programFolder, const Controls& controls,
                     Cursors& cursors)
    : state_(state), programFolder_(programFolder), ui(controls), cursors_(cursors)
{
    connect(ui.CWSlide7, &CwSlide::pointerValueChanged, this,
            &TraceView::CWSlide7_PointerValueChanged);
    connect(ui.CWSlide6, &CwSlide::pointerValueChanged, this,
            &TraceView::CWSlide6_PointerValueChanged);
    connect(ui.CWSlide6, &CwSlide::mouseMove, this, &TraceView::CWSlide6_MouseMove);
    connect(ui.CWGraph1, &CwGraph::mouseDown, this, &TraceView::CWGraph1_MouseDown);
    connect(ui.CWGraph1, &CwGraph::mouseUp, this, &TraceView::CWGraph1_MouseUp);
    connect(ui.CWGraph1, &CwGraph::mouseMove, this, &TraceView::CWGraph1_MouseMove);
    connect(ui.Autoscale, &CwButton::valueChanged, this, &TraceView::Autoscale_ValueChanged);
    connect(ui.ZoomOut, &CwButton::clicked, this, &TraceView::ZoomOut_Click);
    connect(ui.mnuZoom, &QAction::triggered, this, &TraceView::mnuZoom_Click);
    connect(ui.mnuPan, &QAction::triggered, this, &TraceView::mnuPan_Click);
    connect(ui.mnuZoomout, &QAction::triggered, this, &TraceView::mnuZoomout_Click);
    connect(ui.mnuReset, &QAction::triggered, this, &TraceView::mnuReset_Click);
}

void TraceView::Settings()
{
    if (const auto perCount = SettingsVoltsPerCount(state_.VdivIndex))
        state_.VoltsPerCount = *perCount;
}

void TraceView::showViewSlider(bool shown)
{
    ui.CWSlide6->setPointerVisible(1, shown);
    ui.CWSlide6->setEnabled(shown);
}

void TraceView::setPlotAreaPicture(const QString& fileName)
{
    plotAreaPicture_ = fileName;
    const QString path =
        QDir(programFolder_).filePath(QStringLiteral("Graphics/PlotArea/") + fileName);
    // A missing picture shows the plain plot area rather than the picture of another view.
    if (!ui.CWGraph1->loadPlotAreaImage(path))
        ui.CWGraph1->setPlotAreaImage(QImage());
}

QLabel* TraceView::periodLabel(int channel) const
{
    return channel == 1 ? ui.PeriodVAL : ui.PeriodVAL2;
}

CwButton* TraceView::led(int channel) const
{
    return channel == 1 ? ui.LED1 : ui.LED2;
}

void TraceView::captionsFromVdiv()
{
    for (int c : {1, 2}) {
        if (const auto caption = VdivCaption(channelState(state_, c).VdivIndex))
            periodLabel(c)->setText(*caption);
    }
}

void TraceView::defaultAxes()
{
    ui.CWGraph1->setAxisMinMax(CwGraph::XAxis, 500, 1000);
    ui.CWGraph1->setAxisMaximum(CwGraph::YAxis, 200);
    ui.CWGraph1->setAxisMinimum(CwGraph::YAxis, -200);
}

void TraceView::setWindowPointer(PlotPointer pointer)
{
    static const QCursor zoom = zoomPointer();
    QCursor shape(Qt::CrossCursor);
    if (pointer == PlotPointer::Zoom)
        shape = zoom;
    else if (pointer == PlotPointer::Pan)
        shape = QCursor(Qt::OpenHandCursor);
    // The plot area carries a pointer of its own, which would hide the window's.
    ui.window->setCursor(shape);
    ui.CWGraph1->plotArea()->setCursor(shape);
}

void TraceView::CWSlide7_PointerValueChanged(int /*pointer*/, double value)
{
    ui.btnAPOS->setEnabled(false);
    ui.btnBPOS->setEnabled(false);
    switch (int(std::lround(value))) {
    case 0:
        ui.CWGraph1->setTrackMode(CwGraph::TrackZoom);
        ui.GraphMode->setEnabled(false);
        ui.CWSlide2->setEnabled(false);
        state_.MouseAction = "Zoom";
        break;
    case 1:
        ui.CWGraph1->setTrackMode(CwGraph::TrackPan);
        ui.CWKnob1->setEnabled(true);
        ui.GraphMode->setEnabled(false);
        ui.CWSlide2->setEnabled(false);
        state_.MouseAction = "pan";
        break;
    case 2:
        cursors_.CursorMode();
        if (!state_.IsZoomed)
            showViewSlider(true);
        if (std::lround(ui.GraphMode->value()) != 3) {
            ui.CWSlide2->setEnabled(true);
            ui.btnAPOS->setEnabled(true);
            ui.btnBPOS->setEnabled(true);
        }
        ui.GraphMode->setEnabled(true);
        ui.CWKnob1->setEnabled(true);
        if (state_.IsPanned)
            showViewSlider(false);
        state_.MouseAction = "Cursor";
        break;
    default:
        break;
    }
}

void TraceView::CWSlide6_PointerValueChanged(int /*pointer*/, double /*value*/)
{
    ui.CWSlide6->setAxisMaximum(1460);
    ui.CWSlide6->setAxisMinimum(40);
    if (ui.Autoscale->value())
        return;
    const ViewWindow window = ViewWindowAt(ui.CWSlide6->pointerValue(1));
    ui.CWGraph1->setAxisMaximum(CwGraph::XAxis, window.maximum);
    ui.CWGraph1->setAxisMinimum(CwGraph::XAxis, window.minimum);
    state_.XAxisMax = ui.CWGraph1->axisMaximum(CwGraph::XAxis);
    state_.XAxisMin = ui.CWGraph1->axisMinimum(CwGraph::XAxis);
}

void TraceView::CWSlide6_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}

void TraceView::CWGraph1_MouseDown(int button, int /*shift*/, double x, double y)
{
    if (button == 2) {
        QWidget* area = ui.CWGraph1->plotArea();
        ui.mnuPopup->popup(area->mapToGlobal(ui.CWGraph1->plotAreaPoint(x, y)));
        return;
    }
    if (button != 1)
        return;
    if (!state_.IsZoomed && ui.CWSlide7->position() == MouseCursors)
        showViewSlider(true);
    else if (state_.IsZoomed)
        showViewSlider(false);
    if (state_.IsPanned)
        showViewSlider(false);
    if (ui.Autoscale->value())
        ui.CWSlide6->setPointerVisible(1, false);
}

void TraceView::CWGraph1_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/)
{
    switch (ui.CWSlide7->position()) {
    case MouseZoom:
        ui.ZoomOut->setEnabled(true);
        state_.IsZoomed = true;
        setPlotAreaPicture(QStringLiteral("Zoomed.bmp"));
        for (int c : {1, 2}) {
            if (ui.CWGraph1->plotVisible(names::channelPlot(c)))
                periodLabel(c)->setText(QStringLiteral("Zoomed"));
        }
        showViewSlider(false);
        ui.CWSlide7->setPosition(MouseCursors);
        break;
    case MousePan:
        state_.IsPanned = true;
        showViewSlider(false);
        break;
    case MouseCursors:
        if (!state_.IsZoomed)
            showViewSlider(true);
        break;
    default:
        break;
    }
    if (state_.IsPanned)
        showViewSlider(false);
    if (ui.Autoscale->value())
        ui.CWSlide6->setPointerVisible(1, false);
}

void TraceView::CWGraph1_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/)
{
    setWindowPointer(PlotPointerFor(state_.MouseAction));
}

void TraceView::Autoscale_ValueChanged(bool value)
{
    if (value) {
        ui.CWSlide7->setPosition(MouseCursors);
        ui.ZoomOut->setValue(false);
        ui.CWSlide6->setEnabled(false);
        ui.CWSlide6->setPointerVisible(1, false);
        setPlotAreaPicture(QStringLiteral("AutoScale.bmp"));
        ui.CWGraph1->autoScaleOnce(CwGraph::axisIndex(QStringLiteral("XAxis")));
        for (int c : {1, 2}) {
            if (led(c)->value())
                periodLabel(c)->setText(QStringLiteral("Autoscale"));
        }
        ui.CWKnob1->setEnabled(false);
        return;
    }
    setPlotAreaPicture(QStringLiteral("Grid.bmp"));
    ui.CWSlide6->setEnabled(true);
    captionsFromVdiv();
    defaultAxes();
    ui.CWKnob1->setEnabled(true);
    ui.CWSlide6->setPointerVisible(1, true);
    ui.CWSlide6->setPointerValue(1, ViewCentre);
    ui.ZoomOut->setValue(false);
    state_.IsZoomed = false;
    state_.IsPanned = false;
}

void TraceView::resetView(ViewReset reset)
{
    const ResetSteps steps = ResetStepsFor(reset);
    Settings();
    if (steps.gridPicture)
        setPlotAreaPicture(QStringLiteral("Grid.bmp"));
    defaultAxes();
    ui.CWKnob1->setEnabled(true);
    if (steps.clearZoomed)
        state_.IsZoomed = false;
    if (steps.disableZoomOut)
        ui.ZoomOut->setEnabled(false);
    showViewSlider(true);
    captionsFromVdiv();
    ui.CWSlide6->setPointerValue(1, ViewCentre);
    ui.Autoscale->setValue(false);
    state_.IsPanned = false;
    if (steps.cursorMouseAction)
        ui.CWSlide7->setPosition(MouseCursors);
}

void TraceView::ZoomOut_Click()
{
    resetView(ViewReset::ZoomOutButton);
}
void TraceView::mnuZoomout_Click()
{
    resetView(ViewReset::ZoomOutItem);
}
void TraceView::mnuReset_Click()
{
    resetView(ViewReset::ResetPlot);
}
void TraceView::mnuZoom_Click()
{
    ui.CWSlide7->setPosition(MouseZoom);
}
void TraceView::mnuPan_Click()
{
    ui.CWSlide7->setPosition(MousePan);
}

} // namespace kv
