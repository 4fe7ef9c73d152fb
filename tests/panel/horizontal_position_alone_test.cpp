// The horizontal trigger position group built with only the controls it works, without the
// window: clicks of the mouse on its step buttons move the trigger.
#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "panel/horizontal_position.h"
#include "state/timebase_table.h"
#include "trigger_position_bytes.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kv::test {
namespace {

class HorizontalPositionAlone : public ::testing::Test
{
  protected:
    HorizontalPositionAlone()
    {
        window.resize(700, 60);
        CWButton29->setGeometry(0, 0, 30, 28);
        CWButton30->setGeometry(600, 0, 30, 28);
        // Command buttons, as on the face: each click acts once and the button ends off.
        CWButton29->setCommand(true);
        CWButton30->setCommand(true);
        QStringList labels;
        for (const TimebaseRow& row : TimebaseTable)
            labels << QString::fromLatin1(row.label);
        CWKnob2->setPositions(labels);
        CWSlide6->setAxisMinimum(40);
        CWSlide6->setAxisMaximum(1460);
        CWSlide6->addPointer(QStringLiteral("Pointer-2"), 750);
        for (QAction* item : items())
            item->setCheckable(true);
        state.HTrigPosition = 1;
        window.show();
    }

    std::array<QAction*, 3> items() const { return {mnuTH10, mnuTH50, mnuTH90}; }
    std::vector<int> marks() const
    {
        std::vector<int> checked;
        for (int i = 0; i < 3; ++i)
            if (items()[std::size_t(i)]->isChecked())
                checked.push_back(i + 1);
        return checked;
    }
    Bytes frameBytes() const
    {
        return {int(state.TrigPosByte1.toNumber()), int(state.TrigPosByte2.toNumber()),
                int(state.TrigPosByte3.toNumber()), int(state.TrigPosByte4.toNumber())};
    }
    static void click(CwButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    }

    QWidget window;
    CwButton* CWButton29 = new CwButton(CwButton::Style::PushButton, &window);
    CwButton* CWButton30 = new CwButton(CwButton::Style::PushButton, &window);
    QAction* mnuTH10 = new QAction(&window);
    QAction* mnuTH50 = new QAction(&window);
    QAction* mnuTH90 = new QAction(&window);
    CwKnob* CWKnob2 = new CwKnob(&window);
    CwSlide* CWSlide6 = new CwSlide(Qt::Horizontal, &window);
    QLabel* labSetHTrg = new QLabel(&window);
    CwButton* Autoscale = new CwButton(CwButton::Style::LightPushButton, &window);
    ScopeState state;
    HorizontalPosition group{state,
                             {.window = &window,
                              .CWButton29 = CWButton29,
                              .CWButton30 = CWButton30,
                              .mnuTH10 = mnuTH10,
                              .mnuTH50 = mnuTH50,
                              .mnuTH90 = mnuTH90,
                              .CWKnob2 = CWKnob2,
                              .CWSlide6 = CWSlide6,
                              .labSetHTrg = labSetHTrg,
                              .Autoscale = Autoscale}};
};

// Starting at 10 %, the right button steps to 50 % and 90 % and stays there; the left button
// steps back. Each click moves one step: the frame bytes of the time/div group, the marker and
// the menu mark follow.
TEST_F(HorizontalPositionAlone, EachClickOfAStepButtonMovesTheTriggerOneStep)
{
    struct Step
    {
        bool right;
        int position;
        Bytes bytes;
        int marker;
    };
    struct Case
    {
        int timeDiv; // 1: 50 us/div, the fast group; 7: 5 ms/div
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {7,
         {{true, 2, Both50, 750},
          {true, 3, Normal90, 1360},
          {true, 3, Normal90, 1360},
          {false, 2, Both50, 750},
          {false, 1, Normal10, 145},
          {false, 1, Normal10, 145}}},
        {1, {{true, 2, Both50, 750}, {true, 3, Fast90, 1360}, {false, 2, Both50, 750}}},
        {1, {{false, 1, Fast10, 145}}},
    };
    for (const Case& c : cases) {
        state.HTrigPosition = 1;
        CWKnob2->setPosition(c.timeDiv);
        int n = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE("time/div " + std::to_string(c.timeDiv) + ", click " +
                         std::to_string(++n));
            click(step.right ? CWButton30 : CWButton29);
            EXPECT_EQ(state.HTrigPosition.toNumber(), step.position);
            EXPECT_EQ(frameBytes(), step.bytes);
            EXPECT_EQ(CWSlide6->pointerValue(2), step.marker);
            EXPECT_EQ(marks(), std::vector<int>{step.position});
            EXPECT_FALSE((step.right ? CWButton30 : CWButton29)->value());
        }
    }
}

} // namespace
} // namespace kv::test
