#pragma once

#include "platform/layer.h"
#include "platform/rules/modal_guard.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace kv {

// ---------------------------------------------------------------------------------------------
// Dialogs: message boxes and the common dialogs.

// Button sets and icons of a message box, with the runtime's codes.
enum class MsgButtons
{
    OK = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5
};
enum class MsgIcon
{
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};
enum class MsgResult
{
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

inline const QString AppTitle = QStringLiteral("Kestrovue");

// Flags of the file dialogs, as the callers pass them.
inline constexpr int FileFlagHideReadOnly = 4;

struct FileDialogRequest
{
    QString title;
    // "Desc (*.x)|*.x|Desc2 (*.y)|*.y"
    QString filter;
    int flags = 0;
    QString defaultExt;
    QString fileName;    // initial name (may be empty)
    int filterIndex = 1; // 1-based initial filter
};

struct FileDialogResult
{
    QString fileName;
    int filterIndex = 1; // 1-based filter the user chose
};

struct PrintRequest
{
    int copies = 1;
    int fromPage = 1;
    int toPage = 1;
    int flags = 0;
};

struct PrintChoice
{
    int copies = 1;
    int fromPage = 1;
    int toPage = 1;
};

class Dialogs
{
  public:
    virtual ~Dialogs() = default;

    // Message box; the first button is the default. Text lines are separated by "\r", "\n" or
    // "\r\n".
    virtual MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK,
                             MsgIcon icon = MsgIcon::None, const QString& title = AppTitle) = 0;
    // Open dialog; nullopt when cancelled.
    virtual std::optional<FileDialogResult> ShowOpen(const FileDialogRequest& request) = 0;
    // Save dialog; nullopt when cancelled. A name chosen without a suffix gets the suffix of the
    // filter chosen with it ("mysetup" with "*.set" is "mysetup.set").
    std::optional<FileDialogResult> ShowSave(const FileDialogRequest& request);
    // Colour dialog starting from a 0xBBGGRR colour; nullopt when cancelled.
    virtual std::optional<int> ShowColor(int initialBgr) = 0;
    // Print dialog for `printer`: the printer, paper, orientation and copies chosen are set on
    // it, and the choice returned; nullopt when cancelled.
    virtual std::optional<PrintChoice> ShowPrinter(QPrinter& printer,
                                                   const PrintRequest& request) = 0;

  protected:
    // The save dialog itself: the name as chosen.
    virtual std::optional<FileDialogResult> ShowSaveDialog(const FileDialogRequest& request) = 0;
};

// Parses the runtime's filter text into Qt's name filters ("Desc (*.x)" per pair).
QStringList qtNameFilters(const QString& runtimeFilter);
// The suffix of the first pattern of filter `filterIndex` (1-based) of the runtime's filter text:
// "set" for filter 1 of "Oscilloscope Setup File (*.set)|*.set"; empty for a pattern without
// one ("*.*", "*") or a filter that does not exist.
QString filterSuffix(const QString& runtimeFilter, int filterIndex);
// fileName with "." and suffix added when its name has no suffix ("mysetup" gives
// "mysetup.set"; "mysetup." gives "mysetup.set"; "a.b/mysetup.v2" stays as it is).
QString withSuffix(const QString& fileName, const QString& suffix);

// ---------------------------------------------------------------------------------------------
// Shell: opens a document or web page with the desktop's program; the result is not looked at.
class Shell
{
  public:
    virtual ~Shell() = default;
    virtual void open(const QString& fileOrUrl) = 0;
    // Starts a program in a window of its own; false when it cannot be started.
    virtual bool start(const QString& program)
    {
        open(program);
        return true;
    }
};

// ---------------------------------------------------------------------------------------------
// Registry view: values under HKEY_LOCAL_MACHINE, read only. Key paths and value names use "\"
// as the registry does and compare without regard to case. nullopt for anything missing.
class RegistryView
{
  public:
    virtual ~RegistryView() = default;
    virtual std::optional<QString> value(const QString& keyPath,
                                         const QString& valueName) const = 0;
};

// ---------------------------------------------------------------------------------------------
// System information.
class SystemInfo
{
  public:
    virtual ~SystemInfo() = default;
    // Operating-system platform code: 0 unidentified, 1 the 95 family, 2 the NT family.
    virtual int platformCode() const = 0;
    // Height in pixels of the desktop's text; 16 at normal font size.
    virtual int desktopTextHeight() const = 0;
    // The part of the screen that windows may take (without panels and docks), in the
    // window's pixels; empty when it is not known.
    virtual QRect workArea() const = 0;
};

// ---------------------------------------------------------------------------------------------
// Printers.
class PrinterFactory
{
  public:
    virtual ~PrinterFactory() = default;
    virtual std::unique_ptr<QPrinter> create() = 0;
};

// The real printer: the system's default printer.
class SystemPrinterFactory : public PrinterFactory
{
  public:
    std::unique_ptr<QPrinter> create() override;
};

// A printer that writes a PDF file (tests, and systems without a printer).
class PdfPrinterFactory : public PrinterFactory
{
  public:
    explicit PdfPrinterFactory(QString path) : path_(std::move(path)) {}
    std::unique_ptr<QPrinter> create() override;
    QString path() const { return path_; }

  private:
    QString path_;
};

// ---------------------------------------------------------------------------------------------
// Folders.

// The folder of the running executable.
QString executableFolder();
// Where the autosave file lives: the program folder when it is writable, else the user's
// configuration folder (created when needed).
QString autosaveFolder(const QString& programFolder);

} // namespace kv
