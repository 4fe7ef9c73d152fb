#pragma once

// Test doubles of the services the main window is built from. Header only.

#include "platform/services.h"

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <variant>
#include <vector>

namespace kv::test {

// A script of answers for the dialogs; records every request. A dialog with no answer left, or
// of another kind than the next answer, fails the test with what was asked, and is cancelled
// (message boxes answer with their last button).
class ScriptedDialogs : public Dialogs
{
  public:
    enum class Kind
    {
        MsgBox,
        Open,
        Save,
        Color,
        Printer
    };

    struct Request
    {
        Kind kind = Kind::MsgBox;
        QString text; // message text, or file dialog filter
        QString title;
        MsgButtons buttons = MsgButtons::OK;
        MsgIcon icon = MsgIcon::None;
        FileDialogRequest file;
        int initialColor = 0;
        PrintRequest print;
    };

    // Queue answers, in the order the dialogs will be asked.
    ScriptedDialogs& answer(MsgResult result) { return push(Kind::MsgBox, result); }
    ScriptedDialogs& answerOpen(std::optional<FileDialogResult> result)
    {
        return push(Kind::Open, result);
    }
    ScriptedDialogs& answerOpen(const QString& fileName, int filterIndex = 1)
    {
        return answerOpen(FileDialogResult{fileName, filterIndex});
    }
    ScriptedDialogs& answerSave(std::optional<FileDialogResult> result)
    {
        return push(Kind::Save, result);
    }
    ScriptedDialogs& answerSave(const QString& fileName, int filterIndex = 1)
    {
        return answerSave(FileDialogResult{fileName, filterIndex});
    }
    ScriptedDialogs& answerColor(std::optional<int> bgr) { return push(Kind::Color, bgr); }
    // The print dialog's answer; `choose`, when given, makes the user's choice on the printer
    // the dialog was opened for (another printer, an output file, the paper).
    ScriptedDialogs& answerPrinter(std::optional<PrintChoice> choice,
                                   std::function<void(QPrinter&)> choose = {})
    {
        printerChoices_.push_back(std::move(choose));
        return push(Kind::Printer, choice);
    }

    const std::vector<Request>& requests() const { return requests_; }
    // The latest request. With none yet, the test fails and an empty request stands in, so that
    // the test's own checks of it fail as well and the other tests still run.
    const Request& last() const
    {
        static const Request none;
        if (requests_.empty()) {
            ADD_FAILURE() << "No dialog was asked for";
            return none;
        }
        return requests_.back();
    }
    // Request `index` (0: the first), failing the test in the same way when there is no such one.
    const Request& at(std::size_t index) const
    {
        static const Request none;
        if (index >= requests_.size()) {
            ADD_FAILURE() << "No dialog " << index + 1 << " was asked for (" << requests_.size()
                          << " asked)";
            return none;
        }
        return requests_[index];
    }
    int remaining() const { return int(answers_.size()); }
    void clear()
    {
        requests_.clear();
        answers_.clear();
        printerChoices_.clear();
    }

    MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& title) override
    {
        Request r;
        r.kind = Kind::MsgBox;
        r.text = text;
        r.title = title;
        r.buttons = buttons;
        r.icon = icon;
        const auto a = take(r);
        if (a && std::holds_alternative<MsgResult>(*a))
            return std::get<MsgResult>(*a);
        return fallback(buttons);
    }
    std::optional<FileDialogResult> ShowOpen(const FileDialogRequest& request) override
    {
        return file(Kind::Open, request);
    }
    std::optional<int> ShowColor(int initialBgr) override
    {
        Request r;
        r.kind = Kind::Color;
        r.initialColor = initialBgr;
        const auto a = take(r);
        if (a && std::holds_alternative<std::optional<int>>(*a))
            return std::get<std::optional<int>>(*a);
        return std::nullopt;
    }
    std::optional<PrintChoice> ShowPrinter(QPrinter& printer, const PrintRequest& request) override
    {
        Request r;
        r.kind = Kind::Printer;
        r.print = request;
        std::function<void(QPrinter&)> choose;
        if (!printerChoices_.empty()) {
            choose = std::move(printerChoices_.front());
            printerChoices_.pop_front();
        }
        const auto a = take(r);
        if (!a || !std::holds_alternative<std::optional<PrintChoice>>(*a))
            return std::nullopt;
        const auto choice = std::get<std::optional<PrintChoice>>(*a);
        if (choice && choose)
            choose(printer);
        return choice;
    }

