#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/mouse_helpers.h"
#include "controls/picture_box.h"
#include "display/cursors.h"
#include "display/time_readout_check.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace kv {
namespace {

// ---- Pure rules --------------------------------------------------------------------------------

TEST(CutFive, KeepsFiveCharactersOfThreeDecimalText)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        {123.456, "123.4"}, {0.5, "0.500"},     {-12.345, "-12.3"},   {0, "0.000"},
        {1968, "1968."},    {-1968, "-1968"},   {9.84, "9.840"},      {-0.0004, "0.000"},
        {15600, "15600"},   {-15600, "-15600"}, {123456.7, "123456"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CutFive(c.value), c.text) << c.value;
}

TEST(CursorScales, TimeScaleByKnobAndReferenceText)
{
    const struct
    {
        int position;
        const char* reference;
        const char* perPoint;
        const char* unit;
        double factor;
    } cases[] = {
        {1, "50uS", "1", "uS", 1e-6},    {4, "500uS", "10", "uS", 1e-6},
        {5, "1mS", "0.02", "mS", 0.001}, {13, "500mS", "10", "mS", 0.001},
        {14, "1S", "0.02", "S", 1.0},
    };
    for (const auto& c : cases) {
        for (const auto& s : {KnobTimeScale(c.position), ReferenceTimeScale(c.reference)}) {
            ASSERT_TRUE(s) << c.position;
            EXPECT_EQ(s->timePerPointText, c.perPoint);
            EXPECT_EQ(s->unitText, c.unit);
            EXPECT_DOUBLE_EQ(s->unitFactor, c.factor);
        }
    }
    EXPECT_FALSE(KnobTimeScale(0));
    EXPECT_FALSE(KnobTimeScale(15));
    EXPECT_FALSE(ReferenceTimeScale("50us")); // exact, case included
    EXPECT_FALSE(ReferenceTimeScale(""));
}

TEST(CursorScales, VoltScaleAndCaptions)
{
    EXPECT_FLOAT_EQ(CursorVoltScale(1)->voltsPerCount, 1.9678f);
    EXPECT_EQ(CursorVoltScale(3)->unitText, "mV");
    EXPECT_FLOAT_EQ(CursorVoltScale(6)->voltsPerCount, -0.0984f);
    EXPECT_EQ(CursorVoltScale(4)->unitText, "V");
    EXPECT_FALSE(CursorVoltScale(0));
    EXPECT_FALSE(CursorVoltScale(7));
    EXPECT_EQ(VdivIndexOfCaption("100mV"), 1);
    EXPECT_EQ(VdivIndexOfCaption("5V"), 6);
    EXPECT_FALSE(VdivIndexOfCaption("5v"));
    EXPECT_EQ(TimeOrigin(1), 150);
    EXPECT_EQ(TimeOrigin(3), 1350);
}

CursorInput input(int vdivIndex, double ay, double by)
{
    CursorInput in;
    in.ax = 800;
    in.bx = 850;
    in.ay = ay;
    in.by = by;
    in.origin = 750;
    in.timePerPointText = "1";
    in.timeUnitText = "uS";
    in.timeUnitFactor = 1e-6;
    const auto v = CursorVoltScale(vdivIndex);
    in.voltsPerCount = v ? v->voltsPerCount : 0;
    in.voltUnitText = v ? v->unitText : "";
    in.vdivIndex = vdivIndex;
    in.graphModeValue = 2;
    return in;
}

TEST(CursorReadout, VoltageBands)
{
    const struct
    {
        int vdiv;
        double ay, by;
        const char *a, *b, *delta;
    } cases[] = {
        {6, -100, 0, "9.840V", "0.000V", "9.840V"}, // 5 V/div, 100 units above zero
        {3, -200, 0, "1.968V", "0mV", "1.968V"},    // 500 mV/div: 1968 mV shows in V
        {3, 50, -50, "-492mV", "492mV", "984.0mV"}, // below zero reads negative
        {1, -10, 10, "19.6mV", "-19.67mV", "39.27mV"}, {4, 100, -100, "-1.96V", "1.968V", "3.928V"},
    };
    for (const auto& c : cases) {
        const CursorReadout r = ComputeCursorReadout(input(c.vdiv, c.ay, c.by));
        ASSERT_TRUE(r.voltages);
        EXPECT_EQ(r.lblYPos, c.a) << c.vdiv << " " << c.ay;
        EXPECT_EQ(r.lblYpos2, c.b) << c.vdiv << " " << c.by;
        EXPECT_EQ(r.lblYDelta, c.delta) << c.vdiv;
    }
    EXPECT_FALSE(ComputeCursorReadout(input(0, 1, 2)).voltages);
}

