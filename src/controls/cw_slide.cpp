#include "controls/cw_slide.h"

#include "controls/cw_color.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace kv {

namespace {

constexpr double EndMargin = 9.0;   // room for half a pointer at either end of the track
constexpr double GrabRange = 9.0;   // how near (along the track) a press grabs a pointer
constexpr double PointerSize = 9.0; // half the base of a pointer triangle

// The named image drawn in place of a pointer.
QString pointerImageName(int pointer)
{
    return pointer == 1   ? QStringLiteral("Pointer-1")
           : pointer == 2 ? QStringLiteral("Trigger")
                          : QString();
}

// The height of a label in the bold face of a font (a selected position's label).
double boldHeight(QFont font)
{
    font.setBold(true);
    return QFontMetricsF(font).height();
}

} // namespace

CwSlide::CwSlide(QWidget* parent) : CwSlide(Qt::Vertical, parent) {}

CwSlide::CwSlide(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation)
{
    pointers_.append(Pointer{QStringLiteral("Pointer-1"), 0.0, 0x00FFFF, true});
    setFocusPolicy(Qt::WheelFocus);
    setMouseTracking(true);
}

void CwSlide::setOrientation(Qt::Orientation orientation)
{
    orientation_ = orientation;
    update();
}

void CwSlide::setInverted(bool inverted)
{
    inverted_ = inverted;
    update();
}

void CwSlide::setLook(Look look)
{
    look_ = look;
    update();
}

void CwSlide::setAxisMinimum(double value)
{
    axisMin_ = value;
    update();
}

void CwSlide::setAxisMaximum(double value)
{
    axisMax_ = value;
    update();
}

void CwSlide::setTrackEnds(double first, double last)
{
    trackEnds_ = std::make_pair(first, last);
    update();
}

void CwSlide::clearTrackEnds()
{
    trackEnds_.reset();
    update();
}

int CwSlide::addPointer(const QString& name, double value, int bgr)
{
    pointers_.append(Pointer{name, value, bgr, true});
    update();
    return pointerCount();
}

void CwSlide::setPointerCount(int count)
{
    count = std::max(count, 1);
    while (pointerCount() > count)
        pointers_.removeLast();
    while (pointerCount() < count)
        pointers_.append(Pointer{QStringLiteral("Pointer-%1").arg(pointerCount() + 1)});
    update();
}

bool CwSlide::validPointer(int pointer) const
{
    return pointer >= 1 && pointer <= pointerCount();
}

int CwSlide::pointerIndex(const QString& name) const
{
    for (int i = 0; i < pointers_.size(); ++i) {
        if (pointers_[i].name == name)
            return i + 1;
    }
    return 0;
}

QString CwSlide::pointerName(int pointer) const
{
    return validPointer(pointer) ? pointers_[pointer - 1].name : QString();
}

void CwSlide::setPointerName(int pointer, const QString& name)
{
    if (validPointer(pointer))
        pointers_[pointer - 1].name = name;
}

double CwSlide::pointerValue(int pointer) const
{
    return validPointer(pointer) ? pointers_[pointer - 1].value : 0.0;
}

void CwSlide::setPointerValue(int pointer, double value)
{
    if (!validPointer(pointer))
        return;
    if (!labels_.isEmpty() && pointer == 1) {
        setPosition(int(std::lround(value)) + 1);
        return;
    }
    Pointer& p = pointers_[pointer - 1];
    if (p.value == value)
        return;
    p.value = value;
    update();
    Q_EMIT pointerValueChanged(pointer, value);
}

int CwSlide::pointerColor(int pointer) const
{
    return validPointer(pointer) ? pointers_[pointer - 1].color : 0;
}

void CwSlide::setPointerColor(int pointer, int bgr)
{
    if (!validPointer(pointer))
        return;
    pointers_[pointer - 1].color = bgr;
    update();
}

bool CwSlide::pointerVisible(int pointer) const
{
    return validPointer(pointer) && pointers_[pointer - 1].visible;
}

void CwSlide::setPointerVisible(int pointer, bool visible)
{
    if (!validPointer(pointer))
        return;
    pointers_[pointer - 1].visible = visible;
    update();
}

void CwSlide::setPositions(const QStringList& labels)
{
    labels_ = labels;
    if (!labels_.isEmpty() && (position() < 1 || position() > positionCount()))
        pointers_[0].value = 0.0;
    update();
}

QString CwSlide::positionLabel(int position) const
{
    return position >= 1 && position <= labels_.size() ? labels_[position - 1] : QString();
}

