// Autoscale takes the volts/div knob out of use and marks the captions of the lit channels only;
// pan mode gives the knob back. One channel is on and the other off, at different ranges.
#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "support/main_fixture.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace kv {
namespace {

class AutoscaleKnob : public test::MainFixture, public ::testing::WithParamInterface<int>
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        load();
        // The channel under test on at 2 V/div; the other stays off at its start-up 100 mV.
        Main& m = main();
        click(on() == 1 ? m.CH1Button : m.CH2Button);
        m.CWKnob1->setPosition(5);
        ASSERT_TRUE(m.CWKnob1->isEnabled());
        ASSERT_EQ(caption(on())->text().toStdString(), "2V");
        ASSERT_EQ(caption(off())->text().toStdString(), "100mV");
        ASSERT_FALSE((off() == 1 ? m.LED1 : m.LED2)->value());
    }

    int on() const { return GetParam(); }
    int off() const { return 3 - GetParam(); }
    QLabel* caption(int channel) { return channel == 1 ? main().PeriodVAL : main().PeriodVAL2; }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    void clickMouseAction(int position)
    {
        CwSlide* slide = main().CWSlide7;
        QTest::mouseClick(slide, Qt::LeftButton, Qt::NoModifier,
                          slide->positionPoint(position).toPoint());
        ASSERT_EQ(slide->position(), position);
    }
};

TEST_P(AutoscaleKnob, ButtonDisablesTheKnobAndMarksTheLitChannelOnly)
{
    Main& m = main();
    click(m.Autoscale);
    ASSERT_TRUE(m.Autoscale->value());
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_EQ(caption(on())->text().toStdString(), "Autoscale");
    EXPECT_EQ(caption(off())->text().toStdString(), "100mV");
}

TEST_P(AutoscaleKnob, ChannelButtonDuringAutoscaleKeepsTheKnobOutOfUse)
{
    Main& m = main();
    click(m.Autoscale);
    click(on() == 1 ? m.CH1Button : m.CH2Button); // the lit channel selected again
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_EQ(caption(on())->text().toStdString(), "Autoscale");
    EXPECT_EQ(caption(off())->text().toStdString(), "100mV");
}

// Switching the reference off gives the knob back, unless autoscale is on.
TEST_P(AutoscaleKnob, SwitchingTheReferenceOffKeepsTheKnobOutOfUse)
{
    Main& m = main();
    click(m.REF1Button);
    click(m.Autoscale);
    click(m.CWButton8); // OFF: the selected reference goes off
    ASSERT_EQ(m.global.ActiveChannel, Variant(on()));
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_EQ(caption(on())->text().toStdString(), "Autoscale");
    EXPECT_EQ(caption(off())->text().toStdString(), "100mV");
}

TEST_P(AutoscaleKnob, PanGivesTheKnobBack)
{
    Main& m = main();
    click(m.Autoscale);
    ASSERT_FALSE(m.CWKnob1->isEnabled());
    clickMouseAction(2); // "Pan"
    EXPECT_TRUE(m.CWKnob1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(ChannelOn, AutoscaleKnob, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "channel" + std::to_string(info.param);
                         });

} // namespace
} // namespace kv