TEST(CursorReadout, TimesDeltaAndFrequency)
{
    CursorReadout r = ComputeCursorReadout(input(1, 0, 0));
    EXPECT_EQ(r.lblXpos, "50.00uS");
    EXPECT_EQ(r.lblXPos2, "100.0uS");
    EXPECT_EQ(r.CursorAX.toText(), "50.00");
    EXPECT_EQ(r.lblXDelta, "50.00uS");
    EXPECT_EQ(r.frequency, FrequencyShow::Value);
    EXPECT_EQ(r.frequencyText, "20000");

    CursorInput same = input(1, 0, 0);
    same.bx = same.ax;
    r = ComputeCursorReadout(same);
    EXPECT_EQ(r.lblXDelta, "0.000uS");
    EXPECT_EQ(r.frequency, FrequencyShow::Infinite);

    same.graphModeValue = 0;
    EXPECT_EQ(ComputeCursorReadout(same).frequency, FrequencyShow::Hidden);

    // Before the trigger point times are negative; far out the whole number is kept.
    CursorInput early = input(1, 0, 0);
    early.ax = -210;
    early.origin = 1350;
    early.timePerPointText = "10";
    EXPECT_EQ(ComputeCursorReadout(early).lblXpos, "-15600uS");
}

// ---- The group on the main window
// ----------------------------------------------------------------

class CursorsTest : public test::MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        load();
        m = &main();
        g = m->CWGraph1;
    }

    // Channel 1 active at volts/div index i, zero line at vpos.
    void channel1(int vdivIndex, double vpos)
    {
        m->global.ActiveChannel = 1;
        m->state.VdivIndexCH1 = vdivIndex;
        m->state.VdivIndex = vdivIndex;
        m->CWSlide4->setPointerValue(1, vpos);
    }

    QString text(QLabel* l) const { return l->text(); }
    QPoint at(double x, double y) const { return g->plotAreaPoint(x, y); }

    Main* m = nullptr;
    CwGraph* g = nullptr;
    const QString A = QStringLiteral("A"), B = QStringLiteral("B");
};

TEST_F(CursorsTest, ReadOutsAtFiveVoltsAndHalfAVoltPerDivision)
{
    m->GraphMode->setPosition(3);
    channel1(6, 20);
    g->moveCursor(A, 800, 20 - 100);
    g->moveCursor(B, 800, 20);
    m->cursors->Cursor();
    EXPECT_EQ(text(m->lblYPos), "9.840V");
    EXPECT_EQ(text(m->lblYpos2), "0.000V");

    channel1(3, -30.4); // the zero line is the pointer rounded to a whole unit
    g->moveCursor(A, 800, -30 - 200);
    m->cursors->Cursor();
    EXPECT_EQ(text(m->lblYPos), "1.968V");
    EXPECT_EQ(m->state.VoltUnitText, "mV");
}

TEST_F(CursorsTest, EqualTimesShowTheInfinityPicture)
{
    m->GraphMode->setPosition(2);
    channel1(1, 0);
    m->CWKnob2->setPosition(5);
    g->moveCursor(A, 700, 0);
    g->moveCursor(B, 700, 10);
    m->cursors->Cursor();
    EXPECT_EQ(text(m->lblXDelta), "0.000mS");
    EXPECT_TRUE(Visible(m->ImgINF));
    EXPECT_FALSE(Visible(m->lblFRQMain));

    g->moveCursor(B, 750, 10);
    m->cursors->Cursor();
    EXPECT_EQ(text(m->lblXDelta), "1.000mS");
    EXPECT_EQ(text(m->lblFRQMain), "1KHz");
    EXPECT_TRUE(Visible(m->lblFRQMain));
    EXPECT_FALSE(Visible(m->ImgINF));
}

