#include "controls/cw_graph.h"

#include "controls/cw_color.h"
#include "controls/cw_graph_trace.h"
#include "controls/picture_file.h"
#include "controls/qwt_headers.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <qwt_scale_draw.h>

namespace kv {

namespace {

// Short axis labels without the locale's thousands separator (the X axis counts samples: "1000").
class PlainScaleDraw : public QwtScaleDraw
{
  public:
    QwtText label(double value) const override { return QString::number(value, 'g', 4); }
};

// A plot that reports each layout once it is done (its scales and canvas in their final place).
class LaidOutPlot : public QwtPlot
{
  public:
    LaidOutPlot(QWidget* parent, std::function<void()> laidOut)
        : QwtPlot(parent), laidOut_(std::move(laidOut))
    {
    }
    void updateLayout() override
    {
        QwtPlot::updateLayout();
        laidOut_();
    }

  private:
    std::function<void()> laidOut_;
};

constexpr int XDivisions = 10;
constexpr int YDivisions = 8;
constexpr int MinorTicksPerDivision = 5;
constexpr int GrabPixels = 6;    // how near a press must be to grab a cursor line
constexpr int MinZoomPixels = 3; // a smaller rectangle is a click, not a zoom

// Behind the plots: the plot-area picture (scaled to the plot area) and the oscilloscope's centre
// cross with its minor ticks.
class PlotFaceItem : public QwtPlotItem
{
  public:
    PlotFaceItem() { setZ(-100); }
    int rtti() const override { return QwtPlotItem::Rtti_PlotUserItem; }
    void setImage(const QImage& image) { image_ = image; }

    void draw(QPainter* painter, const QwtScaleMap&, const QwtScaleMap&,
              const QRectF& area) const override
    {
        if (!image_.isNull()) {
            painter->drawImage(area, image_);
            return;
        }
        painter->setPen(QPen(QColor(110, 110, 110), 1));
        const QPointF c = area.center();
        painter->drawLine(QPointF(area.left(), c.y()), QPointF(area.right(), c.y()));
        painter->drawLine(QPointF(c.x(), area.top()), QPointF(c.x(), area.bottom()));
        const double dx = area.width() / (XDivisions * MinorTicksPerDivision);
        for (int i = 1; i < XDivisions * MinorTicksPerDivision; ++i) {
            const double x = area.left() + i * dx;
            painter->drawLine(QPointF(x, c.y() - 3), QPointF(x, c.y() + 3));
        }
        const double dy = area.height() / (YDivisions * MinorTicksPerDivision);
        for (int i = 1; i < YDivisions * MinorTicksPerDivision; ++i) {
            const double y = area.top() + i * dy;
            painter->drawLine(QPointF(c.x() - 3, y), QPointF(c.x() + 3, y));
        }
    }

  private:
    QImage image_;
};

// One trace through (xFirst + i * xIncrement, y[i]), drawn in the shape TraceShapeFor gives. The
// pixel buffers are kept between paints.
class TraceItem : public QwtPlotItem
{
  public:
    TraceItem() { setZ(10); }
    int rtti() const override { return QwtPlotItem::Rtti_PlotUserItem + 1; }
    void setPen(const QPen& pen) { pen_ = pen; }
    void setData(const QVector<double>* y, double xFirst, double xIncrement)
    {
        y_ = y;
        xFirst_ = xFirst;
        xIncrement_ = xIncrement;
    }

    void draw(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
              const QRectF&) const override
    {
        if (!y_ || y_->isEmpty() || xIncrement_ == 0.0)
            return;
        visiblePoints(xMap, yMap);
        TraceShapeFor(points_, std::abs(xMap.p2() - xMap.p1()), shape_);
        painter->setPen(pen_);
        if (!shape_.columns.isEmpty()) {
            painter->drawLines(shape_.columns);
        } else if (pen_.width() <= 1) {
            painter->drawPolyline(shape_.polyline);
        } else {
            PolylineSegments(shape_.polyline, segments_);
            painter->drawLines(segments_);
        }
    }

