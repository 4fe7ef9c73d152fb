// The cursor read-outs of either channel: its own volts/div row, its own zero line and the time
// origin of the trigger position, with the two channels at different ranges and zero lines.
#include "app/main_window.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/mouse_helpers.h"
#include "display/cursors.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QVector>
#include <gtest/gtest.h>
#include <ostream>

namespace kv {
namespace {

const QString A = QStringLiteral("A"), B = QStringLiteral("B");

class CursorReadOutsByChannel : public test::MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        load();
        Main& m = main();
        m.GraphMode->setPosition(3); // paired bars: times and voltages
        m.CWKnob2->setPosition(1);   // 1 uS a point
        m.mnuTH50->trigger();
        // Channel 1 at 100 mV/div with its zero line 40 units down, channel 2 at 5 V/div with
        // its zero line 20 units up.
        m.state.VdivIndexCH1 = 1;
        m.state.VdivIndexCH2 = 6;
        m.CWSlide4->setPointerValue(1, 40);
        m.CWSlide4->setPointerValue(2, -20);
    }

    void select(int channel)
    {
        Main& m = main();
        m.global.ActiveChannel = channel;
        m.state.VdivIndex = channel == 1 ? 1 : 6; // the knob shows the selected channel's range
    }

    void place(double ax, double ay, double bx, double by)
    {
        Main& m = main();
        m.CWGraph1->moveCursor(A, ax, ay);
        m.CWGraph1->moveCursor(B, bx, by);
        m.cursors->Cursor();
    }
};

struct VoltageCase
{
    int channel;
    double zero; // the channel's zero line
    const char *a, *b, *delta;
};

void PrintTo(const VoltageCase& c, std::ostream* os)
{
    *os << "channel " << c.channel;
}

class CursorVoltagesByChannel : public CursorReadOutsByChannel,
                                public ::testing::WithParamInterface<VoltageCase>
{
};

// Cursor A 100 units above the selected channel's zero line, cursor B 50 below it.
TEST_P(CursorVoltagesByChannel, ReadFromTheChannelsOwnRowAndZeroLine)
{
    const VoltageCase& c = GetParam();
    Main& m = main();
    select(c.channel);
    place(800, c.zero - 100, 850, c.zero + 50);
    EXPECT_EQ(m.lblYPos->text().toStdString(), c.a);
    EXPECT_EQ(m.lblYpos2->text().toStdString(), c.b);
    EXPECT_EQ(m.lblYDelta->text().toStdString(), c.delta);
}

INSTANTIATE_TEST_SUITE_P(Channels, CursorVoltagesByChannel,
                         ::testing::Values(VoltageCase{1, 40, "196mV", "-98.39mV", "294.3mV"},
                                           VoltageCase{2, -20, "9.840V", "-4.92V", "14.76V"}));

// A channel button reads the cursors before it turns the volts/div knob to the channel's range:
// the unit and the scale still come from the channel's own range, never a mix of both.
TEST_F(CursorReadOutsByChannel, KnobStillAtTheOtherChannelsRangeReadsTheChannelsOwn)
{
    Main& m = main();
    m.global.ActiveChannel = 1;
    m.state.VdivIndex = 6; // the knob as channel 2 left it
    place(800, 40 - 100, 850, 40 + 50);
    EXPECT_EQ(m.lblYPos->text().toStdString(), "196mV");
    EXPECT_EQ(m.lblYDelta->text().toStdString(), "294.3mV");
    m.global.ActiveChannel = 2;
    m.state.VdivIndex = 1; // the knob as channel 1 left it
    place(800, -20 - 100, 850, -20 + 50);
    EXPECT_EQ(m.lblYPos->text().toStdString(), "9.840V");
    EXPECT_EQ(m.lblYDelta->text().toStdString(), "14.76V");
}

struct OriginCase
{
    QAction* Main::*item; // the trigger position menu item
    const char *a, *b;
};

void PrintTo(const OriginCase& c, std::ostream* os)
{
    *os << c.a << " " << c.b;
}

class CursorTimesByTriggerPosition : public CursorReadOutsByChannel,
                                     public ::testing::WithParamInterface<OriginCase>
{
};

// Times count from the trigger point: record point 150, 750 or 1350 for 10 %, 50 % and 90 %.
TEST_P(CursorTimesByTriggerPosition, CountFromTheTriggerPoint)
{
    const OriginCase& c = GetParam();
    Main& m = main();
    select(2);
    (m.*c.item)->trigger();
    place(800, 0, 1400, 0);
    EXPECT_EQ(m.lblXpos->text().toStdString(), c.a);
    EXPECT_EQ(m.lblXPos2->text().toStdString(), c.b);
    EXPECT_EQ(m.lblXDelta->text().toStdString(), "600.0uS");
}

INSTANTIATE_TEST_SUITE_P(Positions, CursorTimesByTriggerPosition,
                         ::testing::Values(OriginCase{&Main::mnuTH10, "650.0uS", "1250.uS"},
                                           OriginCase{&Main::mnuTH50, "50.00uS", "650.0uS"},
                                           OriginCase{&Main::mnuTH90, "-550.uS", "50.00uS"}));

// A drag with the mouse in snap mode puts cursor A on the selected channel's trace; its read-out
// is that trace's height above channel 2's own zero line, at channel 2's range.
TEST_F(CursorReadOutsByChannel, CursorDraggedAlongChannel2sTraceReadsItsVoltage)
{
    Main& m = main();
    CwGraph* g = m.CWGraph1;
    select(2);
    g->setPlotVisible(QStringLiteral("PCH1"), true);
    g->setPlotVisible(QStringLiteral("PCH2"), true);
    g->plotY(QStringLiteral("PCH1"), QVector<double>(1500, 30.0));
    g->plotY(QStringLiteral("PCH2"), QVector<double>(1500, -120.0));
    m.CWSlide2->setPosition(1);                  // snap to the trace
    g->setCursorPlot(A, QStringLiteral("PCH2")); // as the acquisition does after each record
    place(700, -120, 900, -20);
    QWidget* area = g->plotArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, g->plotAreaPoint(700, -120));
    test::dragTo(area, g->plotAreaPoint(800, 60));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, g->plotAreaPoint(800, 60));
    ASSERT_NEAR(g->cursorX(A), 800, 2);
    ASSERT_DOUBLE_EQ(g->cursorY(A), -120);
    EXPECT_EQ(m.lblYPos->text().toStdString(), "9.840V");
}

} // namespace
} // namespace kv