TEST_F(CursorsTest, StyleOffChangesNoReadOut)
{
    m->GraphMode->setPosition(3);
    channel1(1, 0);
    g->moveCursor(A, 800, 10);
    m->cursors->Cursor();
    const QString before = text(m->lblXpos);
    m->GraphMode->setPosition(4);
    g->moveCursor(A, 900, 50);
    m->cursors->Cursor();
    EXPECT_EQ(text(m->lblXpos), before);
    EXPECT_EQ(m->state.CursorAX.toText(), before.chopped(2).toStdString());
}

TEST_F(CursorsTest, NoActiveChannelKeepsTheScalesAndReadsYAsIs)
{
    m->GraphMode->setPosition(3);
    channel1(6, 40);
    m->CWKnob2->setPosition(14);
    m->cursors->Cursor();
    m->global.ActiveChannel = 0;
    m->state.VdivIndexCH1 = 1;
    m->CWKnob2->setPosition(1);
    g->moveCursor(A, 750, -100);
    m->cursors->Cursor();
    EXPECT_EQ(m->state.TimeUnitText, "S");
    EXPECT_FLOAT_EQ(m->state.VoltsPerCount, -0.0984f);
    EXPECT_EQ(text(m->lblYPos), "9.840V"); // no vertical reference taken off
    EXPECT_EQ(text(m->lblXpos), "0.000S");
}

TEST_F(CursorsTest, ReferenceUsesItsStoredScales)
{
    m->GraphMode->setPosition(3);
    m->global.ActiveChannel = 5;
    m->state.HREFLabel = "2mS";
    m->state.VREFLabel = "5V";
    m->state.VdivIndex = 1; // the knob shows another channel's range
    g->moveCursor(A, 800, -100);
    m->cursors->Cursor();
    EXPECT_EQ(text(m->lblXpos), "2.000mS");
    EXPECT_EQ(text(m->lblYPos), "9.840V");
}

struct StyleCase
{
    int position;
    int crosshair;
    bool visible, times, voltages;
    QAction* Main::*mark;
};

TEST_F(CursorsTest, StylesFromTheSlideAndTheSubmenu)
{
    const StyleCase cases[] = {
        {1, CwGraph::CrosshairHorizontal, true, false, true, &Main::mnuPOPCHorizontal},
        {2, CwGraph::CrosshairVertical, true, true, false, &Main::mnuPOPCVertical},
        {3, CwGraph::CrosshairBoth, true, true, true, &Main::mnuPOPCPaired},
        {4, CwGraph::CrosshairBoth, false, false, false, nullptr},
    };
    QAction* Main::*items[] = {&Main::mnuPOPCHorizontal, &Main::mnuPOPCVertical,
                               &Main::mnuPOPCPaired, &Main::mnuPOPCoff};
    for (bool fromMenu : {false, true}) {
        for (const StyleCase& c : cases) {
            m->GraphMode->setPosition(c.position == 1 ? 2 : 1); // make the change real
            // The menu item selects cursor mode itself; the slide is enabled in cursor mode only.
            m->CWSlide7->setPosition(fromMenu ? 1 : 3);
            if (fromMenu)
                (m->*items[c.position - 1])->trigger();
            else
                m->GraphMode->setPosition(c.position);
            SCOPED_TRACE(testing::Message() << "style " << c.position << " menu " << fromMenu);
            if (fromMenu) {
                EXPECT_EQ(m->CWSlide7->position(), 3);
            }
            EXPECT_EQ(m->GraphMode->position(), c.position);
            if (c.visible) {
                EXPECT_EQ(g->cursorCrosshairStyle(A), c.crosshair);
            }
            EXPECT_EQ(g->cursorVisible(A), c.visible);
            EXPECT_EQ(g->cursorVisible(B), c.visible);
            EXPECT_EQ(g->trackMode(),
                      c.visible ? CwGraph::TrackDragCursors : CwGraph::TrackNothing);
            EXPECT_EQ(Visible(m->lblXpos), c.times);
            EXPECT_EQ(Visible(m->lblXDelta), c.times);
            EXPECT_EQ(Visible(m->lblYPos), c.voltages);
            EXPECT_EQ(Visible(m->lblYDelta), c.voltages);
            for (QAction* Main::*item : items)
                EXPECT_EQ((m->*item)->isChecked(), item == c.mark);
            EXPECT_EQ(m->CWSlide2->isEnabled(), c.visible);
            EXPECT_EQ(m->btnAPOS->isEnabled(), c.visible);
            EXPECT_EQ(m->btnBPOS->isEnabled(), c.visible);
            if (c.position == 1 || c.position == 4) {
                EXPECT_FALSE(Visible(m->lblFRQMain));
                EXPECT_FALSE(Visible(m->ImgINF));
            }
        }
    }
}