    static const char* kindName(Kind kind)
    {
        switch (kind) {
        case Kind::MsgBox:
            return "message box";
        case Kind::Open:
            return "open dialog";
        case Kind::Save:
            return "save dialog";
        case Kind::Color:
            return "colour dialog";
        case Kind::Printer:
            return "print dialog";
        }
        return "dialog";
    }

  protected:
    std::optional<FileDialogResult> ShowSaveDialog(const FileDialogRequest& request) override
    {
        return file(Kind::Save, request);
    }

  private:
    using Answer = std::variant<MsgResult, std::optional<FileDialogResult>, std::optional<int>,
                                std::optional<PrintChoice>>;
    struct Scripted
    {
        Kind kind;
        Answer answer;
    };

    template <class T> ScriptedDialogs& push(Kind kind, T value)
    {
        answers_.push_back({kind, Answer(std::move(value))});
        return *this;
    }

    std::optional<Answer> take(const Request& r)
    {
        requests_.push_back(r);
        const QString what = QStringLiteral("%1 \"%2\" titled \"%3\"")
                                 .arg(QString::fromLatin1(kindName(r.kind)), r.text, r.title);
        if (answers_.empty()) {
            ADD_FAILURE() << "Unexpected " << what.toStdString();
            return std::nullopt;
        }
        Scripted next = answers_.front();
        answers_.pop_front();
        if (next.kind != r.kind) {
            ADD_FAILURE() << "Expected a " << kindName(next.kind) << ", got " << what.toStdString();
            return std::nullopt;
        }
        return next.answer;
    }

    std::optional<FileDialogResult> file(Kind kind, const FileDialogRequest& request)
    {
        Request r;
        r.kind = kind;
        r.text = request.filter;
        r.title = request.title;
        r.file = request;
        const auto a = take(r);
        if (a && std::holds_alternative<std::optional<FileDialogResult>>(*a))
            return std::get<std::optional<FileDialogResult>>(*a);
        return std::nullopt;
    }

    static MsgResult fallback(MsgButtons buttons)
    {
        switch (buttons) {
        case MsgButtons::OK:
            return MsgResult::OK;
        case MsgButtons::AbortRetryIgnore:
            return MsgResult::Ignore;
        case MsgButtons::YesNo:
            return MsgResult::No;
        default:
            return MsgResult::Cancel;
        }
    }

    std::vector<Request> requests_;
    std::deque<Scripted> answers_;
    // The printer choice of each print dialog answer, in their order.
    std::deque<std::function<void(QPrinter&)>> printerChoices_;
};

// Records what the program asked the desktop to open.
class RecordingShell : public Shell
{
  public:
    void open(const QString& fileOrUrl) override { opened << fileOrUrl; }
    QStringList opened;
};

// Registry values given by the test; keys and value names compare without regard to case.
class FixedRegistry : public RegistryView
{
  public:
    FixedRegistry& set(const QString& keyPath, const QString& valueName, const QString& value)
    {
        values_[{keyPath.toLower(), valueName.toLower()}] = value;
        return *this;
    }
    std::optional<QString> value(const QString& keyPath, const QString& valueName) const override
    {
        const auto it = values_.find({keyPath.toLower(), valueName.toLower()});
        if (it == values_.end())
            return std::nullopt;
        return *it;
    }

  private:
    QMap<QPair<QString, QString>, QString> values_;
};

// System information given by the test.
class FixedSystemInfo : public SystemInfo
{
  public:
    int platform = 2;
    int textHeight = 16;
    QRect area; // empty: no limit on the window's size
    int platformCode() const override { return platform; }
    int desktopTextHeight() const override { return textHeight; }
    QRect workArea() const override { return area; }
};

} // namespace kv::test
