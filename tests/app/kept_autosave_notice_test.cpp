// A refused autosave file is told once start-up has returned, in a real message box: which file
// was kept aside, and why. Start-up itself shows no box.

#include "files/settings_file.h"
#include "platform/qt_dialogs.h"
#include "support/box_watcher.h"
#include "support/main_fixture.h"

#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace kv::test {
namespace {

class KeptAutosaveNotice : public MainFixture
{
  protected:
    // No instrument answers, so start-up asks no first-run calibration question.
    void SetUp() override { instrument().faults().silence = true; }
};

TEST_F(KeptAutosaveNotice, IsShownOnceAfterStartUpInARealBox)
{
    {
        QFile file(path(QStringLiteral("R7S.ast")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\"100mV\"\r\n\"1mS\"\r\n50\r\n2\r\n#FALSE#\r\n");
    }
    QtDialogs dialogs;
    BoxWatcher watcher;
    Main m(services(dialogs));
    dialogs.setParent(&m);
    m.Form_Load();
    EXPECT_TRUE(watcher.texts.empty()) << "start-up showed a box";
    // As the program does: once start-up has returned, from the event loop.
    QTimer::singleShot(0, &m, [&m] { m.settingsFile->TellKeptAutosave(); });
    QTest::qWait(200);
    ASSERT_EQ(watcher.texts.size(), 1u);
    const QString& text = watcher.texts.front();
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("This file was not loaded as an oscilloscope setup file: \n") +
        path(QStringLiteral("R7S.ast")) + QStringLiteral("\n")))
        << text.toStdString();
    EXPECT_TRUE(
        text.contains(QStringLiteral("It was kept as ") + path(QStringLiteral("R7S.ast.refused"))))
        << text.toStdString();
    EXPECT_EQ(watcher.icons.front(), QMessageBox::Warning);
    // Once only.
    m.settingsFile->TellKeptAutosave();
    QTest::qWait(50);
    EXPECT_EQ(watcher.texts.size(), 1u);
}

} // namespace
} // namespace kv::test