TEST_F(CursorsTest, FloatingKeepsPositionsAndColours)
{
    m->GraphMode->setPosition(3);
    m->CWSlide2->setPosition(1);
    EXPECT_TRUE(m->mnuPOPCSnap->isChecked());
    EXPECT_FALSE(m->mnuPOPCFloat->isChecked());
    EXPECT_EQ(g->cursorSnapMode(A), CwGraph::SnapToPlot);
    g->setCursorSnapMode(A, CwGraph::SnapFloating); // place them freely for the check
    g->setCursorSnapMode(B, CwGraph::SnapFloating);
    g->moveCursor(A, 612, -37);
    g->moveCursor(B, 905, 88);
    m->mnuPOPCFloat->trigger();
    EXPECT_EQ(m->CWSlide2->position(), 2);
    EXPECT_TRUE(m->mnuPOPCFloat->isChecked());
    EXPECT_FALSE(m->mnuPOPCSnap->isChecked());
    EXPECT_DOUBLE_EQ(g->cursorX(A), 612);
    EXPECT_DOUBLE_EQ(g->cursorY(A), -37);
    EXPECT_DOUBLE_EQ(g->cursorX(B), 905);
    EXPECT_DOUBLE_EQ(g->cursorY(B), 88);
    EXPECT_EQ(g->cursorColor(A), 0x0000FF);
    EXPECT_EQ(g->cursorColor(B), 0xFF0000);
    EXPECT_EQ(g->cursorSnapMode(A), CwGraph::SnapFloating);
    EXPECT_EQ(g->cursorCrosshairStyle(B), CwGraph::CrosshairBoth);
    EXPECT_TRUE(g->cursorVisible(A));
}

TEST_F(CursorsTest, DraggingACursorUpdatesTheReadOutsAsItMoves)
{
    m->GraphMode->setPosition(3);
    channel1(1, 0);
    g->moveCursor(A, 700, 0);
    g->moveCursor(B, 900, 0);
    QWidget* area = g->plotArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, at(700, 0));
    for (double x : {720.0, 760.0, 800.0}) {
        test::dragTo(area, at(x, -50));
        const double ax = g->cursorX(A);
        EXPECT_NEAR(ax, x, 5);
        test::expectMicroseconds(text(m->lblXpos), ax - 750);
    }
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, at(800, -50));
    EXPECT_NEAR(g->cursorX(B), 900, 1e-9); // only the grabbed cursor moved
}

TEST_F(CursorsTest, SnapModeKeepsTheCursorOnTheActiveTrace)
{
    m->GraphMode->setPosition(3);
    QVector<double> ramp(1500);
    for (int i = 0; i < 1500; ++i)
        ramp[i] = (i - 750) / 5.0;
    g->setPlotVisible(QStringLiteral("PCH1"), true);
    g->plotY(QStringLiteral("PCH1"), ramp);
    m->CWSlide2->setPosition(1);
    g->setCursorPlot(A, QStringLiteral("PCH1")); // as the acquisition does after each record
    g->moveCursor(A, 700, 0);
    QWidget* area = g->plotArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, at(700, g->cursorY(A)));
    test::dragTo(area, at(800, 150));
    const double x = g->cursorX(A);
    EXPECT_NEAR(x, 800, 2);
    EXPECT_DOUBLE_EQ(g->cursorY(A), ramp[int(std::lround(x))]);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, at(800, 150));
}

