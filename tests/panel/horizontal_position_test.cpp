#include "front_panel_fixture.h"
#include "panel/horizontal_position.h"
#include "trigger_position_bytes.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

TEST(TrigPosPresets, TableOfBothGroups)
{
    EXPECT_EQ(trigPosPreset(TimeDivGroup::Fast, 1), Fast10);
    EXPECT_EQ(trigPosPreset(TimeDivGroup::Fast, 2), Both50);
    EXPECT_EQ(trigPosPreset(TimeDivGroup::Fast, 3), Fast90);
    EXPECT_EQ(trigPosPreset(TimeDivGroup::Normal, 1), Normal10);
    EXPECT_EQ(trigPosPreset(TimeDivGroup::Normal, 2), Both50);
    EXPECT_EQ(trigPosPreset(TimeDivGroup::Normal, 3), Normal90);
    EXPECT_FALSE(trigPosPreset(TimeDivGroup::Normal, 0));
    EXPECT_FALSE(trigPosPreset(TimeDivGroup::Fast, 4));
    EXPECT_EQ(timeDivGroup(1), TimeDivGroup::Fast);
    EXPECT_EQ(timeDivGroup(2), TimeDivGroup::Normal);
    EXPECT_EQ(timeDivGroup(14), TimeDivGroup::Normal);
    EXPECT_FALSE(timeDivGroup(0));
    EXPECT_FALSE(timeDivGroup(15));
}

class HorizontalTrigger : public FrontPanelFixture
{
  protected:
    Bytes frameBytes()
    {
        const auto frame = nextFrame();
        return {frame[5], frame[6], frame[7], frame[8]};
    }
    double marker() { return main().CWSlide6->pointerValue(2); }
    std::vector<int> marks()
    {
        Main& m = main();
        return checkedPositions(std::array{m.mnuTH10, m.mnuTH50, m.mnuTH90});
    }
    // Time/div position 1 (fast) or 7 (5 ms/div, normal).
    void timeDiv(bool fast) { main().CWKnob2->setPosition(fast ? 1 : 7); }
    static std::string name(bool fast) { return fast ? "fast" : "normal"; }
};

TEST_F(HorizontalTrigger, HTrigPosAppliesThePresetOfBothGroups)
{
    struct Case
    {
        bool fast;
        int position;
        Bytes bytes;
        int marker;
        const char* caption;
    };
    const Case cases[] = {
        {true, 1, Fast10, 145, "10% Trigger"},  {true, 2, Both50, 750, "50% Trigger"},
        {true, 3, Fast90, 1350, "90% Trigger"}, {false, 1, Normal10, 145, "10% Trigger"},
        {false, 2, Both50, 750, "50% Trigger"}, {false, 3, Normal90, 1350, "90% Trigger"},
    };
    Main& m = main();
    for (const Case& c : cases) {
        SCOPED_TRACE(name(c.fast) + " " + std::to_string(c.position));
        timeDiv(c.fast);
        m.state.HTrigPosition = c.position;
        m.mnuTH10->setChecked(true);
        m.horizontalPosition->HTrigPos();
        EXPECT_EQ(frameBytes(), c.bytes);
        EXPECT_EQ(marker(), c.marker);
        EXPECT_EQ(m.labSetHTrg->text(), c.caption);
        EXPECT_EQ(m.state.HTrigPosition.toNumber(), c.position);
        EXPECT_EQ(marks(), std::vector<int>{1}); // marks are left as they are
    }
}

TEST_F(HorizontalTrigger, HTrigPosWithAnUnknownPositionChangesNothing)
{
    Main& m = main();
    m.state.HTrigPosition = 7;
    m.labSetHTrg->setText(QStringLiteral("before"));
    m.horizontalPosition->HTrigPos();
    EXPECT_EQ(frameBytes(), Both50);
    EXPECT_EQ(m.labSetHTrg->text(), "before");
}

