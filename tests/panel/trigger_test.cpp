#include "controls/cw_color.h"
#include "controls/mouse_helpers.h"
#include "controls/picture_box.h"
#include "display/rules/value_format.h"
#include "panel/trigger_level.h"
#include "panel/trigger_source.h"
#include "started_panel_fixture.h"

#include <QImage>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

namespace kv::test {
namespace {

const QString T = QStringLiteral("T");

// ---- The level computation -----------------------------------------------------------------

struct LevelCase
{
    int vdivIndex;
    double zero, trig;
    double level;
    std::optional<double> volts;
};

// Names the case in test listings and failure messages.
void PrintTo(const LevelCase& c, std::ostream* os)
{
    *os << "position " << c.vdivIndex << " zero " << c.zero << " trigger " << c.trig;
}

class TrigLevelTable : public ::testing::TestWithParam<LevelCase>
{
};

TEST_P(TrigLevelTable, LevelAndVolts)
{
    const LevelCase c = GetParam();
    const auto r = computeTrigLevel(c.vdivIndex, c.zero, c.trig);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->level, c.level, 1e-9);
    ASSERT_EQ(r->volts.has_value(), c.volts.has_value());
    if (c.volts) {
        EXPECT_NEAR(*r->volts, *c.volts, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrigLevelTable,
    ::testing::Values(LevelCase{1, 0, 0, 127.5, 0.0},           // on the zero line
                      LevelCase{4, 20, 20, 127.5, 0.0},         // any zero line
                      LevelCase{4, 0, 50, 114.75, -1.0},        // one division above, 1 V/div
                      LevelCase{2, 0, 50, 114.75, -0.2},        // the same at 0.2 V/div
                      LevelCase{4, 0, -50, 140.25, 1.0},        // one division below
                      LevelCase{6, 0, 100, 0, std::nullopt},    // 5 V/div, T - V = 100
                      LevelCase{6, 0, 150, 0, std::nullopt},    // beyond
                      LevelCase{6, 0, -100, 255, std::nullopt}, // V - T = 100
                      LevelCase{1, -200, 201, 76.3725, -0.802}));

TEST(TrigLevel, UnknownRangeGivesNoLevel)
{
    EXPECT_FALSE(computeTrigLevel(0, 0, 0).has_value());
    EXPECT_FALSE(computeTrigLevel(7, 0, 0).has_value());
}

// ---- The trigger page and menu, through the next command frame ---------------------------------

class TriggerTest : public StartedPanelFixture
{
  protected:
    // Drags trigger pointer `pointer` to `value` as the mouse does.
    void dragTrigger(int pointer, double value)
    {
        Main& m = main();
        Q_EMIT m.CWSlide3->mouseDown(pointer);
        m.CWSlide3->setPointerValue(pointer, value);
        Q_EMIT m.CWSlide3->mouseUp(pointer);
    }
    void dragZeroLine(int pointer, double value)
    {
        Main& m = main();
        Q_EMIT m.CWSlide4->mouseDown(pointer);
        m.CWSlide4->setPointerValue(pointer, value);
        Q_EMIT m.CWSlide4->mouseUp(pointer);
    }
    // Selects channel 1 at volts/div position p from the Vertical menu.
    void ch1At(int position)
    {
        Main& m = main();
        m.CH1Button->setValue(true);
        m.CWKnob1->setPosition(position);
        m.CH1Button->setValue(false);
    }
};

TEST_F(TriggerTest, StartsOnChannel1RisingAutoAtMidLevel)
{
    const auto f = nextFrame();
    EXPECT_EQ(f[1], 128); // 255 - 127.5, halves away from zero
    EXPECT_EQ(bits(f[2], 5, 4), 0b11);
    EXPECT_EQ(bits(f[3], 2, 2), 1);
    EXPECT_EQ(bits(f[3], 1, 0), 0b00);
    EXPECT_EQ(bits(f[4], 6, 6), 0);
    EXPECT_TRUE(main().mnuTSCh1->isChecked());
    EXPECT_TRUE(main().mnuTRising->isChecked());
    EXPECT_TRUE(main().mnuTAuto->isChecked());
}

TEST_F(TriggerTest, SourceCycleThroughExternalKeepsTheEdge)
{
    for (const bool rising : {true, false}) {
        SCOPED_TRACE(rising ? "rising" : "falling");
        Main& m = main();
        (rising ? m.mnuTRising : m.mnuTFalling)->trigger();
        m.mnuTSCh1->trigger();
        const int slope = rising ? 0b11 : 0b00;
        EXPECT_EQ(bits(nextFrame()[2], 5, 4), slope);

        m.mnuTSExt->trigger();
        EXPECT_EQ(m.CWSlide5->position(), 3);
        auto f = nextFrame();
        EXPECT_EQ(f[1], 0);
        EXPECT_EQ(bits(f[2], 5, 4), 0b00);
        EXPECT_EQ(bits(f[3], 1, 0), 0b00); // the last channel's bits stay
        EXPECT_EQ(bits(f[4], 6, 6), 1);
        EXPECT_TRUE(m.mnuTSExt->isChecked());
        EXPECT_FALSE(m.mnuTSCh1->isChecked());
        EXPECT_FALSE(m.CWButton12->isEnabled());
        EXPECT_TRUE(m.CWSlide3->isHidden());
        EXPECT_EQ(m.lblTrg->text(), QStringLiteral("TTL"));
        EXPECT_EQ(m.CWButton21->offText(), QStringLiteral("EXT"));
        EXPECT_EQ(m.CWButton21->offColor(), 65280);
        EXPECT_TRUE(Visible(m.ImgRiseing)); // whatever the edge switch says
        EXPECT_FALSE(Visible(m.ImgFalling));
        EXPECT_FALSE(m.CWGraph1->cursorVisible(T));

        m.mnuTSCh1->trigger();
        f = nextFrame();
        EXPECT_EQ(bits(f[2], 5, 4), slope);
        EXPECT_EQ(bits(f[4], 6, 6), 0);
        EXPECT_EQ(f[1], 128);
        EXPECT_TRUE(m.CWButton12->isEnabled());
        EXPECT_FALSE(m.CWSlide3->isHidden());
        EXPECT_EQ(Visible(m.ImgFalling), !rising);
    }
}

TEST_F(TriggerTest, ExternalAfterChannel2KeepsItsSourceBits)
{
    Main& m = main();
    m.mnuTSCh2->trigger();
    EXPECT_EQ(bits(nextFrame()[3], 1, 0), 0b01);
    EXPECT_TRUE(m.CWSlide3->pointerVisible(2));
    EXPECT_FALSE(m.CWSlide3->pointerVisible(1));
    EXPECT_EQ(m.CWButton21->offText(), QStringLiteral("CH2"));
    m.mnuTSExt->trigger();
    const auto f = nextFrame();
    EXPECT_EQ(bits(f[3], 1, 0), 0b01);
    EXPECT_EQ(bits(f[4], 6, 6), 1);
}

// An edge chosen from the menu while the switch is disabled (external source) is kept for the
// channels; the external trigger itself goes out with the slope bits "00".
TEST_F(TriggerTest, EdgeChosenWhileExternalWaitsForTheChannel)
{
    Main& m = main();
    m.mnuTFalling->trigger();
    m.mnuTSExt->trigger();
    m.mnuTRising->trigger();
    EXPECT_TRUE(m.mnuTRising->isChecked());
    EXPECT_EQ(bits(nextFrame()[2], 5, 4), 0b00);
    m.mnuTSCh1->trigger();
    EXPECT_EQ(bits(nextFrame()[2], 5, 4), 0b11);
}

TEST_F(TriggerTest, ModeSwitchAndMenus)
{
    Main& m = main();
    m.mnuTNormal->trigger();
    EXPECT_FALSE(m.CWButton13->value());
    EXPECT_EQ(bits(nextFrame()[3], 2, 2), 0);
    EXPECT_TRUE(m.mnuTNormal->isChecked());
    EXPECT_FALSE(m.mnuTAuto->isChecked());
    m.mnuTAuto->trigger();
    EXPECT_EQ(bits(nextFrame()[3], 2, 2), 1);
}

TEST_F(TriggerTest, EveryMenuItemAbandonsAPendingRequest)
{
    Main& m = main();
    for (QAction* item : {m.mnuTSCh1, m.mnuTSCh2, m.mnuTSExt, m.mnuTRising, m.mnuTFalling,
                          m.mnuTAuto, m.mnuTNormal}) {
        SCOPED_TRACE(item->objectName().toStdString());
        item->trigger();
        m.state.AwaitingFrame = true;
        item->trigger(); // the control already shows this setting
        EXPECT_FALSE(m.state.AwaitingFrame);
    }
}

struct PanelLevelCase
{
    int knobPosition;
    double above; // trigger pointer minus zero line, graph units
    double level;
    std::uint8_t byte1;
    const char* label; // nullptr: the text Format_Voltage makes of `volts`
    double volts;
};

// Names the case in test listings and failure messages.
void PrintTo(const PanelLevelCase& c, std::ostream* os)
{
    *os << "position " << c.knobPosition << ", " << c.above << " above the zero line";
}

class TriggerLevelOnPanel : public TriggerTest, public ::testing::WithParamInterface<PanelLevelCase>
{
};

TEST_P(TriggerLevelOnPanel, ShownAndSent)
{
    const PanelLevelCase c = GetParam();
    Main& m = main();
    ch1At(c.knobPosition);
    dragZeroLine(1, 20);
    // Falling edge first, so that a clipped level visibly leaves the edge pictures alone.
    m.mnuTFalling->trigger();
    dragTrigger(1, 20 + c.above);
    EXPECT_DOUBLE_EQ(m.state.TrigLevelCH1.toNumber(), c.level);
    EXPECT_EQ(nextFrame()[1], c.byte1);
    const QString expected = c.label
                                 ? QString::fromLatin1(c.label)
                                 : QString::fromStdString(Format_Voltage(Variant(c.volts)).value());
    EXPECT_EQ(m.lblTrg->text(), expected);
    EXPECT_TRUE(Visible(m.ImgFalling));
}

INSTANTIATE_TEST_SUITE_P(Cases, TriggerLevelOnPanel,
                         ::testing::Values(PanelLevelCase{4, 0, 127.5, 128, nullptr, 0.0},
                                           PanelLevelCase{4, 50, 114.75, 140, nullptr, -1.0},
                                           PanelLevelCase{2, 50, 114.75, 140, nullptr, -0.2},
                                           PanelLevelCase{6, 100, 0, 255, "----", 0},
                                           PanelLevelCase{6, -100, 255, 0, "----", 0}));

TEST_F(TriggerTest, ClippedLevelLeavesEdgePictureAndIndicator)
{
    Main& m = main();
    ch1At(6);
    dragTrigger(1, 150); // "----"
    m.ImgRiseing->setVisible(false);
    m.CWButton21->setOffText(QStringLiteral("old"));
    m.mnuTFalling->trigger();
    m.mnuTRising->trigger(); // recomputes while clipped
    EXPECT_EQ(m.lblTrg->text(), QStringLiteral("----"));
    EXPECT_FALSE(Visible(m.ImgRiseing));
    EXPECT_EQ(m.CWButton21->offText(), QStringLiteral("old"));
}

TEST_F(TriggerTest, ZeroLineDragsItsTriggerPointerAlong)
{
    Main& m = main();
    ch1At(4);
    dragTrigger(1, 50);
    const double level = m.state.TrigLevelCH1.toNumber();
    dragZeroLine(1, 30);
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(1), 80);
    EXPECT_EQ(m.state.VPosCH1, 30);
    EXPECT_DOUBLE_EQ(m.state.TrigLevelCH1.toNumber(), level);
    EXPECT_EQ(m.CWGraph1->cursorY(T), 80);
}

TEST_F(TriggerTest, RangeIndexBeyondEveryTableKeepsTheStoredLevel)
{
    Main& m = main();
    dragTrigger(1, 50);
    const double level = m.state.TrigLevelCH1.toNumber();
    for (const double index : {5016710000.0, -5016710000.0, 1e300}) {
        m.state.VdivIndexCH1 = Variant(index); // as a damaged settings file leaves it
        dragZeroLine(1, index > 0 ? 20 : -20);
        EXPECT_DOUBLE_EQ(m.state.TrigLevelCH1.toNumber(), level);
    }
}

TEST_F(TriggerTest, DraggingChannel2WhileTriggeringOnChannel1)
{
    Main& m = main();
    ch1At(4);
    dragTrigger(1, 50);
    const QString shown = m.lblTrg->text();
    const double trig2 = m.CWSlide3->pointerValue(2);
    dragZeroLine(2, -40);
    EXPECT_EQ(m.state.VPosCH2, -40);
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(2), trig2 - 40);
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(1), 50);
    EXPECT_EQ(m.lblTrg->text(), shown);
    // The next move of the trigger slide ties the pointer back to channel 1.
    dragTrigger(1, 0);
    EXPECT_TRUE(m.state.TrigOnCH1);
    EXPECT_DOUBLE_EQ(m.state.TrigLevelCH1.toNumber(), 127.5);
}

