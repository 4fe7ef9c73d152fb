#include "controls/picture_box.h"

#include "controls/cw_color.h"
#include "controls/picture_file.h"

#include <QMouseEvent>
#include <QPainter>

namespace kv {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {}

PictureBox::PictureBox(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void PictureBox::setPicture(const QImage& image)
{
    picture_ = image;
    updateOpaque();
    update();
}

bool PictureBox::loadPicture(const QString& path)
{
    const QImage image = ReadPictureFile(path);
    if (image.isNull())
        return false;
    setPicture(image);
    return true;
}

void PictureBox::setFaceColor(int bgr)
{
    faceColor_ = bgr;
    updateOpaque();
    update();
}

// A box that paints every pixel of itself says so: the window then leaves out what lies beneath
// it when that changes (the graph updating under the Options panel does not repaint the panel
// and its controls with every record).
void PictureBox::updateOpaque()
{
    const bool opaque = picture_.isNull() ? faceColor_ >= 0 : !picture_.hasAlphaChannel();
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    if (!picture_.isNull() || faceColor_ >= 0) {
        QPainter painter(this);
        if (!picture_.isNull())
            painter.drawImage(rect(), picture_);
        else
            painter.fillRect(rect(), colorFromBgr(faceColor_));
    }
    QLabel::paintEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    Q_EMIT mouseMoved();
}

} // namespace kv
