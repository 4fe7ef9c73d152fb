#include "app/shutdown.h"
#include "files/settings_file.h"
#include "support/file_size_limit.h"
#include "support/main_fixture.h"
#include "support/service_doubles.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <cmath>
#include <vector>

namespace kv::test {
namespace {

std::string fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class ShutdownFixture : public MainFixture
{
  protected:
    Main& start()
    {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        Main& m = load();
        m.shutdown->endProgram = [this] { ++ended; };
        return m;
    }
    QString autosave() const { return path(QStringLiteral("R7S.ast")); }
    int ended = 0;
};

TEST(ShrinkSteps, NarrowsThenFlattensAboutTheCentre)
{
    const auto steps = ShrinkSteps(1500, 1200, 15000, 12000);
    ASSERT_EQ(steps.size(), 56u);
    EXPECT_TRUE(steps[0].repaint);
    EXPECT_NEAR(steps[0].width, 15000 - 359.3, 1e-9);
    EXPECT_NEAR(steps[0].left, 1500 + 179.65, 1e-9);
    EXPECT_NEAR(steps[24].width, 15000 - 8982.5, 1e-6);
    EXPECT_EQ(steps[24].height, 12000);
    EXPECT_FALSE(steps[25].repaint);
    EXPECT_NEAR(steps[55].height, 12000 - 11160, 1e-6);
    EXPECT_NEAR(steps[55].top, 1200 + 31 * 180, 1e-6);
    EXPECT_NEAR(steps[55].left + steps[55].width / 2, 1500 + 7500, 1e-6); // centre kept
}

TEST(ShrinkSteps, SmallWindowBouncesFromZero)
{
    const auto steps = ShrinkSteps(0, 0, 500, 300);
    EXPECT_NEAR(steps[0].width, 140.7, 1e-9);
    EXPECT_NEAR(steps[1].width, 218.6, 1e-9); // |140.7 - 359.3|
    EXPECT_NEAR(steps[25].height, 60, 1e-9);
    for (const ShrinkStep& s : steps) {
        EXPECT_GE(s.width, 0);
        EXPECT_GE(s.height, 0);
    }
}

TEST_F(ShutdownFixture, ExitThenNoRewritesTheFileAndGoesOn)
{
    Main& m = start();
    ASSERT_FALSE(QFileInfo::exists(autosave()));
    dialogs().answer(MsgResult::No);
    m.mnuFExit->trigger();
    const auto& question = dialogs().last();
    EXPECT_EQ(question.text, QStringLiteral("Are You Sure You Want To Quit?"));
    EXPECT_EQ(question.title, QStringLiteral("Kestrovue"));
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::None);
    EXPECT_TRUE(QFileInfo::exists(autosave()));
    EXPECT_TRUE(m.CWButton3->value());
    EXPECT_EQ(m.CWButton14->offColor(), 0x00FF00);
    EXPECT_EQ(ended, 0);
}

TEST_F(ShutdownFixture, ShortcutIsCtrlE)
{
    Main& m = start();
    EXPECT_EQ(m.mnuFExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
}

// Reads the power lamp and the autosave file at the moment the quit question is asked.
class WatchingDialogs : public ScriptedDialogs
{
  public:
    CwButton* lamp = nullptr;
    QString file;
    int lampColour = -1;
    bool fileThere = false;
    MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                     const QString& title) override
    {
        if (text == QStringLiteral("Are You Sure You Want To Quit?")) {
            lampColour = lamp->offColor();
            fileThere = QFileInfo::exists(file);
        }
        return ScriptedDialogs::MsgBox(text, buttons, icon, title);
    }
};

TEST_F(ShutdownFixture, LampIsRedAndTheFileWrittenWhileTheQuestionIsOpen)
{
    WatchingDialogs watching;
    Main m(services(watching));
    watching.answer(MsgResult::No);
    m.Form_Load();
    watching.lamp = m.CWButton14;
    watching.file = autosave();
    m.shutdown->endProgram = [this] { ++ended; };
    watching.answer(MsgResult::No);
    m.CWButton3->setValue(false);
    EXPECT_EQ(watching.lampColour, 0x0000FF);
    EXPECT_TRUE(watching.fileThere);
    EXPECT_EQ(m.CWButton14->offColor(), 0x00FF00);
    EXPECT_TRUE(m.CWButton3->value());
    EXPECT_EQ(watching.remaining(), 0);
}

TEST_F(ShutdownFixture, ExitThenYesShrinksSavesAndEnds)
{
    Main& m = start();
    m.setGeometry(100, 80, 800, 600);
    m.CWButton5->setOffColor(65280);
    dialogs().answer(MsgResult::Yes);
    m.CWButton3->setValue(false);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_LT(m.width(), 800);
    EXPECT_LT(m.height(), 600);
    const std::string file = fileBytes(autosave());
    EXPECT_NE(file.find("\r\n 65280 \r\n"), std::string::npos);
}

// The main window's geometry at each resize it receives.
class ResizeRecorder : public QObject
{
  public:
    explicit ResizeRecorder(QWidget& window) : window_(window) { window.installEventFilter(this); }
    std::vector<QRect> seen;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Resize)
            seen.push_back(window_.geometry());
        return false;
    }

  private:
    QWidget& window_;
};

