#include "controls/cw_button.h"

#include "controls/control_fonts.h"
#include "controls/cw_color.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace kv {

namespace {

bool isLed(CwButton::Style style)
{
    return style == CwButton::Style::RoundLed || style == CwButton::Style::SquareLed;
}

QColor dimmed(const QColor& color, bool enabled)
{
    return enabled ? color : color.darker(180);
}

// A lamp shows exactly the colour it is given: the lens is filled with it, flat; only a small
// glint at its upper left and the rim around it are drawn in other colours.
void paintLed(QPainter& p, const QRectF& area, const QColor& lamp, bool round)
{
    const double side = std::min(area.width(), area.height()) - 2.0;
    QRectF lens(0, 0, side, side);
    lens.moveCenter(area.center());
    p.setPen(QPen(colorFromBgr(face::Bezel), 1.5));
    p.setBrush(lamp);
    if (round)
        p.drawEllipse(lens);
    else
        p.drawRoundedRect(lens, 2, 2);
    const double glint = side * 0.18;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QRectF(lens.left() + side * 0.16, lens.top() + side * 0.16, glint, glint));
}

} // namespace

CwButton::CwButton(QWidget* parent) : CwButton(Style::PushButton, parent) {}

CwButton::CwButton(Style style, QWidget* parent) : QWidget(parent)
{
    setStyle(style);
    setMouseTracking(true);
}

void CwButton::setValue(bool value)
{
    applyValue(value);
}

void CwButton::applyValue(bool value)
{
    if (value == value_)
        return;
    value_ = value;
    update();
    const QPointer<CwButton> alive(this); // a handler may close the window holding the button
    Q_EMIT valueChanged(value);
    if (alive && command_ && value_)
        applyValue(false);
}

void CwButton::setCommand(bool command)
{
    command_ = command;
}

void CwButton::setMechanicalAction(int code)
{
    action_ = code;
}

void CwButton::setStyle(Style style)
{
    style_ = style;
    indicator_ = isLed(style);
    if (isLed(style))
        offColor_ = 0x003000;
    update();
}

void CwButton::setIndicator(bool indicator)
{
    indicator_ = indicator;
}

void CwButton::setOnText(const QString& text)
{
    onText_ = text;
    update();
}

void CwButton::setOffText(const QString& text)
{
    offText_ = text;
    update();
}

void CwButton::setCaption(const QString& text)
{
    onText_ = text;
    offText_ = text;
    update();
}

void CwButton::setOnColor(int bgr)
{
    onColor_ = bgr;
    update();
}

void CwButton::setOffColor(int bgr)
{
    offColor_ = bgr;
    update();
}

void CwButton::setTextColor(int bgr)
{
    textColor_ = bgr;
    update();
}

void CwButton::repaintNow()
{
    repaint();
}

QSize CwButton::sizeHint() const
{
    switch (style_) {
    case Style::RoundLed:
    case Style::SquareLed:
        return {20, 20};
    case Style::VerticalSwitch:
        return {28, 56};
    case Style::HorizontalSwitch:
        return {56, 28};
    default: {
        const QFontMetrics fm(font());
        const int text = std::max(fm.horizontalAdvance(onText_), fm.horizontalAdvance(offText_));
        const int lamp = style_ == Style::LightPushButton ? 6 : 0;
        return {std::max(60, text + 20), std::max(26, fm.height() + 12 + lamp)};
    }
    }
}

void CwButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    update();
    if (!indicator_ && !command_ && action_ == ActionSwitchWhenPressed)
        applyValue(!value_);
}

void CwButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    update();
    if (!rect().contains(event->pos()))
        return;
    const QPointer<CwButton> alive(this);
    if (!indicator_) {
        if (command_)
            applyValue(true);
        else if (action_ == ActionSwitch)
            applyValue(!value_);
    }
    if (alive)
        Q_EMIT clicked();
}

void CwButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The second press of a double click acts as a press as well, then reports the double click.
    mousePressEvent(event);
    Q_EMIT doubleClicked();
}

void CwButton::mouseMoveEvent(QMouseEvent*)
{
    Q_EMIT mouseMove();
}

void CwButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void CwButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    const QColor lamp = dimmed(colorFromBgr(currentColor()), enabled);
    const QColor text = dimmed(colorFromBgr(textColor_), enabled);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);

    switch (style_) {
    case Style::RoundLed:
    case Style::SquareLed:
        paintLed(p, r, lamp, style_ == Style::RoundLed);
        return;
    case Style::VerticalSwitch:
    case Style::HorizontalSwitch: {
        const bool vertical = style_ == Style::VerticalSwitch;
        p.setPen(QPen(dimmed(colorFromBgr(face::Bezel), enabled), 1.5));
        p.setBrush(QColor(12, 12, 12));
        p.drawRoundedRect(r, 4, 4);
        QRectF lever = vertical
                           ? QRectF(r.left() + 3, r.top() + 3, r.width() - 6, r.height() / 2 - 3)
                           : QRectF(r.left() + 3, r.top() + 3, r.width() / 2 - 3, r.height() - 6);
        if (vertical && !value_)
            lever.moveBottom(r.bottom() - 3);
        if (!vertical && value_)
            lever.moveRight(r.right() - 3);
        // A disabled switch: a dull, flat lever in a dim slot.
        QLinearGradient g(lever.topLeft(), vertical ? lever.bottomLeft() : lever.topRight());
        g.setColorAt(0, enabled ? QColor(200, 200, 200) : QColor(72, 72, 72));
        g.setColorAt(1, enabled ? QColor(90, 90, 90) : QColor(56, 56, 56));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(lever, 3, 3);
        p.setPen(text);
        const QRectF free =
            vertical ? (value_ ? QRectF(r.left(), r.center().y(), r.width(), r.height() / 2)
                               : QRectF(r.left(), r.top(), r.width(), r.height() / 2))
                     : (value_ ? QRectF(r.left(), r.top(), r.width() / 2, r.height())
                               : QRectF(r.center().x(), r.top(), r.width() / 2, r.height()));
        p.setFont(fittedFont(font(), currentText(), free.width() - 4));
        p.drawText(free, Qt::AlignCenter, currentText());
        return;
    }
    case Style::PushButton:
    case Style::LightPushButton: {
        const bool down = pressed_ || (value_ && style_ == Style::PushButton);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        const QColor body = style_ == Style::PushButton ? lamp : QColor(70, 70, 70);
        g.setColorAt(0, down ? body.darker(130) : body.lighter(140));
        g.setColorAt(1, down ? body.lighter(110) : body.darker(140));
        p.setPen(QPen(colorFromBgr(face::Bezel).lighter(down ? 80 : 140), 1.5));
        p.setBrush(g);
        p.drawRoundedRect(r, 4, 4);
        QRectF textArea = r;
        if (style_ == Style::LightPushButton) {
            QRectF strip(r.left() + 6, r.top() + 4, r.width() - 12, 5);
            const QColor on = colorFromBgr(onColor_);
            p.setPen(Qt::NoPen);
            p.setBrush(value_ && enabled ? on : on.darker(300));
            p.drawRoundedRect(strip, 2, 2);
            textArea.setTop(strip.bottom());
        }
        p.setPen(text);
        p.drawText(textArea, Qt::AlignCenter, currentText());
        return;
    }
    }
}

} // namespace kv