int CwSlide::position() const
{
    if (labels_.isEmpty())
        return 0;
    return int(std::lround(pointers_[0].value)) + 1;
}

void CwSlide::setPosition(int position)
{
    if (position < 1 || position > positionCount() || position == this->position())
        return;
    pointers_[0].value = position - 1;
    update();
    Q_EMIT positionChanged(position);
    Q_EMIT pointerValueChanged(1, position - 1);
}

void CwSlide::setImage(const QString& name, const QImage& image)
{
    if (image.isNull())
        images_.remove(name);
    else
        images_.insert(name, image);
    update();
}

QRectF CwSlide::trackRect() const
{
    const QRectF r(rect());
    const bool labelled = !labels_.isEmpty();
    if (orientation_ == Qt::Vertical) {
        const double x = labelled ? 12.0 : r.center().x();
        if (trackEnds_)
            return QRectF(x - 2, trackEnds_->first, 4,
                          std::max(1.0, trackEnds_->second - trackEnds_->first));
        // The labels of the end positions stay inside the slide, however large the font.
        const double margin =
            labelled ? std::max(EndMargin, boldHeight(font()) / 2 + 1) : EndMargin;
        return QRectF(x - 2, r.top() + margin, 4, std::max(1.0, r.height() - 2 * margin));
    }
    const double y = labelled ? 12.0 : r.center().y();
    if (trackEnds_)
        return QRectF(trackEnds_->first, y - 2,
                      std::max(1.0, trackEnds_->second - trackEnds_->first), 4);
    return QRectF(r.left() + EndMargin, y - 2, std::max(1.0, r.width() - 2 * EndMargin), 4);
}

double CwSlide::fractionOf(double value) const
{
    const double lo = labels_.isEmpty() ? axisMin_ : 0.0;
    const double hi = labels_.isEmpty() ? axisMax_ : double(positionCount() - 1);
    if (hi == lo)
        return 0.5;
    return std::clamp((value - lo) / (hi - lo), 0.0, 1.0);
}

QPointF CwSlide::pointerPoint(int pointer) const
{
    if (!labels_.isEmpty() && pointer == 1)
        return positionPoint(std::clamp(position(), 1, positionCount()));
    const QRectF t = trackRect();
    double f = fractionOf(pointerValue(pointer));
    if (orientation_ == Qt::Vertical) {
        if (!inverted_)
            f = 1.0 - f;
        return {t.center().x(), t.top() + f * t.height()};
    }
    if (inverted_)
        f = 1.0 - f;
    return {t.left() + f * t.width(), t.center().y()};
}

QPointF CwSlide::positionPoint(int position) const
{
    const QRectF t = trackRect();
    const int n = positionCount();
    double f = n <= 1 ? 0.5 : double(position - 1) / (n - 1);
    if (orientation_ == Qt::Vertical) {
        // Labelled vertical selectors list their first position at the top.
        if (inverted_)
            f = 1.0 - f;
        return {t.center().x(), t.top() + f * t.height()};
    }
    if (inverted_)
        f = 1.0 - f;
    return {t.left() + f * t.width(), t.center().y()};
}

double CwSlide::valueAt(const QPointF& point) const
{
    const QRectF t = trackRect();
    double f = orientation_ == Qt::Vertical ? (point.y() - t.top()) / t.height()
                                            : (point.x() - t.left()) / t.width();
    f = std::clamp(f, 0.0, 1.0);
    const bool flip = orientation_ == Qt::Vertical ? !inverted_ : inverted_;
    if (flip)
        f = 1.0 - f;
    return axisMin_ + f * (axisMax_ - axisMin_);
}

int CwSlide::pointerAt(const QPointF& point) const
{
    // Top first, so that of overlapping pointers the one drawn on top is taken.
    for (int i = 1; i <= pointerCount(); ++i) {
        if (pointerVisible(i) && pointerShape(i).contains(point))
            return i;
    }
    return nearestVisiblePointer(point, GrabRange);
}

int CwSlide::nearestVisiblePointer(const QPointF& point, double range) const
{
    int best = 0;
    double bestDistance = range;
    for (int i = 1; i <= pointerCount(); ++i) {
        if (!pointerVisible(i))
            continue;
        const QPointF d = pointerPoint(i) - point;
        const double along = orientation_ == Qt::Vertical ? std::abs(d.y()) : std::abs(d.x());
        // Strictly nearer only: of pointers at one value the topmost stays the choice.
        if (best == 0 ? along <= range : along < bestDistance) {
            bestDistance = along;
            best = i;
        }
    }
    return best;
}

