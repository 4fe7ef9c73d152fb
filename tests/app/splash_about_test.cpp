#include "app/about_window.h"
#include "app/help_menu.h"
#include "link/identification.h"
#include "support/main_fixture.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTest>

namespace kv::test {
namespace {

// ---- Splash window and the identification -----------------------------------------------------

class SplashRules : public MainFixture
{
  protected:
    Main& loadAnswering()
    {
        dialogs().answer(MsgResult::No); // first-run calibration question
        return load();
    }
    Main& loadSilent()
    {
        instrument().faults().silence = true;
        return load();
    }
};

TEST_F(SplashRules, ClosesSixSecondsAfterAnInstrumentAnswers)
{
    Main& m = loadAnswering();
    SplashWindow& splash = m.frmSplash();
    ASSERT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.SplashTime->enabled());
    EXPECT_EQ(splash.SplashTime->interval(), 6000);
    splash.SplashTime->fire();
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
    // First run: the Options panel is shown, so the link watch goes on.
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_TRUE(m.CheckCOM->enabled());
}

TEST_F(SplashRules, ClosingWithOptionsHiddenStopsTheLinkWatch)
{
    Main& m = loadAnswering();
    m.Options->setVisible(false);
    m.frmSplash().SplashTime->fire();
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(m.CheckCOM->enabled());
}

TEST_F(SplashRules, StaysWithoutAnInstrument)
{
    Main& m = loadSilent();
    for (int i = 0; i < 5; ++i)
        m.CheckCOM->fire();
    ASSERT_TRUE(m.splashLoaded());
    EXPECT_TRUE(m.frmSplash().isVisible());
    EXPECT_FALSE(m.frmSplash().SplashTime->enabled());
    EXPECT_EQ(m.frmSplash().Model->text(), "Hardware Not Found");
    EXPECT_FALSE(m.isVisible());
}

TEST_F(SplashRules, PluggedInWhileOpenArmsTheTimerAtTheNextTick)
{
    Main& m = loadSilent();
    instrument().faults().silence = false;
    dialogs().answer(MsgResult::No);
    m.CheckCOM->fire();
    SplashWindow& splash = m.frmSplash();
    EXPECT_EQ(splash.CWButton7->offColor(), LampGreen);
    EXPECT_TRUE(splash.SplashTime->enabled());
    splash.SplashTime->fire();
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

TEST_F(SplashRules, ClickBeforeTheTimerClosesAtOnce)
{
    Main& m = loadAnswering();
    QTest::mouseClick(m.frmSplash().Picture1, Qt::LeftButton);
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

TEST_F(SplashRules, AClickOnTheLampClosesIt)
{
    Main& m = loadSilent();
    QTest::mouseClick(m.frmSplash().CWButton7, Qt::LeftButton);
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

TEST_F(SplashRules, AKeyWithACharacterClosesItAnArrowKeyDoesNot)
{
    Main& m = loadSilent();
    QTest::keyClick(&m.frmSplash(), Qt::Key_Left);
    ASSERT_TRUE(m.splashLoaded());
    EXPECT_FALSE(m.isVisible());
    QTest::keyClick(&m.frmSplash(), Qt::Key_A);
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

TEST_F(SplashRules, ClosedByTheSystemItShowsTheMainWindow)
{
    Main& m = loadSilent();
    ASSERT_TRUE(m.frmSplash().close());
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

// ---- About window and Help menu
// --------------------------------------------------------------------

AboutWindow* openAbout()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<AboutWindow*>(w); about && about->isVisible())
            return about;
    }
    return nullptr;
}

class Help : public MainFixture
{
  protected:
    void SetUp() override
    {
        instrument().faults().silence = true;
        load();
    }
    AboutWindow& about()
    {
        main().mnuHAbout->trigger();
        AboutWindow* w = openAbout();
        if (!w)
            throw std::runtime_error("About window not open");
        return *w;
    }
    QString makeFile(const QString& name)
    {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly);
        return f.fileName();
    }
    static inline const QString MsInfoKey =
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    static inline const QString LocationKey =
        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
};

TEST_F(Help, HelpFileAndOnlinePageThroughTheShell)
{
    Main& m = main();
    m.mnuHHelp->trigger();
    m.mnuHOnlineH->trigger();
    ASSERT_EQ(shell().opened.size(), 2);
    EXPECT_EQ(shell().opened[0], path("KestrovueR7T Help.html"));
    EXPECT_EQ(shell().opened[1], OnlineHelpPage);
    EXPECT_EQ(m.mnuHHelp->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(Help, F1OnTheShownWindowOpensTheHelpDocument)
{
    Main& m = main();
    m.frmSplash().CloseSplash();
    m.activateWindow(); // the shortcut goes to the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QTest::keyClick(&m, Qt::Key_F1);
    EXPECT_EQ(shell().opened, QStringList{path("KestrovueR7T Help.html")});
}

// The captions of the menu's items that a user can reach, without their access-key marks.
void collectCaptions(const QMenu& menu, QStringList& captions)
{
    for (const QAction* item : menu.actions()) {
        if (item->isSeparator() || !item->isVisible())
            continue;
        captions << item->text().remove(QLatin1Char('&'));
        if (item->menu())
            collectCaptions(*item->menu(), captions);
    }
}

// The build puts the help document beside the program, and it names every menu item of the
// menu bar and of the plot's menu as the program shows it.
TEST_F(Help, HelpDocumentBesideTheProgramNamesEveryMenuItem)
{
    QFile file(QDir(binaryDir()).filePath(HelpFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString help = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(help.startsWith(QLatin1String("<!DOCTYPE html>")));
    QStringList captions;
    for (const QAction* top : main().menuBar()->actions()) {
        captions << top->text().remove(QLatin1Char('&'));
        collectCaptions(*top->menu(), captions);
    }
    collectCaptions(*main().mnuPopup, captions);
    ASSERT_GT(captions.size(), 60);
    for (const QString& caption : captions)
        EXPECT_TRUE(help.contains(caption)) << caption.toStdString();
}

TEST_F(Help, AboutWindowShowsTheVersionAndStaysOnTop)
{
    AboutWindow& w = about();
    EXPECT_EQ(w.windowTitle(), "About Kestrovue");
    EXPECT_EQ(w.lblVersion->text(), "Version 4.0.0");
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.CWButton1->currentText(), "System Info.");
    EXPECT_EQ(w.CWButton2->currentText(), "OK");
    // Opening it again brings up the same window.
    EXPECT_EQ(&about(), &w);
}

TEST_F(Help, VersionLineAfterTheSplashHasClosed)
{
    Main& m = main();
    m.frmSplash().CloseSplash();
    ASSERT_FALSE(m.splashLoaded());
    EXPECT_EQ(about().lblVersion->text(), "Version 4.0.0");
    ASSERT_TRUE(m.splashLoaded());
    EXPECT_FALSE(m.frmSplash().isVisible());
}

TEST_F(Help, OkUnloadsTheWindow)
{
    AboutWindow& w = about();
    w.CWButton2->setValue(true);
    EXPECT_FALSE(w.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openAbout(), nullptr);
    // A new one comes up on the next click.
    EXPECT_EQ(about().lblVersion->text(), "Version 4.0.0");
}

TEST_F(Help, DistributorPageThroughTheShell)
{
    QTest::mouseClick(about().Image1, Qt::LeftButton);
    ASSERT_EQ(shell().opened.size(), 1);
    EXPECT_EQ(shell().opened[0], DistributorPage);
}

TEST_F(Help, SystemInfoProgramNamedByItsPath)
{
    const QString program = makeFile("sysinfo-tool");
    registry().set(MsInfoKey, "PATH", program + QChar(0));
    registry().set(LocationKey, "MSINFO", folder());
    makeFile("MSINFO32.EXE");
    AboutWindow& w = about();
    w.CWButton1->setValue(true);
    w.CWButton1->setValue(false); // the release starts nothing
    ASSERT_EQ(shell().opened.size(), 1);
    EXPECT_EQ(shell().opened[0], program);
}

TEST_F(Help, SystemInfoFromTheToolsFolder)
{
    registry().set(LocationKey, "MSINFO", folder());
    const QString program = makeFile("MSINFO32.EXE");
    about().CWButton1->setValue(true);
    ASSERT_EQ(shell().opened.size(), 1);
    EXPECT_EQ(shell().opened[0], program);
}

TEST_F(Help, SystemInfoThatFailsToStartSaysSo)
{
    // A shell that cannot start the program the registry names.
    struct FailingShell : Shell
    {
        void open(const QString&) override {}
        bool start(const QString&) override { return false; }
    } failing;
    registry().set(MsInfoKey, "PATH", makeFile("sysinfo-tool"));
    dialogs().answer(MsgResult::OK);
    StartSysInfo(registry(), failing, dialogs());
    EXPECT_EQ(dialogs().last().text, "System Information Is Unavailable At This Time");
}

struct UnavailableCase
{
    const char* name;
    bool pathValue;     // PATH names a file that does not exist
    bool locationValue; // the folder holds no MSINFO32.EXE
};

// Names the case in test listings and failure messages.
void PrintTo(const UnavailableCase& c, std::ostream* os)
{
    *os << c.name;
}

class SystemInfoUnavailable : public Help, public ::testing::WithParamInterface<UnavailableCase>
{
};

TEST_P(SystemInfoUnavailable, SaysSo)
{
    const UnavailableCase c = GetParam();
    if (c.pathValue)
        registry().set(MsInfoKey, "PATH", path("no-such-tool"));
    if (c.locationValue)
        registry().set(LocationKey, "MSINFO", folder());
    dialogs().answer(MsgResult::OK);
    about().CWButton1->setValue(true);
    EXPECT_TRUE(shell().opened.isEmpty());
    const auto& box = dialogs().last();
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(box.title, "Kestrovue");
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(box.icon, MsgIcon::None);
}

INSTANTIATE_TEST_SUITE_P(Cases, SystemInfoUnavailable,
                         ::testing::Values(UnavailableCase{"Neither", false, false},
                                           UnavailableCase{"MissingProgram", true, false},
                                           UnavailableCase{"EmptyFolder", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryText, TerminatingNulDropped)
{
    FixedRegistry registry;
    registry.set("K", "withNul", QStringLiteral("abc") + QChar(0));
    registry.set("K", "without", QStringLiteral("abc"));
    QString value = "old";
    EXPECT_TRUE(GetKeyValue(registry, "K", "withNul", value));
    EXPECT_EQ(value, "abc");
    EXPECT_TRUE(GetKeyValue(registry, "K", "without", value));
    EXPECT_EQ(value, "abc");
    EXPECT_FALSE(GetKeyValue(registry, "K", "missing", value));
    EXPECT_EQ(value, "");
}

} // namespace
} // namespace kv::test
