// The trigger source and trigger level groups built on their own: only the controls they work,
// the scope state and the level group as the source group's peer; no window.
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "panel/trigger_level.h"
#include "panel/trigger_source.h"
#include "state/colours.h"
#include "state/names.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace kv::test {
namespace {

class TriggerGroupsAlone : public ::testing::Test
{
  protected:
    TriggerGroupsAlone()
    {
        window.resize(800, 600);
        sourceSlide->setGeometry(0, 0, 140, 90);
        sourceSlide->setPositions({"Channel 1", "Channel 2", "External"});
        levelSlide->addPointer(QStringLiteral("Pointer-2"), 0.0, colour::Red);
        levelSlide->setPointerVisible(2, false);
        positionSlide->setPointerName(1, names::VCH1);
        positionSlide->addPointer(names::VCH2, 0.0, colour::Red);
        graph->addPlot(names::PCH1, colour::Blue);
        graph->addPlot(names::PCH2, colour::Red);
        graph->addCursor(names::CursorT);
        for (QAction* item :
             {&ch1Item, &ch2Item, &extItem, &risingItem, &fallingItem, &autoItem, &normalItem})
            item->setCheckable(true);
        state.TrigSlopeSaved = "11";
    }

    // A press and release on the source slide's label of `position`.
    void clickSource(int position)
    {
        QTest::mouseClick(sourceSlide, Qt::LeftButton, Qt::NoModifier,
                          sourceSlide->positionPoint(position).toPoint());
    }

    QWidget window;
    CwSlide* sourceSlide = new CwSlide(Qt::Vertical, &window);
    CwSlide* levelSlide = new CwSlide(Qt::Vertical, &window);
    CwSlide* positionSlide = new CwSlide(Qt::Vertical, &window);
    CwGraph* graph = new CwGraph(&window);
    CwTimer* timer = new CwTimer(2222, false, &window);
    QLabel* levelLabel = new QLabel(&window);
    CwButton* indicator = new CwButton(&window);
    CwButton* ch1 = new CwButton(&window);
    CwButton* ch2 = new CwButton(&window);
    CwButton* edge = new CwButton(&window);
    CwButton* mode = new CwButton(&window);
    PictureBox* rising = new PictureBox(&window);
    PictureBox* falling = new PictureBox(&window);
    PictureBox* risingImage = new PictureBox(&window);
    PictureBox* fallingImage = new PictureBox(&window);
    QAction ch1Item{&window}, ch2Item{&window}, extItem{&window};
    QAction risingItem{&window}, fallingItem{&window}, autoItem{&window}, normalItem{&window};
    ScopeState state;
    TriggerLevel level{state, TriggerLevel::Controls{.window = &window,
                                                     .CWSlide3 = levelSlide,
                                                     .CWSlide4 = positionSlide,
                                                     .CWSlide5 = sourceSlide,
                                                     .CWGraph1 = graph,
                                                     .TriggerTimer = timer,
                                                     .lblTrg = levelLabel,
                                                     .CWButton21 = indicator,
                                                     .CH1Button = ch1,
                                                     .CH2Button = ch2,
                                                     .ImgRiseing = risingImage,
                                                     .ImgFalling = fallingImage}};
    TriggerSource source{state,
                         TriggerSource::Controls{.CWSlide5 = sourceSlide,
                                                 .CWButton12 = edge,
                                                 .CWButton13 = mode,
                                                 .CWSlide3 = levelSlide,
                                                 .CWGraph1 = graph,
                                                 .TriggerTimer = timer,
                                                 .Label19 = rising,
                                                 .Label20 = falling,
                                                 .mnuTSCh1 = &ch1Item,
                                                 .mnuTSCh2 = &ch2Item,
                                                 .mnuTSExt = &extItem,
                                                 .mnuTRising = &risingItem,
                                                 .mnuTFalling = &fallingItem,
                                                 .mnuTAuto = &autoItem,
                                                 .mnuTNormal = &normalItem},
                         level};
};

TEST_F(TriggerGroupsAlone, ClickOnExternalTakesTheLevelSlideAndEdgeOutOfUse)
{
    state.HeaderBytes[1] = "7";
    clickSource(3);
    ASSERT_EQ(sourceSlide->position(), 3);
    EXPECT_EQ(state.TrigSourceText, "TTL");
    EXPECT_EQ(state.ExtTrigBit, 1);
    EXPECT_EQ(state.TrigSlopeBits, "00");
    EXPECT_EQ(state.HeaderBytes[1], "0");
    EXPECT_TRUE(levelSlide->isHidden());
    EXPECT_FALSE(edge->isEnabled());
    EXPECT_FALSE(graph->cursorVisible(names::CursorT)) << "the level group hid cursor T";
    EXPECT_TRUE(extItem.isChecked());
    EXPECT_EQ(indicator->offText(), QStringLiteral("EXT")) << "the level group showed the source";
}

TEST_F(TriggerGroupsAlone, ClickOnChannel2ShowsItsPointerAndColours)
{
    clickSource(3);
    ch2->setOffText(QStringLiteral("CH2"));
    ch2->setOffColor(colour::Red);
    clickSource(2);
    ASSERT_EQ(sourceSlide->position(), 2);
    EXPECT_EQ(state.TrigSourceText, "CH2");
    EXPECT_EQ(state.TrigSourceBits, "01");
    EXPECT_EQ(state.ExtTrigBit, 0);
    EXPECT_EQ(state.TrigSlopeBits, "11") << "the saved edge is back in force";
    EXPECT_FALSE(levelSlide->isHidden());
    EXPECT_TRUE(levelSlide->pointerVisible(2));
    EXPECT_FALSE(levelSlide->pointerVisible(1));
    EXPECT_TRUE(graph->cursorVisible(names::CursorT));
    EXPECT_EQ(graph->cursorColor(names::CursorT), colour::Red);
    EXPECT_TRUE(timer->enabled());
    EXPECT_TRUE(state.TrigOnCH2);
    EXPECT_EQ(indicator->offText(), QStringLiteral("CH2"));
    EXPECT_EQ(indicator->offColor(), colour::Red);
}

} // namespace
} // namespace kv::test
