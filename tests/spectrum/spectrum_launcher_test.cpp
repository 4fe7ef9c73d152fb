#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "spectrum/spectrum_launcher.h"
#include "support/main_fixture.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace kv {
namespace {

// The main window's side of the spectrum window, on a headless main window. The launcher is
// built here so the tests do not depend on which groups the main window registers.
class SpectrumLauncherTest : public test::MainFixture
{
  protected:
    SpectrumLauncherTest() : launcher(build().global, launcherControls(main())) {}

    static SpectrumLauncher::Controls launcherControls(Main& w)
    {
        return {.FFTbutton = w.FFTbutton, .source = sourceControls(w)};
    }
    static MainSpectrumSource::Controls sourceControls(Main& w)
    {
        return {.CWKnob2 = w.CWKnob2, .CWGraph1 = w.CWGraph1, .CWButton1 = w.CWButton1};
    }

    SpectrumLauncher launcher;
};

TEST_F(SpectrumLauncherTest, FftButtonLoadsAndShowsTheWindowOnce)
{
    EXPECT_EQ(launcher.window(), nullptr);
    main().FFTbutton->setValue(true);
    SpectrumWindow* window = launcher.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());

    window->hide();
    main().FFTbutton->setValue(true); // the next press shows the same instance
    EXPECT_EQ(launcher.window(), window);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(SpectrumLauncherTest, RunSwitchLoadsTheWindowHidden)
{
    launcher.setRunSwitch(true);
    SpectrumWindow* window = launcher.window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->Timer1->enabled());
    EXPECT_TRUE(window->CWButton3->value());
    EXPECT_TRUE(main().CWButton1->value());

    launcher.setRunSwitch(false);
    EXPECT_FALSE(window->CWButton3->value());
    EXPECT_FALSE(main().CWButton1->value());
}

TEST_F(SpectrumLauncherTest, ScopeUnloadsAndTheNextPressLoadsAFreshWindow)
{
    main().FFTbutton->setValue(true);
    QPointer<SpectrumWindow> first = launcher.window();
    first->CWButton1->setValue(true);
    EXPECT_EQ(launcher.window(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    main().FFTbutton->setValue(true);
    ASSERT_NE(launcher.window(), nullptr);
    EXPECT_TRUE(launcher.window()->isVisible());
}

TEST_F(SpectrumLauncherTest, SourceReadsTheMainWindow)
{
    MainSpectrumSource source(main().global, sourceControls(main()));
    main().CWKnob2->setPosition(7);
    EXPECT_EQ(source.timeDivPosition(), 7);
    EXPECT_EQ(&source.global(), &main().global);

    main().CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
    main().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), true);
    EXPECT_TRUE(source.bothTracesShown());
    main().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), false);
    EXPECT_FALSE(source.bothTracesShown());

    source.setRun(true);
    EXPECT_TRUE(main().CWButton1->value());
}

} // namespace
} // namespace kv