TEST_F(TriggerTest, CursorTShownWhileWorkingAndHiddenByTheTimer)
{
    Main& m = main();
    m.TriggerTimer->fire();
    ASSERT_FALSE(m.CWGraph1->cursorVisible(T));

    Q_EMIT m.CWSlide3->mouseDown(1);
    EXPECT_TRUE(m.CWGraph1->cursorVisible(T));
    EXPECT_FALSE(m.TriggerTimer->enabled());
    m.state.AwaitingFrame = true;
    Q_EMIT m.CWSlide3->mouseUp(1);
    EXPECT_TRUE(m.TriggerTimer->enabled());
    EXPECT_EQ(m.TriggerTimer->interval(), 2222);
    EXPECT_FALSE(m.state.AwaitingFrame);
    EXPECT_TRUE(m.CWGraph1->cursorVisible(T));
    m.TriggerTimer->fire();
    EXPECT_FALSE(m.CWGraph1->cursorVisible(T));
    EXPECT_FALSE(m.TriggerTimer->enabled());

    // Choosing channel 2 shows it in the trace's colour and arms the timer.
    m.mnuTSCh2->trigger();
    EXPECT_TRUE(m.CWGraph1->cursorVisible(T));
    EXPECT_EQ(m.CWGraph1->cursorColor(T), m.CWGraph1->plotColor(QStringLiteral("PCH2")));
    EXPECT_TRUE(m.TriggerTimer->enabled());

    // Pressing the vertical slide hides it at once.
    Q_EMIT m.CWSlide4->mouseDown(1);
    EXPECT_FALSE(m.CWGraph1->cursorVisible(T));
    EXPECT_FALSE(m.TriggerTimer->enabled());
    Q_EMIT m.CWSlide4->mouseUp(1);
    EXPECT_TRUE(m.TriggerTimer->enabled());
}

