#pragma once

#include "controls/layer.h"

#include <QImage>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QwtPlot;
class QwtPlotMarker;
class QwtPlotGrid;
class QwtScaleMap;
class QTimer;

namespace kv {

// Graph of the instrument face: named plots, an X and a Y axis, named cursors, a plot-area
// picture behind the traces, a 10 x 8 division grid, and what a drag in the plot area does
// (the track mode).
//
// Plots, cursors and axes are addressed by name (plots and cursors) or number (axes 1 = X,
// 2 = Y; also by the names "XAxis" and "YAxis-1"). Unknown names are ignored when written and
// read as defaults (0, false, empty), so a stale name never crashes a handler.
//
// Y axis direction: with setYAxisDownward(true) graph units grow downward (the axis minimum is
// drawn at the top), which is how the inverted sample counts show a positive voltage above its
// zero line.
//
// Mouse events carry the button (1 left, 2 right, 4 middle), the shift state (1 Shift,
// 2 Ctrl, 4 Alt, added) and the mouse position in axis units. Order at a press: mouseDown,
// then plotAreaMouseDown when the press is inside the plot area. At a release the control first
// applies a zoom or pan, then emits mouseUp. While the user drags a cursor (track mode 2),
// cursorChange(name, x, y) follows each move with the cursor's new position. Nothing is emitted
// for changes made from code.
class CwGraph : public QWidget
{
    Q_OBJECT

  public:
    // Axes.
    static constexpr int XAxis = 1;
    static constexpr int YAxis = 2;
    // Track modes.
    static constexpr int TrackNothing = 1;
    static constexpr int TrackDragCursors = 2;
    static constexpr int TrackPan = 3;
    static constexpr int TrackZoom = 6;
    // Cursor crosshair styles.
    static constexpr int CrosshairNone = 0;
    static constexpr int CrosshairVertical = 2;
    static constexpr int CrosshairHorizontal = 6;
    static constexpr int CrosshairBoth = 8;
    // Cursor point styles.
    static constexpr int PointNone = 0;
    static constexpr int PointMarker = 1;
    // Cursor snap modes.
    static constexpr int SnapFloating = 0;
    static constexpr int SnapToPlot = 1;

    explicit CwGraph(QWidget* parent = nullptr);
    ~CwGraph() override;

    // Plots. addPlot returns the 1-based index (an existing name returns its index).
    int addPlot(const QString& name, int bgr = 0x00FF00);
    int plotCount() const { return int(plots_.size()); }
    QStringList plotNames() const;
    QString plotName(int index) const; // 1-based; "" when out of range
    bool hasPlot(const QString& name) const;
    bool plotVisible(const QString& name) const;
    void setPlotVisible(const QString& name, bool visible);
    int plotColor(const QString& name) const;
    void setPlotColor(const QString& name, int bgr);
    int plotLineWidth(const QString& name) const;
    void setPlotLineWidth(const QString& name, int width);
    // Plots y; point i at X = xFirst + i * xIncrement. Cursors snapped to the plot follow it.
    void plotY(const QString& name, const QVector<double>& y, double xFirst = 0.0,
               double xIncrement = 1.0);
    void clearPlot(const QString& name);
    QVector<double> plotYData(const QString& name) const;
    double plotXFirst(const QString& name) const;
    double plotXIncrement(const QString& name) const;

    // Axes (1 = X, 2 = Y). Limits are kept as set, even while minimum > maximum between two
    // calls; the view shows the ordered range.
    static int axisIndex(const QString& name); // "XAxis" 1, "YAxis-1" 2, else 0
    double axisMinimum(int axis) const;
    void setAxisMinimum(int axis, double value);
    double axisMaximum(int axis) const;
    void setAxisMaximum(int axis, double value);
    void setAxisMinMax(int axis, double minimum, double maximum);
    // Fits the axis to the data of the visible plots once (no change without data).
    void autoScaleOnce(int axis);
    // While on, the axis fits the data after every plot.
    bool axisAutoScale(int axis) const;
    void setAxisAutoScale(int axis, bool on);
    bool axisVisible(int axis) const;
    void setAxisVisible(int axis, bool visible);

    bool yAxisDownward() const { return yDownward_; }
    void setYAxisDownward(bool downward);

