#include "display/trace_view.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "display/cursors.h"
#include "panel/side_panels.h"
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

TraceView::TraceView(Main& main) : HandlerGroup(main)
{
    connect(m.CWSlide7, &CwSlide::pointerValueChanged, this,
            &TraceView::CWSlide7_PointerValueChanged);
    connect(m.CWSlide6, &CwSlide::pointerValueChanged, this,
            &TraceView::CWSlide6_PointerValueChanged);
    connect(m.CWSlide6, &CwSlide::mouseMove, this, &TraceView::CWSlide6_MouseMove);
    connect(m.CWGraph1, &CwGraph::mouseDown, this, &TraceView::CWGraph1_MouseDown);
    connect(m.CWGraph1, &CwGraph::mouseUp, this, &TraceView::CWGraph1_MouseUp);
    connect(m.CWGraph1, &CwGraph::mouseMove, this, &TraceView::CWGraph1_MouseMove);
    connect(m.Autoscale, &CwButton::valueChanged, this, &TraceView::Autoscale_ValueChanged);
    connect(m.ZoomOut, &CwButton::clicked, this, &TraceView::ZoomOut_Click);
    connect(m.mnuZoom, &QAction::triggered, this, &TraceView::mnuZoom_Click);
    connect(m.mnuPan, &QAction::triggered, this, &TraceView::mnuPan_Click);
    connect(m.mnuZoomout, &QAction::triggered, this, &TraceView::mnuZoomout_Click);
    connect(m.mnuReset, &QAction::triggered, this, &TraceView::mnuReset_Click);
}

void TraceView::Settings()
{
    if (const auto perCount = SettingsVoltsPerCount(m.state.VdivIndex))
        m.state.VoltsPerCount = *perCount;
}

void TraceView::showViewSlider(bool shown)
{
    m.CWSlide6->setPointerVisible(1, shown);
    m.CWSlide6->setEnabled(shown);
}

void TraceView::setPlotAreaPicture(const QString& fileName)
{
    plotAreaPicture_ = fileName;
    const QString path =
        QDir(m.programFolder).filePath(QStringLiteral("Graphics/PlotArea/") + fileName);
    // A missing picture shows the plain plot area rather than the picture of another view.
    if (!m.CWGraph1->loadPlotAreaImage(path))
        m.CWGraph1->setPlotAreaImage(QImage());
}

void TraceView::captionsFromVdiv()
{
    if (const auto caption = VdivCaption(m.state.VdivIndexCH1))
        m.PeriodVAL->setText(*caption);
    if (const auto caption = VdivCaption(m.state.VdivIndexCH2))
        m.PeriodVAL2->setText(*caption);
}

void TraceView::defaultAxes()
{
    m.CWGraph1->setAxisMinMax(CwGraph::XAxis, 500, 1000);
    m.CWGraph1->setAxisMaximum(CwGraph::YAxis, 200);
    m.CWGraph1->setAxisMinimum(CwGraph::YAxis, -200);
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
    m.setCursor(shape);
    m.CWGraph1->plotArea()->setCursor(shape);
}

void TraceView::CWSlide7_PointerValueChanged(int /*pointer*/, double value)
{
    m.btnAPOS->setEnabled(false);
    m.btnBPOS->setEnabled(false);
    switch (int(std::lround(value))) {
    case 0:
        m.CWGraph1->setTrackMode(CwGraph::TrackZoom);
        m.GraphMode->setEnabled(false);
        m.CWSlide2->setEnabled(false);
        m.state.MouseAction = "Zoom";
        break;
    case 1:
        m.CWGraph1->setTrackMode(CwGraph::TrackPan);
        m.CWKnob1->setEnabled(true);
        m.GraphMode->setEnabled(false);
        m.CWSlide2->setEnabled(false);
        m.state.MouseAction = "pan";
        break;
    case 2:
        if (m.cursors)
            m.cursors->CursorMode();
        if (!m.state.IsZoomed)
            showViewSlider(true);
        if (std::lround(m.GraphMode->value()) != 3) {
            m.CWSlide2->setEnabled(true);
            m.btnAPOS->setEnabled(true);
            m.btnBPOS->setEnabled(true);
        }
        m.GraphMode->setEnabled(true);
        m.CWKnob1->setEnabled(true);
        if (m.state.IsPanned)
            showViewSlider(false);
        m.state.MouseAction = "Cursor";
        break;
    default:
        break;
    }
}

