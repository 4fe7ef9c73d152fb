#include "platform/qt_dialogs.h"

#include "platform/rules/bgr_colour.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <optional>
#include <utility>
#include <vector>

namespace kv {

namespace {

std::vector<std::pair<QMessageBox::StandardButton, MsgResult>> buttonsOf(MsgButtons buttons)
{
    using B = QMessageBox;
    switch (buttons) {
    case MsgButtons::OKCancel:
        return {{B::Ok, MsgResult::OK}, {B::Cancel, MsgResult::Cancel}};
    case MsgButtons::AbortRetryIgnore:
        return {{B::Abort, MsgResult::Abort},
                {B::Retry, MsgResult::Retry},
                {B::Ignore, MsgResult::Ignore}};
    case MsgButtons::YesNoCancel:
        return {{B::Yes, MsgResult::Yes}, {B::No, MsgResult::No}, {B::Cancel, MsgResult::Cancel}};
    case MsgButtons::YesNo:
        return {{B::Yes, MsgResult::Yes}, {B::No, MsgResult::No}};
    case MsgButtons::RetryCancel:
        return {{B::Retry, MsgResult::Retry}, {B::Cancel, MsgResult::Cancel}};
    case MsgButtons::OK:
        break;
    }
    return {{B::Ok, MsgResult::OK}};
}

QMessageBox::Icon iconOf(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The runtime's line breaks ("\r", "\r\n") as Qt's.
QString plainLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Qt's file dialog reads a typed text that holds double quotes as a list of names ("a" "b") and
// keeps one of them. A save takes a single name, so there such a text is the name as typed.
class FileDialog : public QFileDialog
{
  public:
    using QFileDialog::QFileDialog;

    // The file chosen: the name as typed where accept() took it so, else Qt's choice.
    QString chosenFile() const
    {
        if (typedName_)
            return *typedName_;
        const QStringList files = selectedFiles();
        return files.isEmpty() ? QString() : files.front();
    }

  protected:
    void accept() override
    {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString text = edit ? edit->text() : QString();
        if (acceptMode() != AcceptSave || !text.contains(QLatin1Char('"'))) {
            QFileDialog::accept();
            return;
        }
        QString path = directory().absoluteFilePath(text);
        if (QFileInfo(path).isDir()) {
            setDirectory(path);
            return;
        }
        if (!defaultSuffix().isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QLatin1Char('.') + defaultSuffix();
        typedName_ = path;
        QDialog::accept();
    }

  private:
    std::optional<QString> typedName_;
};

} // namespace

MsgResult QtDialogs::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                            const QString& title)
{
    QMessageBox box(iconOf(icon), title, plainLines(text), QMessageBox::NoButton, parent_);
    const auto set = buttonsOf(buttons);
    for (const auto& [button, result] : set)
        box.addButton(button);
    box.setDefaultButton(set.front().first);
    // A box shown while the window is still hidden (after start-up, before the splash window
    // closes) must not end the program when it closes.
    box.setAttribute(Qt::WA_QuitOnClose, false);
    // Closing the box answers with its cancelling button, as the runtime's does (or the only one).
    box.setEscapeButton(set.size() == 1 ? set.front().first : set.back().first);
    ModalGuard guard;
    const int chosen = box.exec();
    for (const auto& [button, result] : set)
        if (chosen == button)
            return result;
    return set.back().second;
}

std::optional<FileDialogResult> QtDialogs::showFile(const FileDialogRequest& request, bool save)
{
    FileDialog dialog(parent_, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller asks before overwriting.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(request.filterIndex - 1, filters.front()));
    }
    if (!request.defaultExt.isEmpty())
        dialog.setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    ModalGuard guard;
    if (dialog.exec() != QDialog::Accepted || dialog.chosenFile().isEmpty())
        return std::nullopt;
    const int index = int(filters.indexOf(dialog.selectedNameFilter()));
    return FileDialogResult{dialog.chosenFile(), index < 0 ? 1 : index + 1};
}

std::optional<FileDialogResult> QtDialogs::ShowOpen(const FileDialogRequest& request)
{
    return showFile(request, false);
}

std::optional<FileDialogResult> QtDialogs::ShowSaveDialog(const FileDialogRequest& request)
{
    return showFile(request, true);
}

std::optional<int> QtDialogs::ShowColor(int initialBgr)
{
    QColorDialog dialog(QColor(QRgb(RgbFromBgr(initialBgr))), parent_);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    ModalGuard guard;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return BgrFromRgb(dialog.selectedColor().rgb());
}

std::optional<PrintChoice> QtDialogs::ShowPrinter(QPrinter& printer, const PrintRequest& request)
{
    printer.setCopyCount(request.copies);
    printer.setFromTo(request.fromPage, request.toPage);
    // The request's flags hide a print-to-file check box. Qt's dialog has none: it offers file
    // output as one more printer, "Print to File (PDF)", which stays, being the PDF printer of a
    // system that has no other.
    QPrintDialog dialog(&printer, parent_);
    ModalGuard guard;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PrintChoice{printer.copyCount(), printer.fromPage(), printer.toPage()};
}

} // namespace kv
