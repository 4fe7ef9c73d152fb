#include "controls/cw_knob.h"

#include "controls/control_fonts.h"
#include "controls/cw_color.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// The pointer sweeps 270 degrees, from lower left (first position) to lower right (last).
constexpr double StartAngle = 225.0;
constexpr double Sweep = 270.0;

} // namespace

CwKnob::CwKnob(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::WheelFocus);
    setMouseTracking(true);
}

void CwKnob::setPositions(const QStringList& labels, const QVector<double>& values)
{
    labels_ = labels;
    layoutValid_ = false;
    values_.clear();
    for (int i = 0; i < labels.size(); ++i)
        values_.append(values.size() == labels.size() ? values[i] : double(i));
    if (labels_.isEmpty())
        position_ = 0;
    else if (position_ < 1 || position_ > labels_.size())
        position_ = 1;
    update();
}

QString CwKnob::positionLabel(int position) const
{
    return position >= 1 && position <= labels_.size() ? labels_[position - 1] : QString();
}

double CwKnob::positionValue(int position) const
{
    return position >= 1 && position <= values_.size() ? values_[position - 1] : 0.0;
}

void CwKnob::setPosition(int position)
{
    if (position < 1 || position > labels_.size())
        return;
    selectPosition(position);
}

void CwKnob::selectPosition(int position)
{
    if (position == position_)
        return;
    position_ = position;
    update();
    Q_EMIT positionChanged(position);
    Q_EMIT pointerValueChanged(1, positionValue(position));
}

void CwKnob::setContinuous(double value)
{
    if (value == continuous_)
        return;
    continuous_ = value;
    update();
    Q_EMIT pointerValueChanged(1, value);
}

double CwKnob::value() const
{
    return labels_.isEmpty() ? continuous_ : positionValue(position_);
}

double CwKnob::pointerValue(int pointer) const
{
    return pointer == 1 ? value() : 0.0;
}

void CwKnob::setPointerValue(int pointer, double value)
{
    if (pointer != 1)
        return;
    if (labels_.isEmpty()) {
        setContinuous(value);
        return;
    }
    int best = 1;
    for (int p = 2; p <= values_.size(); ++p) {
        if (std::abs(values_[p - 1] - value) < std::abs(values_[best - 1] - value))
            best = p;
    }
    selectPosition(best);
}

int CwKnob::pointerColor(int pointer) const
{
    return pointer == 1 ? pointerColor_ : 0;
}

void CwKnob::setPointerColor(int pointer, int bgr)
{
    if (pointer != 1)
        return;
    pointerColor_ = bgr;
    update();
}

void CwKnob::setAxisMinimum(double value)
{
    axisMin_ = value;
    update();
}

void CwKnob::setAxisMaximum(double value)
{
    axisMax_ = value;
    update();
}

QPointF CwKnob::dialCenter() const
{
    return layout().center;
}

double CwKnob::dialRadius() const
{
    return layout().radius;
}

double CwKnob::angleOfFraction(double fraction) const
{
    return StartAngle - Sweep * fraction;
}

double CwKnob::fractionOfPosition(int position) const
{
    const int n = positionCount();
    return n <= 1 ? 0.5 : double(position - 1) / (n - 1);
}

double CwKnob::fractionOfPoint(const QPointF& point) const
{
    const QPointF d = point - dialCenter();
    double angle = qRadiansToDegrees(std::atan2(-d.y(), d.x())); // -180..180, 0 = right
    double fromStart = StartAngle - angle;                       // clockwise from the start
    while (fromStart < 0)
        fromStart += 360.0;
    while (fromStart >= 360.0)
        fromStart -= 360.0;
    if (fromStart > Sweep) // the dead zone at the bottom: the nearer end
        return fromStart - Sweep < (360.0 - Sweep) / 2 ? 1.0 : 0.0;
    return fromStart / Sweep;
}