// On the shown window, Ctrl+E and Yes narrow the window in 25 steps about its centre line, then
// flatten it in 31 steps about its middle: every step is a real resize, not only a move.
TEST_F(ShutdownFixture, ClosingAnimationNarrowsAndFlattensTheShownWindow)
{
    Main& m = start();
    m.frmSplash().CloseSplash();
    m.activateWindow(); // the shortcut goes to the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    m.move(120, 90);
    const QRect before = m.geometry();
    ASSERT_GT(before.width(), 600);
    ResizeRecorder recorder(m);
    dialogs().answer(MsgResult::Yes);
    QTest::keyClick(&m, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(ended, 1);

    const auto px = [](double twips) { return int(std::lround(twips / 15.0)); };
    const auto steps = ShrinkSteps(before.x() * 15.0, before.y() * 15.0, before.width() * 15.0,
                                   before.height() * 15.0);
    ASSERT_EQ(recorder.seen.size(), steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ShrinkStep& step = steps[i];
        EXPECT_EQ(recorder.seen[i],
                  QRect(px(step.left), px(step.top), px(step.width), px(step.height)))
            << "step " << i + 1;
    }
    const QRect narrowest = recorder.seen[24], last = recorder.seen.back();
    EXPECT_EQ(narrowest.height(), before.height());
    EXPECT_NEAR(narrowest.width(), before.width() - 599, 2);
    EXPECT_NEAR(narrowest.center().x(), before.center().x(), 2);
    EXPECT_EQ(last.width(), narrowest.width());
    EXPECT_LT(last.height(), 40);
}

TEST_F(ShutdownFixture, ClosingTheWindowSavesWithoutAQuestion)
{
    Main& m = start();
    m.show();
    m.CWButton6->setOffColor(65535);
    const int asked = int(dialogs().requests().size());
    EXPECT_TRUE(m.close());
    EXPECT_EQ(int(dialogs().requests().size()), asked);
    EXPECT_EQ(ended, 1);
    EXPECT_NE(fileBytes(autosave()).find("\r\n 65535 \r\n"), std::string::npos);
}

TEST_F(ShutdownFixture, SaveBeforeTheQuestionMovesTheReferenceSelectionToALitChannel)
{
    Main& m = start();
    m.global.ActiveChannel = Variant(5);
    m.LED5->setValue(true);
    m.LED1->setValue(true);
    dialogs().answer(MsgResult::No);
    m.mnuFExit->trigger();
    EXPECT_EQ(m.global.ActiveChannel, Variant(1));
    EXPECT_FALSE(m.LED5->value());
}

// The quit path saves twice (before its question and as the window unloads): a failure is told
// once, and the previous file stays.
TEST_F(ShutdownFixture, FailedAutosaveAtExitIsToldOnceAndKeepsThePreviousFile)
{
    Main& m = start();
    m.state.FilePath = autosave().toStdString();
    ASSERT_TRUE(m.settingsFile->SaveSettingsFile());
    const std::string before = fileBytes(autosave());
    m.CWButton5->setOffColor(65280);
    const std::size_t asked = dialogs().requests().size();
    {
        const FileSizeLimit limit(50);
        dialogs().answer(MsgResult::OK).answer(MsgResult::Yes);
        m.CWButton3->setValue(false);
    }
    EXPECT_EQ(ended, 1);
    ASSERT_EQ(dialogs().requests().size(), asked + 2);
    const auto& told = dialogs().at(asked);
    EXPECT_TRUE(told.text.startsWith(QStringLiteral("The settings file could not be saved:\r\n") +
                                     autosave() + QStringLiteral("\r\n")))
        << told.text.toStdString();
    EXPECT_EQ(told.icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs().at(asked + 1).text, QStringLiteral("Are You Sure You Want To Quit?"));
    EXPECT_EQ(fileBytes(autosave()), before);
}

TEST_F(ShutdownFixture, NextStartComesBackToTheSavedState)
{
    {
        Main& m = start();
        m.CWButton5->setOffColor(65280);
        m.COMCombo->setCurrentIndex(4);
        m.close();
    }
    // A second window on the same program folder reads the file at its start.
    Main second(services());
    second.Form_Load();
    EXPECT_EQ(second.CWButton5->offColor(), 65280);
    EXPECT_EQ(second.COMCombo->currentIndex(), 4);
    EXPECT_EQ(second.CWSerial1.PortNumber(), 5);
    EXPECT_FALSE(second.global.FirstRun.toBoolean());
    EXPECT_FALSE(Visible(second.Options));
}

} // namespace
} // namespace kv::test
