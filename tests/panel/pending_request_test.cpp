// A trigger change made with the mouse while a request is outstanding abandons that request:
// the next tick asks again, with the new setting in the frame.
#include "controls/cw_slide.h"
#include "started_panel_fixture.h"

#include <QTest>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>

namespace kv::test {
namespace {

class PendingRequest : public StartedPanelFixture
{
  protected:
    // Run on and one tick: the silent instrument leaves the request outstanding.
    void requestOutstanding()
    {
        Main& m = main();
        m.CWButton1->setValue(true);
        m.acquisition->Timer1_Timer();
        ASSERT_TRUE(m.state.AwaitingFrame);
        serial().clearWritten();
        m.acquisition->Timer1_Timer();
        ASSERT_EQ(serial().written(), "") << "a tick with a request outstanding asks nothing";
    }

    // The frame sent on the next tick, or nothing.
    std::optional<std::array<std::uint8_t, 9>> frameOfNextTick()
    {
        serial().clearWritten();
        main().acquisition->Timer1_Timer();
        if (serial().written().size() < 9)
            return std::nullopt;
        return serial().lastFrame();
    }
};

TEST_F(PendingRequest, ClickOnTheModeSwitchAsksAgainInNormalMode)
{
    Main& m = main();
    ASSERT_TRUE(m.CWButton13->value()); // auto
    requestOutstanding();
    QTest::mouseClick(m.CWButton13, Qt::LeftButton);
    ASSERT_FALSE(m.CWButton13->value());
    const auto frame = frameOfNextTick();
    ASSERT_TRUE(frame) << "the request of the old mode was still awaited";
    EXPECT_EQ(bits((*frame)[3], 2, 2), 0);
}

TEST_F(PendingRequest, ClickOnTheSourceSlideAsksAgainOnChannel2)
{
    Main& m = main();
    ASSERT_EQ(m.CWSlide5->position(), 1);
    requestOutstanding();
    QTest::mouseClick(m.CWSlide5, Qt::LeftButton, Qt::NoModifier,
                      m.CWSlide5->positionPoint(2).toPoint());
    ASSERT_EQ(m.CWSlide5->position(), 2);
    const auto frame = frameOfNextTick();
    ASSERT_TRUE(frame) << "the request of the old source was still awaited";
    EXPECT_EQ(bits((*frame)[3], 1, 0), 0b01);
}

} // namespace
} // namespace kv::test