CwKnob::Layout CwKnob::layoutFor(const QFont& labelFont, double lift) const
{
    Layout l;
    l.font = labelFont;
    QFont bold = labelFont;
    bold.setBold(true);
    const QFontMetricsF fm(bold);
    double widest = 0;
    for (const QString& label : labels_)
        widest = std::max(widest, fm.horizontalAdvance(label));
    const double h = fm.height();
    l.radius = labels_.isEmpty()
                   ? std::min(width(), height()) / 2.0 - 4.0
                   : std::min(width() / 2.0 - widest - 12.0, height() / 2.0 - h - 12.0);
    // A dial of at least a sixth of the knob's size; the labels make room for it.
    l.radius = std::max(std::min(width(), height()) / 6.0, l.radius);
    l.center = QRectF(rect()).center();
    QRectF extent(l.center - QPointF(l.radius, l.radius), QSizeF(2 * l.radius, 2 * l.radius));
    for (int pos = 1; pos <= positionCount(); ++pos) {
        const double a = qDegreesToRadians(angleOfFraction(fractionOfPosition(pos)));
        const QPointF dir(std::cos(a), -std::sin(a));
        const double w = fm.horizontalAdvance(labels_[pos - 1]) + 2.0;
        // Far enough out that the label's box clears the scale marks in every direction; the
        // labels over and under the dial, where they stand side by side, further out by the
        // lift (the more the nearer the top, so that the labels at the sides keep their place).
        const double upright = dir.y() * dir.y();
        const double distance = l.radius + 9.0 + w / 2 * std::abs(dir.x()) +
                                h / 2 * std::abs(dir.y()) + lift * upright * upright;
        QRectF box(0, 0, w, h);
        box.moveCenter(l.center + dir * distance);
        l.boxes.append(box);
        extent |= box;
    }
    // The dial and its labels in the middle of the knob's height: the labels stand higher over
    // the dial than they reach below it, where the scale leaves a gap.
    const QPointF shift(0, QRectF(rect()).center().y() - extent.center().y());
    l.center += shift;
    for (QRectF& box : l.boxes)
        box.translate(shift);
    return l;
}

bool CwKnob::Layout::overlapping() const
{
    for (int i = 1; i < boxes.size(); ++i)
        if (boxes[i - 1].intersects(boxes[i]))
            return true;
    return false;
}

const CwKnob::Layout& CwKnob::layout() const
{
    if (layoutValid_ && layoutSize_ == size() && layoutFont_ == font())
        return layout_;
    // The widget's font (in pixels or points), made smaller until neighbouring labels no longer
    // overlap and every label lies inside the knob's area, down to two thirds of its size.
    // Labels side by side over or under the dial are first lifted apart as far as the area
    // allows.
    const QFont f = font();
    const bool pixels = f.pixelSize() > 0;
    const double full = pixels ? f.pixelSize() : (f.pointSizeF() > 0 ? f.pointSizeF() : 9.0);
    const double step = pixels ? 1.0 : 0.5;
    const QRectF area(rect());
    for (double size = full;; size -= step) {
        const QFont labelFont = fontWithSize(f, size, pixels);
        layout_ = layoutFor(labelFont, 0.0);
        const bool inside = area.contains(layout_.extent());
        for (double lift = 1.0; inside && layout_.overlapping() && lift < height() / 2.0;
             lift += 1.0) {
            Layout lifted = layoutFor(labelFont, lift);
            if (!area.contains(lifted.extent()))
                break;
            layout_ = lifted;
        }
        if ((inside && !layout_.overlapping()) || size - step < full * 2 / 3)
            break;
    }
    layoutSize_ = this->size();
    layoutFont_ = font();
    layoutValid_ = true;
    return layout_;
}

QRectF CwKnob::labelBox(int position) const
{
    const Layout& l = layout();
    return position >= 1 && position <= l.boxes.size() ? l.boxes[position - 1] : QRectF();
}

QFont CwKnob::labelFont() const
{
    return layout().font;
}

QPointF CwKnob::labelCenter(int position) const
{
    const Layout& l = layout();
    if (position < 1 || position > l.boxes.size())
        return dialCenter();
    return l.boxes[position - 1].center();
}