TEST_F(HorizontalTrigger, StepButtons)
{
    struct Case
    {
        CwButton* Main::*button;
        int from;
        int to;
        bool fast;
        Bytes bytes;
        int marker;
    };
    const Case cases[] = {
        // Left: 10 % stays at 10 % and re-applies it; 50 % -> 10 %; 90 % -> 50 %.
        {&Main::CWButton29, 1, 1, true, Fast10, 145},
        {&Main::CWButton29, 2, 1, true, Fast10, 145},
        {&Main::CWButton29, 3, 2, true, Both50, 750},
        {&Main::CWButton29, 1, 1, false, Normal10, 145},
        {&Main::CWButton29, 2, 1, false, Normal10, 145},
        {&Main::CWButton29, 3, 2, false, Both50, 750},
        // Right: 10 % -> 50 %; 50 % -> 90 %; 90 % stays.
        {&Main::CWButton30, 1, 2, true, Both50, 750},
        {&Main::CWButton30, 2, 3, true, Fast90, 1360},
        {&Main::CWButton30, 3, 3, true, Fast90, 1360},
        {&Main::CWButton30, 1, 2, false, Both50, 750},
        {&Main::CWButton30, 2, 3, false, Normal90, 1360},
        {&Main::CWButton30, 3, 3, false, Normal90, 1360},
    };
    Main& m = main();
    for (const Case& c : cases) {
        CwButton* button = m.*c.button;
        SCOPED_TRACE(button->objectName().toStdString() + " " + name(c.fast) + " from " +
                     std::to_string(c.from));
        timeDiv(c.fast);
        m.state.HTrigPosition = c.from;
        m.state.TrigPosByte1 = 0; // so that a re-applied preset shows
        m.CWSlide6->setPointerValue(2, 0);
        button->setValue(true);
        EXPECT_EQ(m.state.HTrigPosition.toNumber(), c.to);
        EXPECT_EQ(frameBytes(), c.bytes);
        EXPECT_EQ(marker(), c.marker);
        EXPECT_EQ(marks(), std::vector<int>{c.to});
        button->setValue(false);
        EXPECT_EQ(m.state.HTrigPosition.toNumber(), c.to); // the release only redraws marks
    }
}

TEST_F(HorizontalTrigger, ReleaseStillSetsTheMarks)
{
    // The handler's run with the value off, as the button's own release gives it.
    Main& m = main();
    m.state.HTrigPosition = 1; // changed behind the menu's back
    m.horizontalPosition->CWButton30_ValueChanged(false);
    EXPECT_EQ(marks(), std::vector<int>{1});
    EXPECT_EQ(m.state.HTrigPosition.toNumber(), 1);
}

TEST_F(HorizontalTrigger, MenuItems)
{
    struct Case
    {
        QAction* Main::*item;
        int position;
        bool fast;
        Bytes bytes;
        int marker;
    };
    const Case cases[] = {
        {&Main::mnuTH10, 1, true, Fast10, 145},  {&Main::mnuTH50, 2, true, Both50, 750},
        {&Main::mnuTH90, 3, true, Fast90, 1360}, {&Main::mnuTH10, 1, false, Normal10, 145},
        {&Main::mnuTH50, 2, false, Both50, 750}, {&Main::mnuTH90, 3, false, Normal90, 1360},
    };
    Main& m = main();
    for (const Case& c : cases) {
        QAction* item = m.*c.item;
        SCOPED_TRACE(item->objectName().toStdString() + " " + name(c.fast));
        timeDiv(c.fast);
        m.labSetHTrg->setText(QStringLiteral("caption"));
        item->trigger();
        EXPECT_EQ(m.state.HTrigPosition.toNumber(), c.position);
        EXPECT_EQ(frameBytes(), c.bytes);
        EXPECT_EQ(marker(), c.marker);
        EXPECT_EQ(marks(), std::vector<int>{c.position});
        EXPECT_EQ(m.labSetHTrg->text(), "caption"); // the caption follows the next frame
    }
}

TEST_F(HorizontalTrigger, TheAcquisitionSendsTheChosenPreset)
{
    Main& m = main();
    selectChannel(1);
    timeDiv(false);
    m.mnuTH90->trigger();
    const auto frame = acquiredFrame();
    EXPECT_EQ((Bytes{frame[5], frame[6], frame[7], frame[8]}), Normal90);
}

TEST_F(HorizontalTrigger, StepRightMarkerMovesToThePresetOnATimebaseChange)
{
    Main& m = main();
    timeDiv(false);
    m.CWButton30->setValue(true);
    EXPECT_EQ(marker(), 1360);
    m.CWKnob2->setPosition(9);
    EXPECT_EQ(marker(), 1350);
    EXPECT_EQ(frameBytes(), Normal90);
    m.CWKnob2->setPosition(1);
    EXPECT_EQ(frameBytes(), Fast90);
}

TEST_F(HorizontalTrigger, StepLeftLeavesAutoscaleOn)
{
    Main& m = main();
    m.Autoscale->setValue(true);
    m.CWButton29->setValue(true);
    EXPECT_TRUE(m.Autoscale->value());
    EXPECT_EQ(m.state.HTrigPosition.toNumber(), 1);
}

TEST_F(HorizontalTrigger, TrigPosMenuKeepsMarksForAnUnknownPosition)
{
    Main& m = main();
    m.mnuTH90->setChecked(true);
    m.state.HTrigPosition = Variant();
    m.horizontalPosition->TrigPosMenu();
    EXPECT_EQ(marks(), std::vector<int>{3});
}

TEST_F(HorizontalTrigger, MouseOverTheStepButtonsRestoresTheArrow)
{
    Main& m = main();
    for (CwButton* button : {m.CWButton29, m.CWButton30}) {
        m.setCursor(Qt::CrossCursor);
        Q_EMIT button->mouseMove();
        EXPECT_EQ(m.cursor().shape(), Qt::ArrowCursor) << button->objectName().toStdString();
    }
}

} // namespace
} // namespace kv::test
