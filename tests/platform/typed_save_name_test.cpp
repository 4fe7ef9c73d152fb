// The real save dialog, driven offscreen: the name typed into it is the file chosen, even when
// it holds double quotes (which Qt's dialog would read as a list of names and keep one of).

#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kv::test {
namespace {

// Types `text` into the file dialog that opens next and presses Enter.
void typeIntoNextFileDialog(const QString& text)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, text] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
        // Still open (a refused name): leave it, so that the test fails rather than hangs.
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start();
}

struct TypedCase
{
    const char* typed;
    const char* filter;
    int filterIndex;
    const char* saved; // the file name the dialog gives back
};

TEST(TypedSaveName, IsTheFileChosenAsTyped)
{
    QTemporaryDir dir;
    const TypedCase cases[] = {
        {"odd 'q' \"d\" $x.set", "Oscilloscope Setup File (*.set)|*.set", 1,
         "odd 'q' \"d\" $x.set"},
        {"odd 'q' \"d\" $x.csv", "Microsoft Excel (*.xls)|*.xls|Comma Delimited (*.csv)|*.csv", 1,
         "odd 'q' \"d\" $x.csv"},
        {"\"quoted\"", "Bitmap (*.bmp)|*.bmp", 1, "\"quoted\".bmp"},
        {"plain", "Bitmap (*.bmp)|*.bmp", 1, "plain.bmp"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.typed);
        QtDialogs dialogs;
        FileDialogRequest request;
        request.title = QStringLiteral("Save");
        request.filter = QString::fromUtf8(c.filter);
        request.filterIndex = c.filterIndex;
        request.fileName = QDir(dir.path()).filePath(QStringLiteral("start"));
        typeIntoNextFileDialog(QString::fromUtf8(c.typed));
        const auto chosen = dialogs.ShowSave(request);
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(chosen->fileName, QDir(dir.path()).filePath(QString::fromUtf8(c.saved)))
            << chosen->fileName.toStdString();
    }
}

} // namespace
} // namespace kv::test