int CwSlide::topVisiblePointer() const
{
    for (int i = 1; i <= pointerCount(); ++i) {
        if (pointerVisible(i))
            return i;
    }
    return 0;
}

int CwSlide::nearestPosition(const QPointF& point) const
{
    int best = 1;
    double bestDistance = 1e300;
    for (int p = 1; p <= positionCount(); ++p) {
        const QPointF d = positionPoint(p) - point;
        const double along = orientation_ == Qt::Vertical ? std::abs(d.y()) : std::abs(d.x());
        if (along < bestDistance) {
            bestDistance = along;
            best = p;
        }
    }
    return best;
}

void CwSlide::userMove(int pointer, const QPointF& point)
{
    if (!labels_.isEmpty()) {
        setPosition(nearestPosition(point));
        return;
    }
    setPointerValue(pointer, valueAt(point));
}

void CwSlide::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || look_ == Look::Progress)
        return;
    int pointer = labels_.isEmpty() ? pointerAt(event->pos()) : 1;
    if (pointer == 0) // a press on the track away from every pointer moves the nearest one there
        pointer = nearestVisiblePointer(event->pos(), std::numeric_limits<double>::infinity());
    dragging_ = pointer;
    Q_EMIT mouseDown(pointer);
    if (pointer != 0)
        userMove(pointer, event->pos());
}

void CwSlide::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMove();
    if (dragging_ != 0 && (event->buttons() & Qt::LeftButton))
        userMove(dragging_, event->pos());
}

void CwSlide::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || look_ == Look::Progress)
        return;
    const int pointer = dragging_;
    dragging_ = 0;
    Q_EMIT mouseUp(pointer);
}

void CwSlide::step(int steps)
{
    if (look_ == Look::Progress || steps == 0)
        return;
    if (!labels_.isEmpty()) {
        // Down the list is forward for a selector.
        setPosition(std::clamp(position() + steps, 1, positionCount()));
        return;
    }
    const int pointer = topVisiblePointer();
    if (pointer == 0)
        return;
    const double stepSize = (axisMax_ - axisMin_) / 100.0;
    const double lo = std::min(axisMin_, axisMax_);
    const double hi = std::max(axisMin_, axisMax_);
    setPointerValue(pointer, std::clamp(pointerValue(pointer) + steps * stepSize, lo, hi));
}

int CwSlide::upStep() const
{
    // The step that moves the pointer up (vertical) or right (horizontal) on the screen.
    // Vertical selectors list their first position at the top.
    const int direction = inverted_ ? -1 : 1;
    if (!labels_.isEmpty() && orientation_ == Qt::Vertical)
        return -direction;
    return direction;
}

void CwSlide::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        step(upStep());
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        step(-upStep());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CwSlide::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    step(steps * upStep());
    event->accept();
}

QSize CwSlide::sizeHint() const
{
    if (!labels_.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics fm(bold);
        int widest = 0;
        for (const QString& label : labels_)
            widest = std::max(widest, fm.horizontalAdvance(label));
        const int n = positionCount();
        return orientation_ == Qt::Vertical
                   ? QSize(widest + 30, std::max(fm.height() + 4, 22) * n + 2 * int(EndMargin))
                   : QSize((widest + 12) * n + 2 * int(EndMargin), fm.height() + 30);
    }
    return orientation_ == Qt::Vertical ? QSize(22, 200) : QSize(200, 22);
}

void CwSlide::paintTrack(QPainter& p) const
{
    const QImage background = images_.value(QStringLiteral("Background"));
    if (!background.isNull()) {
        p.drawImage(QRectF(rect()), background);
        return;
    }
    const QRectF t = trackRect();
    if (look_ == Look::Progress) {
        const QRectF bar = QRectF(rect()).adjusted(1, 1, -1, -1);
        p.setPen(QPen(colorFromBgr(face::Bezel), 1));
        p.setBrush(QColor(8, 8, 8));
        p.drawRect(bar);
        const double f = fractionOf(pointerValue(1));
        QRectF fill = bar.adjusted(2, 2, -2, -2);
        if (orientation_ == Qt::Horizontal)
            fill.setWidth(fill.width() * f);
        else
            fill.setTop(fill.bottom() - fill.height() * f);
        p.setPen(Qt::NoPen);
        p.setBrush(colorFromBgr(pointerColor(1)).darker(isEnabled() ? 100 : 200));
        p.drawRect(fill);
        return;
    }
    p.setPen(QPen(colorFromBgr(face::Bezel).lighter(130), 1));
    p.setBrush(QColor(5, 5, 5));
    p.drawRoundedRect(t, 2, 2);
}