void TraceView::CWSlide6_PointerValueChanged(int /*pointer*/, double /*value*/)
{
    m.CWSlide6->setAxisMaximum(1460);
    m.CWSlide6->setAxisMinimum(40);
    if (m.Autoscale->value())
        return;
    const ViewWindow window = ViewWindowAt(m.CWSlide6->pointerValue(1));
    m.CWGraph1->setAxisMaximum(CwGraph::XAxis, window.maximum);
    m.CWGraph1->setAxisMinimum(CwGraph::XAxis, window.minimum);
    m.state.XAxisMax = m.CWGraph1->axisMaximum(CwGraph::XAxis);
    m.state.XAxisMin = m.CWGraph1->axisMinimum(CwGraph::XAxis);
}

void TraceView::CWSlide6_MouseMove()
{
    restoreDefaultPointer(m);
}

void TraceView::CWGraph1_MouseDown(int button, int /*shift*/, double x, double y)
{
    if (button == 2) {
        QWidget* area = m.CWGraph1->plotArea();
        m.mnuPopup->popup(area->mapToGlobal(m.CWGraph1->plotAreaPoint(x, y)));
        return;
    }
    if (button != 1)
        return;
    if (!m.state.IsZoomed && m.CWSlide7->position() == MouseCursors)
        showViewSlider(true);
    else if (m.state.IsZoomed)
        showViewSlider(false);
    if (m.state.IsPanned)
        showViewSlider(false);
    if (m.Autoscale->value())
        m.CWSlide6->setPointerVisible(1, false);
}

void TraceView::CWGraph1_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/)
{
    switch (m.CWSlide7->position()) {
    case MouseZoom:
        m.ZoomOut->setEnabled(true);
        m.state.IsZoomed = true;
        setPlotAreaPicture(QStringLiteral("Zoomed.bmp"));
        if (m.CWGraph1->plotVisible(names::PCH1))
            m.PeriodVAL->setText(QStringLiteral("Zoomed"));
        if (m.CWGraph1->plotVisible(names::PCH2))
            m.PeriodVAL2->setText(QStringLiteral("Zoomed"));
        showViewSlider(false);
        m.CWSlide7->setPosition(MouseCursors);
        break;
    case MousePan:
        m.state.IsPanned = true;
        showViewSlider(false);
        break;
    case MouseCursors:
        if (!m.state.IsZoomed)
            showViewSlider(true);
        break;
    default:
        break;
    }
    if (m.state.IsPanned)
        showViewSlider(false);
    if (m.Autoscale->value())
        m.CWSlide6->setPointerVisible(1, false);
}

void TraceView::CWGraph1_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/)
{
    setWindowPointer(PlotPointerFor(m.state.MouseAction));
}

void TraceView::Autoscale_ValueChanged(bool value)
{
    if (value) {
        m.CWSlide7->setPosition(MouseCursors);
        m.ZoomOut->setValue(false);
        m.CWSlide6->setEnabled(false);
        m.CWSlide6->setPointerVisible(1, false);
        setPlotAreaPicture(QStringLiteral("AutoScale.bmp"));
        m.CWGraph1->autoScaleOnce(CwGraph::axisIndex(QStringLiteral("XAxis")));
        if (m.LED1->value())
            m.PeriodVAL->setText(QStringLiteral("Autoscale"));
        if (m.LED2->value())
            m.PeriodVAL2->setText(QStringLiteral("Autoscale"));
        m.CWKnob1->setEnabled(false);
        return;
    }
    setPlotAreaPicture(QStringLiteral("Grid.bmp"));
    m.CWSlide6->setEnabled(true);
    captionsFromVdiv();
    defaultAxes();
    m.CWKnob1->setEnabled(true);
    m.CWSlide6->setPointerVisible(1, true);
    m.CWSlide6->setPointerValue(1, ViewCentre);
    m.ZoomOut->setValue(false);
    m.state.IsZoomed = false;
    m.state.IsPanned = false;
}

void TraceView::resetView(ViewReset reset)
{
    const ResetSteps steps = ResetStepsFor(reset);
    Settings();
    if (steps.gridPicture)
        setPlotAreaPicture(QStringLiteral("Grid.bmp"));
    defaultAxes();
    m.CWKnob1->setEnabled(true);
    if (steps.clearZoomed)
        m.state.IsZoomed = false;
    if (steps.disableZoomOut)
        m.ZoomOut->setEnabled(false);
    showViewSlider(true);
    captionsFromVdiv();
    m.CWSlide6->setPointerValue(1, ViewCentre);
    m.Autoscale->setValue(false);
    m.state.IsPanned = false;
    if (steps.cursorMouseAction)
        m.CWSlide7->setPosition(MouseCursors);
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
    m.CWSlide7->setPosition(MouseZoom);
}
void TraceView::mnuPan_Click()
{
    m.CWSlide7->setPosition(MousePan);
}

} // namespace kv
