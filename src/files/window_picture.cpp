#include "files/window_picture.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "files/atomic_write.h"
#include "files/file_messages.h"
#include "platform/services.h"

#include <QAction>
#include <QMainWindow>

namespace kv {

WindowPicture::WindowPicture(Main& main) : HandlerGroup(main)
{
    connect(m.CWButton15, &CwButton::valueChanged, this, &WindowPicture::CWButton15_ValueChanged);
    connect(m.mnuFBMP, &QAction::triggered, this, &WindowPicture::mnuFBMP_Click);
}

QImage WindowPicture::CaptureClient(QWidget& frmSrc)
{
    auto* window = qobject_cast<QMainWindow*>(&frmSrc);
    QWidget* client = window && window->centralWidget() ? window->centralWidget() : &frmSrc;
    return client->grab().toImage();
}

void WindowPicture::stopAndCapture()
{
    if (m.Timer1->enabled())
        m.CWButton1->setValue(false);
    m.Picture3->setPicture(CaptureClient(m));
}

bool WindowPicture::askAndSave()
{
    FileDialogRequest request;
    request.title = DialogTitle;
    request.flags = FileFlagHideReadOnly;
    request.filter = DialogFilter;
    const auto chosen = m.dialogs.ShowSave(request);
    if (!chosen)
        return false;
    if (!chosen->fileName.isEmpty())
        FileRepExists(chosen->fileName);
    return true;
}

void WindowPicture::CWButton15_ValueChanged(bool value)
{
    if (!value) {
        m.CWButton15->setValue(false);
        return;
    }
    stopAndCapture();
    if (!askAndSave()) {
        m.raise();
        m.activateWindow();
    }
    m.CWButton15->setValue(false);
}

void WindowPicture::mnuFBMP_Click()
{
    // The closed menu must not be in the picture.
    m.repaint();
    stopAndCapture();
    askAndSave();
}

void WindowPicture::FileRepExists(const QString& path)
{
    if (!ConfirmOverwrite(m.dialogs, path))
        return;
    if (const WriteFailure failure =
            WriteFileAtomically(path, BitmapFileBytes(m.Picture3->picture())))
        ReportWriteFailure(m.dialogs, QStringLiteral("Bitmap picture"), path, *failure, AppTitle);
}

} // namespace kv