  private:
    // Only the points in the visible X range (and one beyond each end) are drawn: the view shows
    // a third of a record.
    void visiblePoints(const QwtScaleMap& xMap, const QwtScaleMap& yMap) const
    {
        const double lo = std::min(xMap.s1(), xMap.s2());
        const double hi = std::max(xMap.s1(), xMap.s2());
        const double a = (lo - xFirst_) / xIncrement_;
        const double b = (hi - xFirst_) / xIncrement_;
        const int last = y_->size() - 1;
        const int first = int(std::clamp(std::floor(std::min(a, b)) - 1, 0.0, double(last)));
        const int end = int(std::clamp(std::ceil(std::max(a, b)) + 1, 0.0, double(last)));
        points_.resize(end - first + 1);
        for (int i = first; i <= end; ++i)
            points_[i - first] =
                QPointF(xMap.transform(xFirst_ + i * xIncrement_), yMap.transform((*y_)[i]));
    }

    QPen pen_;
    const QVector<double>* y_ = nullptr;
    double xFirst_ = 0.0;
    double xIncrement_ = 1.0;
    mutable QVector<QPointF> points_;
    mutable TraceShape shape_;
    mutable QVector<QLineF> segments_;
};

QwtScaleDiv divisions(double minimum, double maximum, int count, bool downward)
{
    double lo = std::min(minimum, maximum);
    double hi = std::max(minimum, maximum);
    if (hi - lo < 1e-12)
        hi = lo + 1.0;
    QList<double> major;
    for (int i = 0; i <= count; ++i)
        major.append(lo + (hi - lo) * i / count);
    QwtScaleDiv div(lo, hi, QList<double>(), QList<double>(), major);
    if (downward)
        div.invert();
    return div;
}

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int buttonsCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

struct CwGraph::Plot
{
    QString name;
    TraceItem* curve = nullptr; // owned by the QwtPlot
    QVector<double> y;
    double xFirst = 0.0;
    double xIncrement = 1.0;
    int color = 0x00FF00;
    int lineWidth = 1;
    bool visible = true;
};

struct CwGraph::Cursor
{
    QString name;
    QwtPlotMarker* marker = nullptr; // owned by the QwtPlot
    double x = 0.0;
    double y = 0.0;
    int color = 0xFFFFFF;
    bool visible = true;
    int snapMode = SnapFloating;
    QString plot;
    int crosshair = CrosshairBoth;
    int point = PointNone;
};

CwGraph::CwGraph(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    plot_ = new LaidOutPlot(this, [this] {
        laidOutSize_ = plot_->geometry() == rect() ? size() : QSize();
        Q_EMIT yAxisPlaced();
    });
    layout->addWidget(plot_);
    plot_->setAutoReplot(false);

    QPalette pal = plot_->palette();
    pal.setColor(QPalette::Window, colorFromBgr(face::Background));
    pal.setColor(QPalette::WindowText, colorFromBgr(face::Label));
    pal.setColor(QPalette::Text, colorFromBgr(face::Label));
    plot_->setPalette(pal);
    plot_->setAutoFillBackground(true);

    auto* canvas = new QwtPlotCanvas();
    canvas->setFrameStyle(int(QFrame::Box) | int(QFrame::Plain));
    canvas->setLineWidth(1);
    canvas->setCursor(Qt::CrossCursor);
    canvas->setMouseTracking(true); // moves without a button are reported too
    plot_->setCanvas(canvas);
    updateCanvasBackground();

    auto* faceItem = new PlotFaceItem();
    faceItem->attach(plot_);

    grid_ = new QwtPlotGrid();
    grid_->setMajorPen(QColor(90, 90, 90), 0, Qt::DotLine);
    grid_->enableXMin(false);
    grid_->enableYMin(false);
    grid_->attach(plot_);

    plot_->setAxisScaleDraw(QwtPlot::xBottom, new PlainScaleDraw());
    plot_->setAxisScaleDraw(QwtPlot::yLeft, new PlainScaleDraw());

    canvas->installEventFilter(this);
    plot_->installEventFilter(this);
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, canvas);
    rubberBand_->hide();
    replotTimer_ = new QTimer(this);
    replotTimer_->setSingleShot(true);
    replotTimer_->setInterval(ReplotIntervalMs);
    connect(replotTimer_, &QTimer::timeout, plot_, &QwtPlot::replot);
    applyAxes();
}

CwGraph::~CwGraph() = default;

// --- plots ---------------------------------------------------------------------------------

CwGraph::Plot* CwGraph::findPlot(const QString& name) const
{
    for (const auto& p : plots_) {
        if (p->name == name)
            return p.get();
    }
    return nullptr;
}

int CwGraph::addPlot(const QString& name, int bgr)
{
    for (size_t i = 0; i < plots_.size(); ++i) {
        if (plots_[i]->name == name)
            return int(i) + 1;
    }
    auto p = std::make_unique<Plot>();
    p->name = name;
    p->color = bgr;
    p->curve = new TraceItem();
    p->curve->setPen(QPen(colorFromBgr(bgr), 1));
    p->curve->setData(&p->y, p->xFirst, p->xIncrement);
    p->curve->attach(plot_);
    plots_.push_back(std::move(p));
    scheduleReplot();
    return plotCount();
}

QStringList CwGraph::plotNames() const
{
    QStringList names;
    for (const auto& p : plots_)
        names.append(p->name);
    return names;
}

QString CwGraph::plotName(int index) const
{
    return index >= 1 && index <= plotCount() ? plots_[index - 1]->name : QString();
}

bool CwGraph::hasPlot(const QString& name) const
{
    return findPlot(name) != nullptr;
}

bool CwGraph::plotVisible(const QString& name) const
{
    const Plot* p = findPlot(name);
    return p && p->visible;
}

void CwGraph::setPlotVisible(const QString& name, bool visible)
{
    Plot* p = findPlot(name);
    if (!p)
        return;
    p->visible = visible;
    p->curve->setVisible(visible);
    snapAll();
    scheduleReplot();
}

int CwGraph::plotColor(const QString& name) const
{
    const Plot* p = findPlot(name);
    return p ? p->color : 0;
}

void CwGraph::setPlotColor(const QString& name, int bgr)
{
    Plot* p = findPlot(name);
    if (!p)
        return;
    p->color = bgr;
    p->curve->setPen(QPen(colorFromBgr(bgr), p->lineWidth));
    scheduleReplot();
}

int CwGraph::plotLineWidth(const QString& name) const
{
    const Plot* p = findPlot(name);
    return p ? p->lineWidth : 0;
}

void CwGraph::setPlotLineWidth(const QString& name, int width)
{
    Plot* p = findPlot(name);
    if (!p)
        return;
    p->lineWidth = std::max(0, width);
    p->curve->setPen(QPen(colorFromBgr(p->color), p->lineWidth));
    scheduleReplot();
}

void CwGraph::plotY(const QString& name, const QVector<double>& y, double xFirst, double xIncrement)
{
    Plot* p = findPlot(name);
    if (!p)
        return;
    p->y = y;
    p->xFirst = xFirst;
    p->xIncrement = xIncrement;
    p->curve->setData(&p->y, xFirst, xIncrement);
    applyAutoScale();
    snapAll();
    scheduleReplot();
}

void CwGraph::clearPlot(const QString& name)
{
    plotY(name, {});
}

QVector<double> CwGraph::plotYData(const QString& name) const
{
    const Plot* p = findPlot(name);
    return p ? p->y : QVector<double>();
}

double CwGraph::plotXFirst(const QString& name) const
{
    const Plot* p = findPlot(name);
    return p ? p->xFirst : 0.0;
}

double CwGraph::plotXIncrement(const QString& name) const
{
    const Plot* p = findPlot(name);
    return p ? p->xIncrement : 0.0;
}

// --- axes ----------------------------------------------------------------------------------

int CwGraph::axisIndex(const QString& name)
{
    if (name == QLatin1String("XAxis"))
        return XAxis;
    if (name == QLatin1String("YAxis-1"))
        return YAxis;
    return 0;
}

CwGraph::Axis* CwGraph::axis(int index)
{
    return index == XAxis ? &x_ : index == YAxis ? &y_ : nullptr;
}

const CwGraph::Axis* CwGraph::axis(int index) const
{
    return index == XAxis ? &x_ : index == YAxis ? &y_ : nullptr;
}

double CwGraph::axisMinimum(int index) const
{
    const Axis* a = axis(index);
    return a ? a->minimum : 0.0;
}

void CwGraph::setAxisMinimum(int index, double value)
{
    if (Axis* a = axis(index)) {
        a->minimum = value;
        applyAxes();
    }
}

double CwGraph::axisMaximum(int index) const
{
    const Axis* a = axis(index);
    return a ? a->maximum : 0.0;
}

void CwGraph::setAxisMaximum(int index, double value)
{
    if (Axis* a = axis(index)) {
        a->maximum = value;
        applyAxes();
    }
}

void CwGraph::setAxisMinMax(int index, double minimum, double maximum)
{
    if (Axis* a = axis(index)) {
        a->minimum = minimum;
        a->maximum = maximum;
        applyAxes();
    }
}

bool CwGraph::dataRange(int index, double& minimum, double& maximum) const
{
    bool any = false;
    for (const auto& p : plots_) {
        if (!p->visible || p->y.isEmpty())
            continue;
        double lo = 0;
        double hi = 0;
        if (index == XAxis) {
            const double last = p->xFirst + (p->y.size() - 1) * p->xIncrement;
            lo = std::min(p->xFirst, last);
            hi = std::max(p->xFirst, last);
        } else {
            const auto [mn, mx] = std::minmax_element(p->y.begin(), p->y.end());
            lo = *mn;
            hi = *mx;
        }
        minimum = any ? std::min(minimum, lo) : lo;
        maximum = any ? std::max(maximum, hi) : hi;
        any = true;
    }
    if (any && maximum == minimum) {
        minimum -= 1.0;
        maximum += 1.0;
    }
    return any;
}

void CwGraph::autoScaleOnce(int index)
{
    Axis* a = axis(index);
    double lo = 0;
    double hi = 0;
    if (!a || !dataRange(index, lo, hi))
        return;
    a->minimum = lo;
    a->maximum = hi;
    applyAxes();
}

bool CwGraph::axisAutoScale(int index) const
{
    const Axis* a = axis(index);
    return a && a->autoScale;
}

void CwGraph::setAxisAutoScale(int index, bool on)
{
    Axis* a = axis(index);
    if (!a)
        return;
    a->autoScale = on;
    if (on)
        autoScaleOnce(index);
}

void CwGraph::applyAutoScale()
{
    for (int index : {XAxis, YAxis}) {
        double lo = 0;
        double hi = 0;
        Axis* a = axis(index);
        if (a->autoScale && dataRange(index, lo, hi)) {
            a->minimum = lo;
            a->maximum = hi;
        }
    }
    applyAxes();
}

bool CwGraph::axisVisible(int index) const
{
    const Axis* a = axis(index);
    return a && a->visible;
}

void CwGraph::setAxisVisible(int index, bool visible)
{
    Axis* a = axis(index);
    if (!a)
        return;
    a->visible = visible;
    plot_->enableAxis(index == XAxis ? QwtPlot::xBottom : QwtPlot::yLeft, visible);
    scheduleReplot();
}

void CwGraph::setYAxisDownward(bool downward)
{
    yDownward_ = downward;
    applyAxes();
}

void CwGraph::applyAxes()
{
    plot_->setAxisScaleDiv(QwtPlot::xBottom, divisions(x_.minimum, x_.maximum, XDivisions, false));
    plot_->setAxisScaleDiv(QwtPlot::yLeft,
                           divisions(y_.minimum, y_.maximum, YDivisions, yDownward_));
    scheduleReplot();
}

// --- cursors -------------------------------------------------------------------------------

CwGraph::Cursor* CwGraph::findCursor(const QString& name) const
{
    for (const auto& c : cursors_) {
        if (c->name == name)
            return c.get();
    }
    return nullptr;
}

int CwGraph::addCursor(const QString& name, int bgr)
{
    for (size_t i = 0; i < cursors_.size(); ++i) {
        if (cursors_[i]->name == name)
            return int(i) + 1;
    }
    auto c = std::make_unique<Cursor>();
    c->name = name;
    c->color = bgr;
    c->x = (x_.minimum + x_.maximum) / 2;
    c->y = (y_.minimum + y_.maximum) / 2;
    c->marker = new QwtPlotMarker(name);
    c->marker->setZ(20);
    c->marker->attach(plot_);
    applyCursor(*c);
    cursors_.push_back(std::move(c));
    scheduleReplot();
    return cursorCount();
}

void CwGraph::removeCursor(const QString& name)
{
    for (auto it = cursors_.begin(); it != cursors_.end(); ++it) {
        if ((*it)->name == name) {
            (*it)->marker->detach();
            delete (*it)->marker;
            if (dragCursor_ == name)
                dragCursor_.clear();
            cursors_.erase(it);
            scheduleReplot();
            return;
        }
    }
}

QStringList CwGraph::cursorNames() const
{
    QStringList names;
    for (const auto& c : cursors_)
        names.append(c->name);
    return names;
}

bool CwGraph::hasCursor(const QString& name) const
{
    return findCursor(name) != nullptr;
}

double CwGraph::cursorX(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->x : 0.0;
}

void CwGraph::setCursorX(const QString& name, double x)
{
    if (Cursor* c = findCursor(name))
        moveCursor(name, x, c->y);
}

double CwGraph::cursorY(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->y : 0.0;
}

void CwGraph::setCursorY(const QString& name, double y)
{
    if (Cursor* c = findCursor(name))
        moveCursor(name, c->x, y);
}

void CwGraph::moveCursor(const QString& name, double x, double y)
{
    Cursor* c = findCursor(name);
    if (!c)
        return;
    c->x = x;
    c->y = y;
    snapCursor(*c);
    applyCursor(*c);
    scheduleReplot();
}

int CwGraph::cursorColor(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->color : 0;
}

void CwGraph::setCursorColor(const QString& name, int bgr)
{
    if (Cursor* c = findCursor(name)) {
        c->color = bgr;
        applyCursor(*c);
        scheduleReplot();
    }
}

bool CwGraph::cursorVisible(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c && c->visible;
}

void CwGraph::setCursorVisible(const QString& name, bool visible)
{
    if (Cursor* c = findCursor(name)) {
        c->visible = visible;
        applyCursor(*c);
        scheduleReplot();
    }
}

int CwGraph::cursorSnapMode(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->snapMode : 0;
}

void CwGraph::setCursorSnapMode(const QString& name, int mode)
{
    // The acquisition cycle sets the snap mode on every tick: only a change costs a replot.
    Cursor* c = findCursor(name);
    if (c && c->snapMode != mode) {
        c->snapMode = mode;
        moveCursor(name, c->x, c->y);
    }
}

QString CwGraph::cursorPlot(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->plot : QString();
}

void CwGraph::setCursorPlot(const QString& name, const QString& plotName)
{
    Cursor* c = findCursor(name);
    if (c && c->plot != plotName) {
        c->plot = plotName;
        moveCursor(name, c->x, c->y);
    }
}

int CwGraph::cursorCrosshairStyle(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->crosshair : 0;
}

void CwGraph::setCursorCrosshairStyle(const QString& name, int style)
{
    if (Cursor* c = findCursor(name)) {
        c->crosshair = style;
        applyCursor(*c);
        scheduleReplot();
    }
}

int CwGraph::cursorPointStyle(const QString& name) const
{
    const Cursor* c = findCursor(name);
    return c ? c->point : 0;
}

void CwGraph::setCursorPointStyle(const QString& name, int style)
{
    if (Cursor* c = findCursor(name)) {
        c->point = style;
        applyCursor(*c);
        scheduleReplot();
    }
}

const CwGraph::Plot* CwGraph::snapPlot(const Cursor& cursor) const
{
    if (const Plot* attached = findPlot(cursor.plot); attached && !attached->y.isEmpty())
        return attached;
    if (!cursor.plot.isEmpty() && findPlot(cursor.plot))
        return nullptr; // attached to a plot that has no data yet
    for (const auto& p : plots_) {
        if (p->visible && !p->y.isEmpty())
            return p.get();
    }
    return nullptr;
}

void CwGraph::snapCursor(Cursor& cursor)
{
    if (cursor.snapMode != SnapToPlot)
        return;
    const Plot* p = snapPlot(cursor);
    if (!p || p->xIncrement == 0.0)
        return;
    const double index = std::round((cursor.x - p->xFirst) / p->xIncrement);
    const int i = int(std::clamp(index, 0.0, double(p->y.size() - 1)));
    cursor.x = p->xFirst + i * p->xIncrement;
    cursor.y = p->y[i];
}

void CwGraph::snapAll()
{
    for (auto& c : cursors_) {
        snapCursor(*c);
        applyCursor(*c);
    }
}

void CwGraph::applyCursor(Cursor& cursor)
{
    QwtPlotMarker* m = cursor.marker;
    const QColor color = colorFromBgr(cursor.color);
    switch (cursor.crosshair) {
    case CrosshairHorizontal:
        m->setLineStyle(QwtPlotMarker::HLine);
        break;
    case CrosshairVertical:
        m->setLineStyle(QwtPlotMarker::VLine);
        break;
    case CrosshairBoth:
        m->setLineStyle(QwtPlotMarker::Cross);
        break;
    default:
        m->setLineStyle(QwtPlotMarker::NoLine);
        break;
    }
    m->setLinePen(color, 1, Qt::SolidLine);
    if (cursor.point != PointNone)
        m->setSymbol(new QwtSymbol(QwtSymbol::Rect, Qt::NoBrush, QPen(color, 1), QSize(9, 9)));
    else
        m->setSymbol(nullptr);
    m->setValue(cursor.x, cursor.y);
    m->setVisible(cursor.visible);
}

// --- track mode, pictures ------------------------------------------------------------------

void CwGraph::setTrackMode(int mode)
{
    trackMode_ = mode;
}

void CwGraph::setPlotAreaImage(const QImage& image)
{
    plotAreaImage_ = image;
    for (QwtPlotItem* item : plot_->itemList(QwtPlotItem::Rtti_PlotUserItem))
        static_cast<PlotFaceItem*>(item)->setImage(image);
    scheduleReplot();
}

bool CwGraph::loadPlotAreaImage(const QString& path)
{
    const QImage image = ReadPictureFile(path);
    if (image.isNull())
        return false;
    setPlotAreaImage(image);
    return true;
}

void CwGraph::setPlotAreaColor(int bgr)
{
    plotAreaColor_ = bgr;
    updateCanvasBackground();
    scheduleReplot();
}

void CwGraph::updateCanvasBackground()
{
    QWidget* canvas = plot_->canvas();
    QPalette pal = canvas->palette();
    pal.setColor(QPalette::Window, colorFromBgr(plotAreaColor_));
    canvas->setPalette(pal);
}

void CwGraph::setGridVisible(bool visible)
{
    grid_->setVisible(visible);
    scheduleReplot();
}

bool CwGraph::gridVisible() const
{
    return grid_->isVisible();
}

QImage CwGraph::picture()
{
    replotTimer_->stop();
    plot_->replot();
    return grab().toImage();
}

void CwGraph::scheduleReplot()
{
    if (!replotTimer_->isActive())
        replotTimer_->start();
}

void CwGraph::prepareOverduePaint()
{
    if (!replotTimer_->isActive())
        return;
    replotTimer_->stop();
    plot_->updateAxes();
    static_cast<QwtPlotCanvas*>(plot_->canvas())->invalidateBackingStore();
}

QWidget* CwGraph::plotArea() const
{
    return plot_->canvas();
}

QPoint CwGraph::plotAreaPoint(double x, double y) const
{
    const QwtScaleMap xm = plot_->canvasMap(QwtPlot::xBottom);
    const QwtScaleMap ym = plot_->canvasMap(QwtPlot::yLeft);
    return QPoint(int(std::lround(xm.transform(x))), int(std::lround(ym.transform(y))));
}

QPointF CwGraph::axisPoint(const QPoint& pixel) const
{
    const QwtScaleMap xm = plot_->canvasMap(QwtPlot::xBottom);
    const QwtScaleMap ym = plot_->canvasMap(QwtPlot::yLeft);
    return {xm.invTransform(pixel.x()), ym.invTransform(pixel.y())};
}

std::optional<std::pair<double, double>> CwGraph::yAxisEndRows() const
{
    if (laidOutSize_ != size())
        return std::nullopt;
    const QwtScaleMap ym = plot_->canvasMap(QwtPlot::yLeft);
    const double canvasTop = plot_->canvas()->mapTo(this, QPoint()).y();
    return std::make_pair(canvasTop + ym.transform(y_.minimum),
                          canvasTop + ym.transform(y_.maximum));
}

QSize CwGraph::sizeHint() const
{
    return {520, 420};
}

// --- mouse ---------------------------------------------------------------------------------

bool CwGraph::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // A paint that comes before the scheduled replot (a grab of the window, a repaint of
        // the plot area) shows the current state; the plot paints before its canvas and axes.
        if (watched == plot_ || watched == plot_->canvas())
            prepareOverduePaint();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
        if (watched == plot_->canvas())
            return canvasMouse(event);
        if (watched == plot_)
            return graphMouse(plot_, event);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool CwGraph::graphMouse(QWidget* source, QEvent* event)
{
    // Presses outside the plot area (on the axes and margins) report mouse events only.
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint pixel = plot_->canvas()->mapFrom(source, me->pos());
    const QPointF at = axisPoint(pixel);
    const int shift = shiftCode(me->modifiers());
    if (event->type() == QEvent::MouseButtonPress)
        Q_EMIT mouseDown(buttonCode(me->button()), shift, at.x(), at.y());
    else if (event->type() == QEvent::MouseButtonRelease)
        Q_EMIT mouseUp(buttonCode(me->button()), shift, at.x(), at.y());
    else if (event->type() == QEvent::MouseMove)
        Q_EMIT mouseMove(buttonsCode(me->buttons()), shift, at.x(), at.y());
    return true;
}

bool CwGraph::canvasMouse(QEvent* event)
{
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint pixel = me->pos();
    const int shift = shiftCode(me->modifiers());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const int button = buttonCode(me->button());
        const int mode = trackMode_; // what this press does is decided before the handlers run
        const QPointF at = axisPoint(pixel);
        Q_EMIT mouseDown(button, shift, at.x(), at.y());
        Q_EMIT plotAreaMouseDown(button, shift, at.x(), at.y());
        if (button == 1 && dragButton_ == 0) {
            dragButton_ = 1;
            startDrag(pixel, mode);
        }
        return true;
    }
    case QEvent::MouseMove: {
        if (dragButton_ != 0)
            continueDrag(pixel);
        const QPointF at = axisPoint(pixel);
        Q_EMIT mouseMove(buttonsCode(me->buttons()), shift, at.x(), at.y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const int button = buttonCode(me->button());
        if (button == 1 && dragButton_ == 1)
            finishDrag(pixel);
        const QPointF at = axisPoint(pixel);
        Q_EMIT mouseUp(button, shift, at.x(), at.y());
        return true;
    }
    default:
        return false;
    }
}