// The vertical-position slide pressed with the mouse where zero lines stand together.
TEST_F(TriggerTest, APressOnCoincidentZeroLinesMovesTheOneOnTop)
{
    Main& m = main();
    CwSlide* slide = m.CWSlide4;
    // Shown, as the user sees it: the graph is laid out and the slide has taken its scale.
    m.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    const auto pressAndDrag = [&](int shownOnTop, double from, double to) {
        const QPoint at(slide->pointerPoint(shownOnTop).toPoint() - QPoint(3, 0));
        EXPECT_EQ(slide->grab().toImage().pixelColor(at),
                  colorFromBgr(slide->pointerColor(shownOnTop)));
        // The slide's scale is the graph's, -200 at the top.
        const CwGraph& g = *m.CWGraph1;
        const double pixelsPerUnit =
            (g.plotAreaPoint(750, 200).y() - g.plotAreaPoint(750, -200).y()) / 400.0;
        test::drag(slide, at, at + QPoint(0, int(std::lround((to - from) * pixelsPerUnit))));
    };

    // After start-up "VCH1", "VCH2" and "VREF1" all stand at 0; "VCH1" is drawn on top.
    for (int i = 1; i <= 3; ++i)
        ASSERT_DOUBLE_EQ(slide->pointerValue(i), 0.0);
    pressAndDrag(1, 0, 60);
    EXPECT_NEAR(slide->pointerValue(1), 60, 2);
    EXPECT_DOUBLE_EQ(slide->pointerValue(2), 0.0);
    EXPECT_DOUBLE_EQ(slide->pointerValue(3), 0.0);
    EXPECT_EQ(m.state.VPosCH1, std::lround(slide->pointerValue(1)));
    EXPECT_TRUE(m.state.TrigOnCH1);

    // A channel button hides "VREF1"; with "VCH2" on it, a press takes "VCH2".
    press(m.CH1Button);
    ASSERT_FALSE(slide->pointerVisible(3));
    slide->setPointerValue(3, -80);
    slide->setPointerValue(2, -80);
    const double ch2Trigger = m.CWSlide3->pointerValue(2);
    pressAndDrag(2, -80, -20);
    EXPECT_NEAR(slide->pointerValue(2), -20, 2);
    EXPECT_DOUBLE_EQ(slide->pointerValue(3), -80);
    EXPECT_EQ(m.state.VPosCH2, std::lround(slide->pointerValue(2)));
    // The handler heard of "VCH2": the CH2 trigger pointer came along.
    EXPECT_DOUBLE_EQ(m.CWSlide3->pointerValue(2) - ch2Trigger, slide->pointerValue(2) + 80);
}

TEST_F(TriggerTest, MouseOverTheSlidesRestoresTheArrow)
{
    Main& m = main();
    for (CwSlide* slide : {m.CWSlide3, m.CWSlide4}) {
        m.setCursor(Qt::CrossCursor);
        Q_EMIT slide->mouseMove();
        EXPECT_EQ(m.cursor().shape(), Qt::ArrowCursor);
    }
}

} // namespace
} // namespace kv::test