    // Cursors. addCursor returns the 1-based index (an existing name returns its index); a new
    // cursor stands at the centre of the view, floating, visible, crosshair both, no point.
    int addCursor(const QString& name, int bgr = 0xFFFFFF);
    void removeCursor(const QString& name);
    int cursorCount() const { return int(cursors_.size()); }
    QStringList cursorNames() const;
    bool hasCursor(const QString& name) const;
    double cursorX(const QString& name) const;
    void setCursorX(const QString& name, double x);
    double cursorY(const QString& name) const;
    void setCursorY(const QString& name, double y);
    void moveCursor(const QString& name, double x, double y);
    int cursorColor(const QString& name) const;
    void setCursorColor(const QString& name, int bgr);
    bool cursorVisible(const QString& name) const;
    void setCursorVisible(const QString& name, bool visible);
    // Snap mode 1: the cursor sits on a point of its plot (the attached plot, else the first
    // visible plot with data) and its Y is that point's value.
    int cursorSnapMode(const QString& name) const;
    void setCursorSnapMode(const QString& name, int mode);
    QString cursorPlot(const QString& name) const;
    void setCursorPlot(const QString& name, const QString& plotName);
    int cursorCrosshairStyle(const QString& name) const;
    void setCursorCrosshairStyle(const QString& name, int style);
    int cursorPointStyle(const QString& name) const;
    void setCursorPointStyle(const QString& name, int style);

    int trackMode() const { return trackMode_; }
    void setTrackMode(int mode);

    // Picture behind the plots, scaled to the plot area; a null image shows the plain face.
    QImage plotAreaImage() const { return plotAreaImage_; }
    void setPlotAreaImage(const QImage& image);
    // Loads the plot-area picture from a file; false (and the picture unchanged) when the file
    // cannot be read or is refused (ReadPictureFile).
    bool loadPlotAreaImage(const QString& path);

    void setPlotAreaColor(int bgr);

    // The dotted 10 x 8 division grid (on by default).
    bool gridVisible() const;
    void setGridVisible(bool visible);

    // The graph as drawn now, the size of the widget (a replot still scheduled is done first).
    QImage picture();

    // For tests and tools: the plot area widget and the point of axis coordinates in it.
    QWidget* plotArea() const;
    QPoint plotAreaPoint(double x, double y) const;
    QPointF axisPoint(const QPoint& plotAreaPixel) const;

    // The rows, in the graph's own coordinates and unrounded, at which the Y axis draws its
    // minimum and its maximum. They stay where they are when the limits change; they move when
    // the graph is laid out anew (yAxisPlaced). Unknown (nullopt) until the graph has been laid
    // out at its present size: a graph resized while hidden is laid out when it is shown.
    std::optional<std::pair<double, double>> yAxisEndRows() const;

    QSize sizeHint() const override;

  Q_SIGNALS:
    void mouseDown(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void plotAreaMouseDown(int button, int shift, double x, double y);
    void cursorChange(const QString& name, double x, double y);
    // The graph has been laid out (shown, resized, its axes measured anew): the plot area and
    // the rows of the Y axis ends may have moved.
    void yAxisPlaced();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Plot;
    struct Cursor;
    struct Axis
    {
        double minimum = 0.0;
        double maximum = 10.0;
        bool autoScale = false;
        bool visible = true;
    };

    Plot* findPlot(const QString& name) const;
    Cursor* findCursor(const QString& name) const;
    Axis* axis(int index);
    const Axis* axis(int index) const;
    bool dataRange(int axis, double& minimum, double& maximum) const;
    void applyAxes();
    void applyAutoScale();
    void applyCursor(Cursor& cursor);
    void snapCursor(Cursor& cursor);
    void snapAll();
    const Plot* snapPlot(const Cursor& cursor) const;
    void updateCanvasBackground();
    // Property changes replot at most once per screen refresh; picture() and any paint before
    // then draw the current state.
    void scheduleReplot();
    void prepareOverduePaint();
    bool canvasMouse(QEvent* event);
    bool graphMouse(QWidget* source, QEvent* event);
    void startDrag(const QPoint& pixel, int mode);
    void continueDrag(const QPoint& pixel);
    void finishDrag(const QPoint& pixel);
    Cursor* cursorAt(const QPoint& pixel) const;
    QPointF panStartPoint(const QPoint& pixel) const;

    QwtPlot* plot_ = nullptr;
    QwtPlotGrid* grid_ = nullptr;
    std::vector<std::unique_ptr<Plot>> plots_;
    std::vector<std::unique_ptr<Cursor>> cursors_;
    Axis x_;
    Axis y_{-10.0, 10.0, false, true};
    bool yDownward_ = false;
    int trackMode_ = TrackNothing;
    QImage plotAreaImage_;
    int plotAreaColor_ = 0x000000;
    QSize laidOutSize_; // the graph's size at the last layout of the plot in its whole box

    // Drag in progress.
    int dragButton_ = 0;
    int dragMode_ = 0;
    QPoint dragStart_;
    QPoint dragLast_;
    QString dragCursor_;
    Axis panStartX_;
    Axis panStartY_;
    std::unique_ptr<QwtScaleMap> panXMap_;
    std::unique_ptr<QwtScaleMap> panYMap_;
    QWidget* rubberBand_ = nullptr;
    QTimer* replotTimer_ = nullptr;
    static constexpr int ReplotIntervalMs = 16;
};

} // namespace kv