CwGraph::Cursor* CwGraph::cursorAt(const QPoint& pixel) const
{
    Cursor* best = nullptr;
    int bestDistance = GrabPixels + 1;
    for (const auto& c : cursors_) {
        if (!c->visible)
            continue;
        const QPoint at = plotAreaPoint(c->x, c->y);
        const int dx = std::abs(at.x() - pixel.x());
        const int dy = std::abs(at.y() - pixel.y());
        int distance = GrabPixels + 1;
        switch (c->crosshair) {
        case CrosshairVertical:
            distance = dx;
            break;
        case CrosshairHorizontal:
            distance = dy;
            break;
        case CrosshairBoth:
            distance = std::min(dx, dy);
            break;
        default:
            distance = std::max(dx, dy);
            break;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = c.get();
        }
    }
    return best;
}

void CwGraph::startDrag(const QPoint& pixel, int mode)
{
    dragMode_ = mode;
    dragStart_ = pixel;
    dragLast_ = pixel;
    dragCursor_.clear();
    if (mode == TrackDragCursors) {
        if (const Cursor* c = cursorAt(pixel))
            dragCursor_ = c->name;
    } else if (mode == TrackPan) {
        panStartX_ = x_;
        panStartY_ = y_;
        panXMap_ = std::make_unique<QwtScaleMap>(plot_->canvasMap(QwtPlot::xBottom));
        panYMap_ = std::make_unique<QwtScaleMap>(plot_->canvasMap(QwtPlot::yLeft));
    } else if (mode == TrackZoom) {
        rubberBand_->setGeometry(QRect(pixel, QSize()));
        rubberBand_->show();
    }
}