TEST_F(CursorsTest, PlacementByClick)
{
    m->GraphMode->setPosition(3);
    channel1(1, 0);
    m->btnAPOS->setValue(true);
    EXPECT_EQ(g->trackMode(), CwGraph::TrackNothing);
    const QPoint click = at(650, -40);
    const QPointF expected = g->axisPoint(click);
    const double bx = g->cursorX(B);
    QTest::mousePress(g->plotArea(), Qt::LeftButton, Qt::NoModifier, click);
    QTest::mouseRelease(g->plotArea(), Qt::LeftButton, Qt::NoModifier, click);
    EXPECT_DOUBLE_EQ(g->cursorX(A), expected.x());
    EXPECT_DOUBLE_EQ(g->cursorY(A), expected.y());
    EXPECT_DOUBLE_EQ(g->cursorX(B), bx);
    EXPECT_FALSE(m->btnAPOS->value());
    EXPECT_EQ(g->trackMode(), CwGraph::TrackDragCursors);
    test::expectMicroseconds(text(m->lblXpos), expected.x() - 750);

    // Both armed: one click moves both to the same point.
    m->btnAPOS->setValue(true);
    m->btnBPOS->setValue(true);
    QTest::mouseClick(g->plotArea(), Qt::LeftButton, Qt::NoModifier, at(900, 20));
    EXPECT_DOUBLE_EQ(g->cursorX(A), g->cursorX(B));
    EXPECT_DOUBLE_EQ(g->cursorY(A), g->cursorY(B));
}

TEST_F(CursorsTest, RightPressWhileArmedDisarmsWithoutMoving)
{
    m->GraphMode->setPosition(3);
    g->moveCursor(A, 700, 10);
    m->btnAPOS->setValue(true);
    m->btnBPOS->setValue(true);
    QTest::mousePress(g->plotArea(), Qt::RightButton, Qt::NoModifier, at(900, -60));
    EXPECT_DOUBLE_EQ(g->cursorX(A), 700);
    EXPECT_DOUBLE_EQ(g->cursorY(A), 10);
    EXPECT_FALSE(m->btnAPOS->value());
    EXPECT_FALSE(m->btnBPOS->value());
    EXPECT_EQ(g->trackMode(), CwGraph::TrackDragCursors);
    EXPECT_TRUE(m->mnuPopup->isVisible());
    m->mnuPopup->hide();
}

TEST_F(CursorsTest, PressInPanModeKeepsPanning)
{
    m->GraphMode->setPosition(3);
    m->CWSlide7->setPosition(2);
    QTest::mouseClick(g->plotArea(), Qt::LeftButton, Qt::NoModifier, at(750, 0));
    EXPECT_EQ(g->trackMode(), CwGraph::TrackPan);
}

TEST_F(CursorsTest, ColourChosenAndCancelled)
{
    dialogs().clear();
    dialogs().answerColor(0x00FF00).answerColor(std::nullopt).answerColor(0x123456);
    m->CWButton5->setValue(true);
    EXPECT_EQ(dialogs().last().kind, test::ScriptedDialogs::Kind::Color);
    EXPECT_EQ(dialogs().last().initialColor, 0x0000FF);
    EXPECT_EQ(g->cursorColor(A), 0x00FF00);
    for (CwButton* b : {m->CWButton5, m->CWButton24, m->btnAPOS})
        EXPECT_EQ(b->offColor(), 0x00FF00);
    EXPECT_FALSE(m->CWButton5->value());

    m->CWButton6->setValue(true); // cancelled
    EXPECT_EQ(dialogs().last().initialColor, 0xFF0000);
    EXPECT_EQ(g->cursorColor(B), 0xFF0000);
    for (CwButton* b : {m->CWButton6, m->CWButton23, m->btnBPOS})
        EXPECT_EQ(b->offColor(), 0xFF0000);
    EXPECT_FALSE(m->CWButton6->value());

    m->CWButton5->setValue(true); // opens again at once, from the chosen colour
    EXPECT_EQ(dialogs().last().initialColor, 0x00FF00);
    EXPECT_EQ(g->cursorColor(A), 0x123456);
    EXPECT_EQ(dialogs().requests().size(), 3u);

    // A style change takes the colours from the swatches.
    m->GraphMode->setPosition(m->GraphMode->position() == 1 ? 2 : 1);
    EXPECT_EQ(g->cursorColor(A), 0x123456);
}

} // namespace
} // namespace kv
