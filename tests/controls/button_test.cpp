#include "controls/cw_button.h"
#include "mouse_helpers.h"

#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <vector>

namespace kv {
namespace {

class ButtonTest : public ::testing::Test
{
  protected:
    ButtonTest()
    {
        button.resize(80, 30);
        QObject::connect(&button, &CwButton::valueChanged, [this](bool v) { seen.push_back(v); });
    }

    CwButton button;
    std::vector<bool> seen;
};

TEST_F(ButtonTest, SettingFromCodeRaisesOnceBeforeReturning)
{
    bool inside = false;
    QObject::connect(&button, &CwButton::valueChanged, [&](bool) { inside = button.value(); });
    button.setValue(true);
    EXPECT_TRUE(inside); // the handler ran, seeing the new value, before setValue returned
    EXPECT_EQ(seen, std::vector<bool>{true});
}

TEST_F(ButtonTest, SameValueRaisesNothing)
{
    button.setValue(false);
    button.setValue(true);
    button.setValue(true);
    EXPECT_EQ(seen, std::vector<bool>{true});
}

TEST_F(ButtonTest, HandlerSwitchingItselfOffRunsNestedOnce)
{
    // A command button: acts when on, then switches itself off, which runs the handler again.
    std::vector<bool> order;
    QObject::connect(&button, &CwButton::valueChanged, [&](bool v) {
        order.push_back(v);
        if (v)
            button.setValue(false);
        order.push_back(v);
    });
    button.setValue(true);
    EXPECT_EQ(order, (std::vector<bool>{true, false, false, true}));
    EXPECT_FALSE(button.value());
}

TEST_F(ButtonTest, ClickTogglesASwitch)
{
    QSignalSpy clicks(&button, &CwButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ButtonTest, SwitchWhenPressedTogglesAtThePressOnly)
{
    button.setMechanicalAction(CwButton::ActionSwitchWhenPressed);
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_TRUE(button.value());
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_TRUE(button.value()); // stays on until code or the next press switches it off
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

// A command button runs its command at the release and ends off, however the command ended.
TEST_F(ButtonTest, CommandRunsAtTheReleaseAndEndsOff)
{
    button.setCommand(true);
    std::vector<bool> during;
    QObject::connect(&button, &CwButton::valueChanged,
                     [&](bool) { during.push_back(button.value()); });
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_TRUE(seen.empty()); // nothing at the press
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_EQ(during, (std::vector<bool>{true, false})); // the command ran while on
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(button.value());
}

TEST_F(ButtonTest, CommandSetOnFromCodeEndsOffAndAPulseActsOnce)
{
    button.setCommand(true);
    button.setValue(true); // a menu item that only sets the button on
    EXPECT_FALSE(button.value());
    button.setValue(true); // a menu item's pulse
    button.setValue(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
}

TEST_F(ButtonTest, CommandThatSwitchesItselfOffRunsItsHandlerOnceMoreOnly)
{
    button.setCommand(true);
    QObject::connect(&button, &CwButton::valueChanged, [&](bool v) {
        if (v)
            button.setValue(false);
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ButtonTest, CommandWhoseHandlerDeletesItsWindowTouchesNothingAfter)
{
    auto* window = new QWidget;
    auto* ok = new CwButton(window);
    ok->setCommand(true);
    QPointer<QWidget> alive(window);
    int runs = 0;
    QObject::connect(ok, &CwButton::valueChanged, [&](bool) {
        ++runs;
        delete window; // the handler unloads the window at once
    });
    ok->setValue(true);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(alive.isNull());
}

TEST_F(ButtonTest, CommandReleasedOutsideRunsNothing)
{
    button.setCommand(true);
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_TRUE(seen.empty());
}

TEST_F(ButtonTest, ReleaseOutsideDoesNotToggle)
{
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_TRUE(seen.empty());
}

TEST_F(ButtonTest, LedIgnoresClicksForItsValueButReportsThem)
{
    CwButton led(CwButton::Style::RoundLed);
    led.resize(20, 20);
    QSignalSpy changes(&led, &CwButton::valueChanged);
    QSignalSpy clicks(&led, &CwButton::clicked);
    QTest::mouseClick(&led, Qt::LeftButton);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(clicks.count(), 1);
    led.setValue(true);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ButtonTest, DisabledButtonIgnoresTheMouse)
{
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(seen.empty());
}

TEST_F(ButtonTest, DoubleClickIsReported)
{
    QSignalSpy doubles(&button, &CwButton::doubleClicked);
    QTest::mouseDClick(&button, Qt::LeftButton);
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(ButtonTest, TextsAndColoursFollowTheValue)
{
    button.setOffText("Calibrate");
    button.setOnText("Calibrating");
    button.setOffColor(0xFF0000);
    button.setOnColor(0x00FF00);
    EXPECT_EQ(button.currentText(), "Calibrate");
    EXPECT_EQ(button.currentColor(), 0xFF0000);
    button.setValue(true);
    EXPECT_EQ(button.currentText(), "Calibrating");
    EXPECT_EQ(button.currentColor(), 0x00FF00);
}

} // namespace
} // namespace kv
