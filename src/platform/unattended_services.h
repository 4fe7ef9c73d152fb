#pragma once

#include "platform/layer.h"

// Services for runs nobody attends (benchmarks, the soak run, fuzzing): every dialog answers at
// once, nothing is opened, the registry is empty, the system is the NT family at 96 DPI.

#include "platform/services.h"

namespace kv {

// Message boxes answer with their first button, except that a Yes/No question is answered No;
// file, colour and print dialogs are cancelled.
class UnattendedDialogs : public Dialogs
{
  public:
    MsgResult MsgBox(const QString&, MsgButtons buttons, MsgIcon, const QString&) override;
    std::optional<FileDialogResult> ShowOpen(const FileDialogRequest&) override { return {}; }
    std::optional<int> ShowColor(int) override { return {}; }
    std::optional<PrintChoice> ShowPrinter(QPrinter&, const PrintRequest&) override { return {}; }

  protected:
    std::optional<FileDialogResult> ShowSaveDialog(const FileDialogRequest&) override { return {}; }
};

class NoShell : public Shell
{
  public:
    void open(const QString&) override {}
};

class EmptyRegistry : public RegistryView
{
  public:
    std::optional<QString> value(const QString&, const QString&) const override { return {}; }
};

class DefaultSystemInfo : public SystemInfo
{
  public:
    int platformCode() const override { return 2; }
    int desktopTextHeight() const override { return 16; }
    QRect workArea() const override { return {}; }
};

} // namespace kv
