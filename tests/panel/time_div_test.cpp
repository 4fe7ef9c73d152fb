#include "front_panel_fixture.h"
#include "panel/horizontal_position.h"
#include "panel/time_div.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

struct TimeRow
{
    int position;
    QAction* Main::*item;
    const char* code;
    float samplePeriod;
    const char* refText;
};

const TimeRow TimeRows[] = {
    {1, &Main::mnuH50us, "00011", 0.000001f, "50uS"},
    {2, &Main::mnuH100us, "00011", 0.000002f, "100uS"},
    {3, &Main::mnuH200us, "00100", 0.000004f, "200uS"},
    {4, &Main::mnuH500us, "00101", 0.00001f, "500uS"},
    {5, &Main::mnuH1ms, "00110", 0.00002f, "1mS"},
    {6, &Main::mnuH2ms, "00111", 0.00004f, "2mS"},
    {7, &Main::mnuH5ms, "01000", 0.0001f, "5mS"},
    {8, &Main::mnuH10ms, "01001", 0.0002f, "10mS"},
    {9, &Main::mnuH20ms, "01010", 0.0004f, "20mS"},
    {10, &Main::mnuH50ms, "01011", 0.001f, "50mS"},
    {11, &Main::mnuH100ms, "01100", 0.002f, "100mS"},
    {12, &Main::mnuH200ms, "01101", 0.004f, "200mS"},
    {13, &Main::mnuH500ms, "01110", 0.01f, "500mS"},
    {14, &Main::mnuH1s, "01111", 0.02f, "1S"},
};

TEST(TimeDivTable, SamplePeriodIsTheTimePerDivisionOverFifty)
{
    for (const TimeRow& row : TimeRows) {
        const auto setting = timeDivSetting(row.position);
        ASSERT_TRUE(setting);
        EXPECT_FLOAT_EQ(setting->samplePeriod, float(setting->timePerDiv / 50.0));
        EXPECT_EQ(samplePeriodOfRefText(row.refText), row.samplePeriod) << row.refText;
    }
    EXPECT_FALSE(timeDivSetting(0));
    EXPECT_FALSE(timeDivSetting(15));
    EXPECT_FALSE(samplePeriodOfRefText("20ms")); // exact, case included
    EXPECT_FALSE(samplePeriodOfRefText(""));
}

class TimeDivKnob : public FrontPanelFixture
{
  protected:
    static int timebaseBits(std::uint8_t byte3) { return byte3 >> 3; }
    // Sets the knob to `position` as a real change.
    void turnTo(int position)
    {
        main().CWKnob2->setPosition(position == 14 ? 13 : 14);
        main().CWKnob2->setPosition(position);
    }
};

TEST_F(TimeDivKnob, EveryPositionReachesCodeFrameMarksAndSampleTime)
{
    Main& m = main();
    selectChannel(1);
    m.CWButton1->setValue(true); // Run
    for (const TimeRow& row : TimeRows) {
        SCOPED_TRACE(row.position);
        turnTo(row.position);
        EXPECT_EQ(m.state.TimebaseCode, row.code);
        const std::uint8_t byte3 = nextFrame()[3];
        EXPECT_EQ(timebaseBits(byte3), row.position == 1 ? 3 : row.position + 1);
        EXPECT_EQ(byte3 & 0b111, 0b100); // Auto, channel 1 source untouched
        EXPECT_EQ(checkedPositions(horizontalItems(m)), std::vector<int>{row.position});
        EXPECT_EQ(m.state.SampleTime, row.samplePeriod);
    }
}

TEST_F(TimeDivKnob, FiftyAndHundredMicrosecondsSendTheSameCode)
{
    Main& m = main();
    turnTo(1);
    const std::uint8_t fast = nextFrame()[3];
    m.CWKnob2->setPosition(2);
    EXPECT_EQ(nextFrame()[3], fast);
    EXPECT_EQ(m.state.TimebaseCode, "00011");
}