QFont CwSlide::positionLabelFont(int position) const
{
    QFont f = font();
    f.setBold(position == this->position());
    return f;
}

QRectF CwSlide::positionLabelRect(int position) const
{
    const QPointF c = positionPoint(position);
    const double h = QFontMetricsF(positionLabelFont(position)).height();
    if (orientation_ == Qt::Vertical)
        return {c.x() + 12, c.y() - h / 2, width() - c.x() - 12, h};
    const double w =
        QFontMetricsF(positionLabelFont(position)).horizontalAdvance(labels_.value(position - 1)) +
        4;
    return {c.x() - w / 2, c.y() + 10, w, std::min(h, height() - c.y() - 10)};
}

void CwSlide::paintPositions(QPainter& p) const
{
    const QColor text = colorFromBgr(isEnabled() ? face::Label : face::DisabledLabel);
    for (int pos = 1; pos <= positionCount(); ++pos) {
        const QPointF c = positionPoint(pos);
        const bool selected = pos == position();
        p.setPen(QPen(text, 1));
        if (orientation_ == Qt::Vertical)
            p.drawLine(QPointF(c.x() + 4, c.y()), QPointF(c.x() + 9, c.y()));
        else
            p.drawLine(QPointF(c.x(), c.y() + 4), QPointF(c.x(), c.y() + 9));
        p.setFont(positionLabelFont(pos));
        p.setPen(selected && isEnabled() ? QColor(Qt::white) : text);
        const Qt::Alignment align = orientation_ == Qt::Vertical ? Qt::AlignVCenter | Qt::AlignLeft
                                                                 : Qt::AlignHCenter | Qt::AlignTop;
        p.drawText(positionLabelRect(pos), align, labels_[pos - 1]);
    }
}

QPainterPath CwSlide::pointerShape(int pointer) const
{
    const QPointF tip = pointerPoint(pointer);
    QPainterPath path;
    const QImage picture = images_.value(pointerImageName(pointer));
    if (!picture.isNull()) {
        QRectF box(QPointF(), QSizeF(picture.size()));
        box.moveCenter(tip);
        path.addRect(box);
        return path;
    }
    // A triangle whose tip touches the track: from the left on vertical slides, from above on
    // horizontal ones; a selector uses a lever across its track.
    const double s = PointerSize;
    if (!labels_.isEmpty()) {
        QRectF lever(0, 0, orientation_ == Qt::Vertical ? 18 : 8,
                     orientation_ == Qt::Vertical ? 8 : 18);
        lever.moveCenter(tip);
        path.addRoundedRect(lever, 2, 2);
    } else if (orientation_ == Qt::Vertical) {
        const double back = std::max(2.0, tip.x() - width() / 2.0 + 2.0);
        path.moveTo(tip + QPointF(s * 0.9, 0));
        path.lineTo(QPointF(back - 1, tip.y() - s));
        path.lineTo(QPointF(back - 1, tip.y() + s));
        path.closeSubpath();
    } else {
        const double back = std::max(2.0, tip.y() - height() / 2.0 + 2.0);
        path.moveTo(tip + QPointF(0, s * 0.9));
        path.lineTo(QPointF(tip.x() - s, back - 1));
        path.lineTo(QPointF(tip.x() + s, back - 1));
        path.closeSubpath();
    }
    return path;
}

void CwSlide::paintPointer(QPainter& p, int pointer) const
{
    const QImage picture = images_.value(pointerImageName(pointer));
    if (!picture.isNull()) {
        p.drawImage(pointerShape(pointer).boundingRect(), picture);
        return;
    }
    QColor color = colorFromBgr(pointerColor(pointer));
    if (!isEnabled())
        color = color.darker(220);
    p.setPen(QPen(color.darker(200), 1));
    p.setBrush(color);
    p.drawPath(pointerShape(pointer));
}

void CwSlide::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paintTrack(p);
    if (look_ == Look::Progress)
        return;
    paintPositions(p);
    // Bottom first: pointer 1 ends on top.
    for (int i = pointerCount(); i >= 1; --i) {
        if (pointerVisible(i))
            paintPointer(p, i);
    }
}

} // namespace kv
