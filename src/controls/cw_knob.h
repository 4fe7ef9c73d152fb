#pragma once

#include "controls/layer.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace kv {

// Rotary knob of the instrument face.
//
// A knob either has labelled positions (setPositions: 1-based, each with a label drawn around
// the knob and a value) or, without positions, a continuous pointer between the axis minimum
// and maximum. Pointer 1 is the knob's pointer; its value is the value of the selected position.
//
// Changing the selected position (setPosition, setPointerValue, or the user by click, drag,
// wheel or arrow keys) emits positionChanged(position) and then pointerValueChanged(1, value) at
// once, through direct connections, before the setter returns; selecting the position already
// selected emits nothing. Connect to one of the two.
class CwKnob : public QWidget
{
    Q_OBJECT

  public:
    explicit CwKnob(QWidget* parent = nullptr);

    // Labelled positions; values default to position - 1 when not given (or sized wrongly).
    // Keeps the selected position when it still exists, else selects position 1; emits nothing.
    void setPositions(const QStringList& labels, const QVector<double>& values = {});
    int positionCount() const { return int(labels_.size()); }
    QString positionLabel(int position) const;
    double positionValue(int position) const;

    // 1-based selected position; 0 when the knob has no positions. Out-of-range values are
    // ignored.
    int position() const { return position_; }
    void setPosition(int position);

    // Value of pointer 1: the value of the selected position, or the continuous value.
    double value() const;
    void setValue(double value) { setPointerValue(1, value); }

    // Pointers are 1-based; the knob has one. Setting the value of a knob with positions selects
    // the position whose value is nearest.
    int pointerCount() const { return 1; }
    double pointerValue(int pointer) const;
    void setPointerValue(int pointer, double value);
    int pointerColor(int pointer) const;
    void setPointerColor(int pointer, int bgr);

    // Range of a continuous knob.
    double axisMinimum() const { return axisMin_; }
    void setAxisMinimum(double value);
    double axisMaximum() const { return axisMax_; }
    void setAxisMaximum(double value);

    // Centre of the label of a position in widget coordinates (for drawing and tests).
    QPointF labelCenter(int position) const;
    // The box a position's label is drawn in, and the font it is drawn with (bold when the
    // position is selected); empty for a position that does not exist.
    QRectF labelBox(int position) const;
    QFont labelFont() const;

    QSize sizeHint() const override;

  Q_SIGNALS:
    void positionChanged(int position);
    void pointerValueChanged(int pointer, double value);
    void mouseDown();
    void mouseMove();
    void mouseUp();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Layout
    {
        QFont font;
        QPointF center; // of the dial
        double radius = 0.0;
        QVector<QRectF> boxes; // label boxes by position
        // True when the boxes of neighbouring labels overlap.
        bool overlapping() const;
        // The labels' boxes together.
        QRectF extent() const
        {
            QRectF all;
            for (const QRectF& box : boxes)
                all |= box;
            return all;
        }
    };

    // The layout for the current size, font and labels, computed once for them.
    const Layout& layout() const;
    // lift: how much further out the labels over the dial stand.
    Layout layoutFor(const QFont& labelFont, double lift) const;
    double fractionOfPosition(int position) const;
    void selectPosition(int position);
    void setContinuous(double value);
    void followMouse(const QPointF& point);
    double angleOfFraction(double fraction) const;
    double fractionOfPoint(const QPointF& point) const;
    QPointF dialCenter() const;
    double dialRadius() const;

    QStringList labels_;
    QVector<double> values_;
    int position_ = 0;
    double continuous_ = 0.0;
    double axisMin_ = 0.0;
    double axisMax_ = 10.0;
    int pointerColor_ = 0xFFFFFF;
    bool dragging_ = false;
    mutable Layout layout_;
    mutable QSize layoutSize_;
    mutable QFont layoutFont_;
    mutable bool layoutValid_ = false;
};

} // namespace kv
