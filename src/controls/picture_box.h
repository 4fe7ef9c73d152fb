#pragma once

#include "controls/layer.h"

#include <QImage>
#include <QLabel>

namespace kv {

// Picture box, image or clickable label of the window: shows a text, or a picture scaled to its
// size (the skin), over a drawn face when it has no picture. Reports clicks, double clicks and
// mouse moves; other controls may lie on it.
class PictureBox : public QLabel
{
    Q_OBJECT

  public:
    explicit PictureBox(QWidget* parent = nullptr);
    PictureBox(const QString& text, QWidget* parent = nullptr);

    // Replaces the picture; a null image brings back the drawn face.
    void setPicture(const QImage& image);
    QImage picture() const { return picture_; }
    // Loads the picture from a file; false (picture unchanged) when it cannot be read or is
    // refused (ReadPictureFile).
    bool loadPicture(const QString& path);

    // Colour of the drawn face (0xBBGGRR); -1 for none (transparent).
    void setFaceColor(int bgr);

  Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void mouseMoved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void updateOpaque();

    QImage picture_;
    int faceColor_ = -1;
    bool pressed_ = false;
};

} // namespace kv
