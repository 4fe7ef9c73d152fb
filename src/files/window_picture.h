#pragma once

#include "app/handler_group.h"
#include "files/bitmap_file.h"

#include <QImage>
#include <QString>

class QWidget;

namespace kv {

// Saves a picture of the main window's client area as a 24-bit Windows bitmap: the Export
// Picture button and the Save BMP menu item.
class WindowPicture : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit WindowPicture(Main& main);

    static inline const QString DialogTitle = QStringLiteral("Save Picture As");
    static inline const QString DialogFilter = QStringLiteral("Bitmap Image (*.bmp)|*.bmp");

    void CWButton15_ValueChanged(bool value);
    void mnuFBMP_Click();

    // Picture of the form's client area (below its menu bar).
    static QImage CaptureClient(QWidget& frmSrc);
    // Writes the picture held by Picture3 under `path` as a bitmap, asking first when the file
    // exists.
    void FileRepExists(const QString& path);

  private:
    void stopAndCapture();
    bool askAndSave();
};

} // namespace kv
