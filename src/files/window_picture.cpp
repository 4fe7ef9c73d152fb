#include "files/window_picture.h"

#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "files/atomic_write.h"
#include "files/file_messages.h"
#include "platform/services.h"

#include <QAction>
#include <QMainWindow>

namespace kv {

WindowPicture::WindowPicture(const Controls& controls, Dialogs& dialogs)
    : ui(controls), dialogs_(dialogs)
{
    connect(ui.CWButton15, &CwButton::valueChanged, this, &WindowPicture::CWButton15_ValueChanged);
    connect(ui.mnuFBMP, &QAction::triggered, this, &WindowPicture::mnuFBMP_Click);
}

QImage WindowPicture::CaptureClient(QWidget& frmSrc)
{
    auto* window = qobject_cast<QMainWindow*>(&frmSrc);
    QWidget* client = window && window->centralWidget() ? window->centralWidget() : &frmSrc;
    return client->grab().toImage();
}

void WindowPicture::stopAndCapture()
{
    if (ui.Timer1->enabled())
        ui.CWButton1->setValue(false);
    ui.Picture3->setPicture(CaptureClient(*ui.window));
}

bool WindowPicture::askAndSave()
{
    FileDialogRequest request;
    request.title = DialogTitle;
    request.flags = FileFlagHideReadOnly;
    request.filter = DialogFilter;
    const auto chosen = dialogs_.ShowSave(request);
    if (!chosen)
        return false;
    if (!chosen->fileName.isEmpty())
        FileRepExists(chosen->fileName);
    return true;
}

void WindowPicture::CWButton15_ValueChanged(bool value)
{
    if (!value) {
        ui.CWButton15->setValue(false);
        return;
    }
    stopAndCapture();
    if (!askAndSave()) {
        ui.window->raise();
        ui.window->activateWindow();
    }
    ui.CWButton15->setValue(false);
}

void WindowPicture::mnuFBMP_Click()
{
    // The closed menu must not be in the picture.
    ui.window->repaint();
    stopAndCapture();
    askAndSave();
}

void WindowPicture::FileRepExists(const QString& path)
{
    if (!ConfirmOverwrite(dialogs_, path))
        return;
    if (const WriteFailure failure =
            WriteFileAtomically(path, BitmapFileBytes(ui.Picture3->picture())))
        ReportWriteFailure(dialogs_, QStringLiteral("Bitmap picture"), path, *failure, AppTitle);
}

} // namespace kv