void CwKnob::followMouse(const QPointF& point)
{
    const double f = fractionOfPoint(point);
    if (labels_.isEmpty()) {
        setContinuous(axisMin_ + f * (axisMax_ - axisMin_));
        return;
    }
    const int n = positionCount();
    selectPosition(n == 1 ? 1 : int(std::lround(f * (n - 1))) + 1);
}

void CwKnob::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    Q_EMIT mouseDown();
    // A click on a label selects its position; elsewhere the pointer follows the mouse.
    const Layout& l = layout();
    for (int p = 1; p <= l.boxes.size(); ++p) {
        if (l.boxes[p - 1].adjusted(-3, -2, 3, 2).contains(event->pos())) {
            selectPosition(p);
            return;
        }
    }
    dragging_ = true;
    followMouse(event->pos());
}

void CwKnob::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMove();
    if (dragging_)
        followMouse(event->pos());
}

void CwKnob::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    Q_EMIT mouseUp();
}

void CwKnob::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    if (labels_.isEmpty())
        setContinuous(
            std::clamp(continuous_ + steps * (axisMax_ - axisMin_) / 100.0, axisMin_, axisMax_));
    else
        selectPosition(std::clamp(position_ + steps, 1, positionCount()));
    event->accept();
}

void CwKnob::keyPressEvent(QKeyEvent* event)
{
    int steps = 0;
    if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Up)
        steps = 1;
    else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Down)
        steps = -1;
    if (steps == 0 || labels_.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    selectPosition(std::clamp(position_ + steps, 1, positionCount()));
}

QSize CwKnob::sizeHint() const
{
    return {150, 150};
}

void CwKnob::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    const QPointF c = dialCenter();
    const Layout& l = layout();
    const double r = l.radius;
    const int n = positionCount();
    const QColor labelColor = colorFromBgr(enabled ? face::Label : face::DisabledLabel);

    // Scale marks and labels around the dial.
    for (int pos = 1; pos <= n; ++pos) {
        const double a = qDegreesToRadians(angleOfFraction(fractionOfPosition(pos)));
        const QPointF dir(std::cos(a), -std::sin(a));
        const bool selected = pos == position_;
        p.setPen(QPen(selected && enabled ? colorFromBgr(pointerColor_) : labelColor,
                      selected ? 2.5 : 1.5));
        p.drawLine(c + dir * (r + 2), c + dir * (r + 7));
        QFont f = l.font;
        f.setBold(selected);
        p.setFont(f);
        p.setPen(selected && enabled ? QColor(Qt::white) : labelColor);
        p.drawText(l.boxes[pos - 1], Qt::AlignCenter, labels_[pos - 1]);
    }

    // Knob body: a rim and a shaded cap.
    QRadialGradient rim(c, r);
    rim.setColorAt(0.85, QColor(40, 40, 40));
    rim.setColorAt(1.0, QColor(10, 10, 10));
    p.setPen(QPen(colorFromBgr(face::Bezel), 2));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    QRadialGradient cap(c - QPointF(r * 0.3, r * 0.3), r * 1.2);
    cap.setColorAt(0.0, enabled ? QColor(120, 120, 125) : QColor(80, 80, 80));
    cap.setColorAt(1.0, QColor(25, 25, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    p.drawEllipse(c, r * 0.78, r * 0.78);

    // Pointer line.
    double fraction = fractionOfPosition(position_);
    if (n == 0 && axisMax_ != axisMin_)
        fraction = std::clamp((continuous_ - axisMin_) / (axisMax_ - axisMin_), 0.0, 1.0);
    const double a = qDegreesToRadians(angleOfFraction(fraction));
    const QPointF dir(std::cos(a), -std::sin(a));
    const QColor pointer = enabled ? colorFromBgr(pointerColor_) : QColor(90, 90, 90);
    p.setPen(QPen(pointer, std::max(2.0, r / 12), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (r * 0.2), c + dir * (r * 0.72));
    p.setPen(Qt::NoPen);
    p.setBrush(pointer);
    p.drawEllipse(c + dir * (r * 0.9), r * 0.06 + 1, r * 0.06 + 1);
}

} // namespace kv
