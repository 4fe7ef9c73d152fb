// The real dialogs, driven as a user drives them: keys and clicks on the open dialog's widgets.
#include "platform/qt_dialogs.h"
#include "support/service_doubles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace kv::test {
namespace {

// Runs `act` on the modal dialog of type T once it is open. A dialog that does not open, or that
// is still open 10 s later, fails the test and is closed, so that the test never hangs.
template <class T> void whenOpen(std::function<void(T*)> act)
{
    auto* clock = new QElapsedTimer;
    clock->start();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, clock, act, acted = false]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal); dialog && !acted) {
            acted = true;
            act(dialog);
        } else if (clock->elapsed() > 10000) {
            ADD_FAILURE() << (acted ? "the dialog stayed open" : "no dialog opened");
            if (auto* stuck = qobject_cast<QDialog*>(modal))
                stuck->reject();
            acted = true;
        }
        if (acted && !qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            delete clock;
        }
    });
    poll->start(20);
}

template <class W> W* child(QWidget* dialog, const char* name)
{
    W* widget = dialog->findChild<W*>(QString::fromLatin1(name));
    EXPECT_TRUE(widget) << "no " << name << " in the dialog";
    return widget;
}

TEST(QtDialogs, SaveAddsTheSuffixOfTheFilterChosenInTheDialog)
{
    QTemporaryDir dir;
    FileDialogRequest request;
    request.title = QStringLiteral("Save Settings");
    request.filter = QStringLiteral("Oscilloscope Setup File (*.set)|*.set|Text (*.txt)|*.txt");
    request.fileName = QDir(dir.path()).filePath(QStringLiteral("first"));
    whenOpen<QFileDialog>([](QFileDialog* dialog) {
        // The second filter, with the keyboard; then a name without a suffix, and Return.
        auto* types = child<QComboBox>(dialog, "fileTypeCombo");
        auto* name = child<QLineEdit>(dialog, "fileNameEdit");
        if (!types || !name)
            return dialog->reject();
        QTest::keyClick(types, Qt::Key_Down);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("mysetup"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QtDialogs dialogs;
    const auto chosen = dialogs.ShowSave(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->filterIndex, 2);
    EXPECT_EQ(chosen->fileName.toStdString(),
              QDir(dir.path()).filePath(QStringLiteral("mysetup.txt")).toStdString());
}

TEST(QtDialogs, PrintGoesToThePrinterChosenInTheDialog)
{
    QTemporaryDir dir;
    const QString offered = QDir(dir.path()).filePath(QStringLiteral("offered.pdf"));
    const QString chosenFile = QDir(dir.path()).filePath(QStringLiteral("chosen.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(offered);
    whenOpen<QPrintDialog>([&chosenFile](QPrintDialog* dialog) {
        // Another output file and two copies, typed; then the dialog's Print button.
        auto* file = child<QLineEdit>(dialog, "filename");
        auto* copies = child<QSpinBox>(dialog, "copies");
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        if (!file || !copies || !buttons)
            return dialog->reject();
        file->selectAll();
        QTest::keyClicks(file, chosenFile);
        copies->selectAll();
        QTest::keyClicks(copies, QStringLiteral("2"));
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QtDialogs dialogs;
    const auto choice = dialogs.ShowPrinter(printer, PrintRequest{});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->copies, 2);
    EXPECT_EQ(printer.outputFileName().toStdString(), chosenFile.toStdString());
    // What is then printed goes to the chosen file, and nothing to the one offered.
    QPainter painter;
    ASSERT_TRUE(painter.begin(&printer));
    painter.drawText(100, 100, QStringLiteral("page"));
    ASSERT_TRUE(painter.end());
    QFile written(chosenFile);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF"));
    EXPECT_FALSE(QFile::exists(offered));
}

// The script's latest request, asked for when none was made, fails that test alone.
TEST(ScriptedDialogs, RequestNotMadeFailsTheTestInsteadOfCrashing)
{
    ScriptedDialogs dialogs;
    EXPECT_NONFATAL_FAILURE(
        {
            const auto& none = dialogs.last();
            EXPECT_TRUE(none.text.isEmpty());
        },
        "No dialog was asked for");
    dialogs.answer(MsgResult::Yes);
    EXPECT_EQ(
        dialogs.MsgBox(QStringLiteral("Sure?"), MsgButtons::YesNo, MsgIcon::Question, AppTitle),
        MsgResult::Yes);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Sure?"));
    EXPECT_EQ(dialogs.at(0).text, QStringLiteral("Sure?"));
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(dialogs.at(1).text.isEmpty()),
                            "No dialog 2 was asked for (1 asked)");
}

} // namespace
} // namespace kv::test
