// The cursor-style slide names what the graph shows: after start-up (no cursor, "OFF"), after a
// click on another style and after the default settings are loaded.
#include "app/main_window.h"
#include "controls/cw_graph.h"
#include "controls/cw_slide.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace kv {
namespace {

const QString A = QStringLiteral("A"), B = QStringLiteral("B");

class CursorStyleAgrees : public test::MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        load();
    }
    void click(int position)
    {
        CwSlide* slide = main().GraphMode;
        QTest::mouseClick(slide, Qt::LeftButton, Qt::NoModifier,
                          slide->positionPoint(position).toPoint());
    }
    // Cursors A and B and their read-outs shown (or not), as the slide's style says.
    void expectShown(bool shown)
    {
        Main& m = main();
        EXPECT_EQ(m.CWGraph1->cursorVisible(A), shown);
        EXPECT_EQ(m.CWGraph1->cursorVisible(B), shown);
        EXPECT_EQ(m.lblYPos->isVisibleTo(m.lblYPos->parentWidget()), shown); // the voltages
        EXPECT_EQ(m.btnAPOS->isEnabled(), shown);
        EXPECT_EQ(m.CWSlide2->isEnabled(), shown);
    }
};

TEST_F(CursorStyleAgrees, StartUpShowsOffAndNoCursor)
{
    EXPECT_EQ(main().GraphMode->position(), 4);
    expectShown(false);
}

TEST_F(CursorStyleAgrees, AClickOnHorizontalBarsShowsTheCursorsAndOffHidesThemAgain)
{
    click(1);
    ASSERT_EQ(main().GraphMode->position(), 1);
    expectShown(true);
    click(4);
    ASSERT_EQ(main().GraphMode->position(), 4);
    expectShown(false);
}

TEST_F(CursorStyleAgrees, DefaultSettingsKeepTheSlideAndTheCursorsTogether)
{
    Main& m = main();
    for (int position : {4, 3}) {
        SCOPED_TRACE(position);
        if (m.GraphMode->position() != position)
            click(position);
        dialogs().answer(MsgResult::Yes).answer(MsgResult::No);
        m.mnuFDefault->trigger();
        EXPECT_EQ(m.GraphMode->position(), position);
        expectShown(position != 4);
    }
}

} // namespace
} // namespace kv