TEST_F(TimeDivKnob, TheAcquisitionSendsTheNewCode)
{
    Main& m = main();
    selectChannel(1);
    m.CWKnob2->setPosition(11);
    EXPECT_EQ(timebaseBits(acquiredFrame()[3]), 12);
    m.CWKnob2->setPosition(3); // while running: stop, and the next tick asks afresh
    EXPECT_EQ(timebaseBits(acquiredFrame()[3]), 4);
}

TEST_F(TimeDivKnob, EveryChangeSendsTheStopByteFirst)
{
    Main& m = main();
    for (int position : {5, 1, 14, 2}) {
        serial().clearWritten();
        m.CWKnob2->setPosition(position);
        ASSERT_FALSE(serial().written().empty()) << position;
        EXPECT_EQ(std::uint8_t(serial().written().front()), StopCmd) << position;
    }
}

TEST_F(TimeDivKnob, StopByteGoesOutWithoutAnInstrument)
{
    Main& m = main();
    serial().unplug();
    serial().clearWritten();
    m.CWKnob2->setPosition(9);
    EXPECT_EQ(serial().written(), std::string(1, char(StopCmd)));
}

TEST_F(TimeDivKnob, AChangeClearsThePendingRequest)
{
    Main& m = main();
    m.state.AwaitingFrame = true;
    m.CWKnob2->setPosition(6);
    EXPECT_FALSE(m.state.AwaitingFrame);
}

TEST_F(TimeDivKnob, SampleTimeRules)
{
    struct Case
    {
        int activeChannel;
        bool run;
        const char* hrefLabel;
        float expected; // SampleTime starts at 0.5
    };
    const Case cases[] = {
        {1, true, "", 0.0001f},                            // Run on: the new period (5 ms/div)
        {2, true, "", 0.0001f},      {1, false, "", 0.5f}, // Run off: kept
        {5, false, "20mS", 0.0004f},                       // reference: from its own time/div text
        {5, true, "20mS", 0.0004f},  {5, false, "20ms", 0.5f}, // a text not in the table: kept
        {0, true, "", 0.5f},                                   // nothing selected: kept
    };
    Main& m = main();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.activeChannel) + (c.run ? " run " : " stop ") + c.hrefLabel);
        m.CWButton1->setValue(c.run);
        m.global.ActiveChannel = c.activeChannel;
        m.state.HREFLabel = c.hrefLabel;
        m.state.SampleTime = 0.5f;
        turnTo(7);
        EXPECT_EQ(m.state.SampleTime, c.expected);
    }
}

TEST_F(TimeDivKnob, EveryMenuItemSetsTheKnob)
{
    Main& m = main();
    for (const TimeRow& row : TimeRows) {
        QAction* item = m.*row.item;
        SCOPED_TRACE(item->objectName().toStdString());
        m.CWKnob2->setPosition(row.position == 14 ? 13 : 14);
        serial().clearWritten();
        item->trigger();
        EXPECT_EQ(m.CWKnob2->position(), row.position);
        EXPECT_EQ(m.state.TimebaseCode, row.code);
        EXPECT_EQ(checkedPositions(horizontalItems(m)), std::vector<int>{row.position});
        EXPECT_EQ(std::uint8_t(serial().written().front()), StopCmd);
    }
}

TEST_F(TimeDivKnob, TriggerPositionPresetsFollowTheTimebase)
{
    Main& m = main();
    m.state.HTrigPosition = 1;
    turnTo(1); // 50 us/div
    auto frame = nextFrame();
    EXPECT_EQ((std::array<int, 4>{frame[5], frame[6], frame[7], frame[8]}),
              (std::array<int, 4>{160, 3, 33, 5}));
    m.CWKnob2->setPosition(7); // 5 ms/div
    frame = nextFrame();
    EXPECT_EQ((std::array<int, 4>{frame[5], frame[6], frame[7], frame[8]}),
              (std::array<int, 4>{50, 1, 80, 6}));
    EXPECT_EQ(m.CWSlide6->pointerValue(2), MarkerLeft);
    EXPECT_EQ(m.labSetHTrg->text(), "10% Trigger");
}

} // namespace
} // namespace kv::test
