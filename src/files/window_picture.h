#pragma once

#include "controls/control_classes.h"
#include "files/bitmap_file.h"
#include "files/layer.h"

#include <QImage>
#include <QObject>
#include <QString>

namespace kv {

class Dialogs;

// Saves a picture of the main window's client area as a 24-bit Windows bitmap: the Export
// Picture button and the Save BMP menu item.
class WindowPicture : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // pictured, repainted and brought to the front
        CwButton* CWButton15;
        QAction* mnuFBMP;
        CwTimer* Timer1;      // read: a running acquisition is stopped first
        CwButton* CWButton1;  // Run/Stop
        PictureBox* Picture3; // holds the picture between capture and save
    };

    WindowPicture(const Controls& controls, Dialogs& dialogs);

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

    const Controls ui;
    Dialogs& dialogs_;
};

} // namespace kv
