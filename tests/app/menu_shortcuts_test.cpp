// Menu shortcuts while the COM port box's line edit has the keyboard focus: real key events to
// the focused line edit reach every item. On X11 the line edit claims Ctrl+E (end of line) for
// itself, so the case also runs in a program of its own on a private X server.

#include "e2e/x_session.h"
#include "support/main_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace kv::test {
namespace {

class FocusedComPortBox : public MainFixture
{
  protected:
    void SetUp() override
    {
        instrument().faults().silence = true;
        load();
        dialogs().clear();
        Main& m = main();
        m.show();
        m.Options->setVisible(true);
        m.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
        edit = m.COMCombo->lineEdit();
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        ASSERT_TRUE(edit->hasFocus());
    }

    QLineEdit* edit = nullptr;
};

// Counts the shortcut's arrival at its item and keeps the command from running.
class ShortcutCatcher : public QObject
{
  public:
    int caught = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        ++caught;
        return true;
    }
};

TEST_F(FocusedComPortBox, EveryMenuShortcutReachesItsItem)
{
    int withShortcut = 0;
    for (QAction* item : main().menuItems()) {
        if (item->shortcut().isEmpty())
            continue;
        ++withShortcut;
        SCOPED_TRACE(item->shortcut().toString().toStdString());
        ShortcutCatcher catcher;
        item->installEventFilter(&catcher);
        const int key = item->shortcut()[0];
        QTest::keyClick(edit, Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        item->removeEventFilter(&catcher);
        EXPECT_EQ(catcher.caught, 1);
        EXPECT_TRUE(edit->hasFocus());
    }
    EXPECT_EQ(withShortcut, 11);
    // The box keeps every other key: typing and its own editing keys.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("17"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
}

TEST(MenuShortcutsOnX11, ReachTheirItemsFromTheFocusedComPortBox)
{
    if (const QString missing = XSession::missingTools(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    XSession x;
    QString why;
    ASSERT_TRUE(x.start(why)) << why.toStdString();
    QProcess child;
    child.setProcessEnvironment(x.environment());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=FocusedComPortBox.*")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

} // namespace
} // namespace kv::test