QPointF CwGraph::panStartPoint(const QPoint& pixel) const
{
    return {panXMap_->invTransform(pixel.x()), panYMap_->invTransform(pixel.y())};
}

void CwGraph::continueDrag(const QPoint& pixel)
{
    if (dragMode_ == TrackDragCursors && !dragCursor_.isEmpty()) {
        const QRect area = plot_->canvas()->contentsRect();
        const QPoint inside(std::clamp(pixel.x(), area.left(), area.right()),
                            std::clamp(pixel.y(), area.top(), area.bottom()));
        const QPointF at = axisPoint(inside);
        const QString name = dragCursor_;
        moveCursor(name, at.x(), at.y());
        Q_EMIT cursorChange(name, cursorX(name), cursorY(name));
    } else if (dragMode_ == TrackPan) {
        // Measured from the press with the scales of the press, so that a change of the axis
        // label widths during the pan does not creep into the shift.
        const QPointF shift = panStartPoint(dragStart_) - panStartPoint(pixel);
        x_.minimum = panStartX_.minimum + shift.x();
        x_.maximum = panStartX_.maximum + shift.x();
        y_.minimum = panStartY_.minimum + shift.y();
        y_.maximum = panStartY_.maximum + shift.y();
        x_.autoScale = false;
        y_.autoScale = false;
        applyAxes();
    } else if (dragMode_ == TrackZoom) {
        rubberBand_->setGeometry(QRect(dragStart_, pixel).normalized());
    }
    dragLast_ = pixel;
}

void CwGraph::finishDrag(const QPoint& pixel)
{
    continueDrag(pixel);
    if (dragMode_ == TrackZoom) {
        rubberBand_->hide();
        const QRect r = QRect(dragStart_, pixel).normalized();
        if (r.width() >= MinZoomPixels && r.height() >= MinZoomPixels) {
            const QPointF a = axisPoint(r.topLeft());
            const QPointF b = axisPoint(r.bottomRight());
            x_ = Axis{std::min(a.x(), b.x()), std::max(a.x(), b.x()), false, x_.visible};
            y_ = Axis{std::min(a.y(), b.y()), std::max(a.y(), b.y()), false, y_.visible};
            applyAxes();
        }
    }
    dragButton_ = 0;
    dragMode_ = 0;
    dragCursor_.clear();
}

} // namespace kv
