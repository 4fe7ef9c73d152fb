#pragma once

#include "platform/layer.h"
#include "platform/services.h"

class QWidget;

namespace kv {

// The real dialogs: QMessageBox (first button the default), Qt's own file dialog, QColorDialog,
// QPrintDialog. Each holds a ModalGuard while it is open.
class QtDialogs : public Dialogs
{
  public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& title) override;
    std::optional<FileDialogResult> ShowOpen(const FileDialogRequest& request) override;
    std::optional<int> ShowColor(int initialBgr) override;
    std::optional<PrintChoice> ShowPrinter(QPrinter& printer, const PrintRequest& request) override;

  protected:
    std::optional<FileDialogResult> ShowSaveDialog(const FileDialogRequest& request) override;

  private:
    std::optional<FileDialogResult> showFile(const FileDialogRequest& request, bool save);

    QWidget* parent_;
};

} // namespace kv
