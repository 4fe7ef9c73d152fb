#pragma once

#include "controls/layer.h"

#include <QImage>
#include <QMap>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <optional>
#include <utility>

namespace kv {

// Slide of the instrument face: a track with one or more named pointers (coloured triangles),
// or a selector with labelled positions, or a progress bar.
//
// Pointers are 1-based. A slide without labelled positions has continuous pointers between the
// axis minimum and maximum; a slide with labelled positions (setPositions) has one pointer whose
// value is the selected position minus 1.
//
// Changing a pointer's value from code (setPointerValue, setPosition, setValue) or by a user's
// drag, click or key emits pointerValueChanged(pointer, value) at once, through a direct
// connection, before the setter returns, and only when the value really changes; a slide with
// positions emits positionChanged(position) just before it. Values set from code are kept as
// given (not clamped to the axis); values set by the user lie within the axis.
//
// Pointers are stacked by index: pointer 1 is drawn on top of pointer 2, and so on. The mouse
// and the keys only ever take a visible pointer: a press takes the topmost pointer drawn under
// the mouse (so of pointers at one value, the one the user sees), the arrow keys and the wheel
// move the topmost visible pointer.
class CwSlide : public QWidget
{
    Q_OBJECT

  public:
    enum class Look
    {
        Pointers, // triangles on a track (or the "Pointer-1"/"Trigger" images when set)
        Progress, // a bar filled from the axis minimum up to pointer 1
    };

    explicit CwSlide(QWidget* parent = nullptr);
    explicit CwSlide(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return orientation_; }
    void setOrientation(Qt::Orientation orientation);

    // Vertical slides draw the axis minimum at the bottom unless inverted; horizontal slides
    // draw it at the left unless inverted. Inverted vertical slides show graph units growing
    // downward, as the graph's Y axis does for the inverted sample counts.
    bool isInverted() const { return inverted_; }
    void setInverted(bool inverted);

    Look look() const { return look_; }
    void setLook(Look look);

    double axisMinimum() const { return axisMin_; }
    void setAxisMinimum(double value);
    double axisMaximum() const { return axisMax_; }
    void setAxisMaximum(double value);

    // The ends of the track in the slide's own coordinates (top and bottom of a vertical slide,
    // left and right of a horizontal one), where the axis ends are drawn: so that the slide's
    // values line up with the scale of a control beside it. Without them (or after
    // clearTrackEnds) the track runs the slide's length, less room for half a pointer at each end.
    void setTrackEnds(double first, double last);
    void clearTrackEnds();

    // Pointers. A new slide has one pointer named "Pointer-1" at 0. addPointer returns the new
    // 1-based index; pointerIndex returns 0 for an unknown name.
    int addPointer(const QString& name, double value = 0.0, int bgr = 0x00FFFF);
    void setPointerCount(int count);
    int pointerCount() const { return int(pointers_.size()); }
    int pointerIndex(const QString& name) const;
    QString pointerName(int pointer) const;
    void setPointerName(int pointer, const QString& name);
    // Unknown indexes read as 0 / false and are ignored when written.
    double pointerValue(int pointer) const;
    void setPointerValue(int pointer, double value);
    int pointerColor(int pointer) const;
    void setPointerColor(int pointer, int bgr);
    bool pointerVisible(int pointer) const;
    void setPointerVisible(int pointer, bool visible);

    // Value of pointer 1.
    double value() const { return pointerValue(1); }
    void setValue(double value) { setPointerValue(1, value); }

    // Labelled positions (a selector). Setting them keeps the selected position when it still
    // exists, else selects position 1; emits nothing.
    void setPositions(const QStringList& labels);
    int positionCount() const { return int(labels_.size()); }
    QString positionLabel(int position) const;
    // 1-based selected position; 0 without positions. Out-of-range positions are ignored.
    int position() const;
    void setPosition(int position);

    // Named images: "Background" (drawn over the whole track), "Pointer-1" (pointer 1) and
    // "Trigger" (pointer 2). A null image restores the drawn look.
    void setImage(const QString& name, const QImage& image);
    QImage image(const QString& name) const { return images_.value(name); }

    // Where a pointer's value is drawn along the track, in widget coordinates (for tests).
    QPointF pointerPoint(int pointer) const;
    QPointF positionPoint(int position) const;
    // The box a position's label is drawn in (the font's height, to the slide's edge), and the
    // font it is drawn with (bold when the position is selected).
    QRectF positionLabelRect(int position) const;
    QFont positionLabelFont(int position) const;

    QSize sizeHint() const override;

  Q_SIGNALS:
    void pointerValueChanged(int pointer, double value);
    void positionChanged(int position);
    // The pointer under the mouse at the press (0 when the press missed every pointer).
    void mouseDown(int pointer);
    void mouseMove();
    void mouseUp(int pointer);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    struct Pointer
    {
        QString name;
        double value = 0.0;
        int color = 0x00FFFF;
        bool visible = true;
    };

    bool validPointer(int pointer) const;
    QRectF trackRect() const;
    double fractionOf(double value) const;
    double valueAt(const QPointF& point) const;
    QPainterPath pointerShape(int pointer) const;
    int pointerAt(const QPointF& point) const;
    int nearestVisiblePointer(const QPointF& point, double range) const;
    int topVisiblePointer() const;
    int nearestPosition(const QPointF& point) const;
    void userMove(int pointer, const QPointF& point);
    void step(int steps);
    int upStep() const;
    void paintTrack(QPainter& painter) const;
    void paintPositions(QPainter& painter) const;
    void paintPointer(QPainter& painter, int pointer) const;

    Qt::Orientation orientation_ = Qt::Vertical;
    bool inverted_ = false;
    Look look_ = Look::Pointers;
    double axisMin_ = 0.0;
    double axisMax_ = 10.0;
    QVector<Pointer> pointers_;
    QStringList labels_;
    QMap<QString, QImage> images_;
    int dragging_ = 0;
    std::optional<std::pair<double, double>> trackEnds_;
};

} // namespace kv
