#include "controls/cw_slide.h"
#include "mouse_helpers.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace kv {
namespace {

using Change = std::pair<int, double>;

// The vertical-position slide: three named pointers, graph units growing downward.
class SlideTest : public ::testing::Test
{
  protected:
    SlideTest()
    {
        slide.resize(24, 410);
        slide.setAxisMinimum(-200);
        slide.setAxisMaximum(200);
        slide.setInverted(true);
        slide.setPointerName(1, "VCH1");
        slide.addPointer("VCH2", 0.0, 0x0000FF);
        slide.addPointer("VREF1", 0.0, 0x00FFFF);
        QObject::connect(&slide, &CwSlide::pointerValueChanged,
                         [this](int p, double v) { seen.emplace_back(p, v); });
    }

    CwSlide slide;
    std::vector<Change> seen;
};

TEST_F(SlideTest, PointersByNameAndIndex)
{
    EXPECT_EQ(slide.pointerCount(), 3);
    EXPECT_EQ(slide.pointerIndex("VCH2"), 2);
    EXPECT_EQ(slide.pointerIndex("nope"), 0);
    EXPECT_EQ(slide.pointerName(3), "VREF1");
    EXPECT_EQ(slide.pointerColor(2), 0x0000FF);
    EXPECT_DOUBLE_EQ(slide.pointerValue(9), 0.0); // unknown pointers read as 0
    slide.setPointerValue(9, 5.0);                // and are ignored
    EXPECT_TRUE(seen.empty());
}

TEST_F(SlideTest, SettingAPointerRaisesOnceWithItsIndex)
{
    slide.setPointerValue(2, 50.0);
    slide.setPointerValue(2, 50.0);
    EXPECT_EQ(seen, (std::vector<Change>{{2, 50.0}}));
    EXPECT_DOUBLE_EQ(slide.pointerValue(2), 50.0);
}

TEST_F(SlideTest, NestedChangesRunBeforeTheSetterReturns)
{
    // A handler that drags another pointer along, as the trigger level follows its zero line.
    QObject::connect(&slide, &CwSlide::pointerValueChanged, [this](int p, double v) {
        if (p == 1)
            slide.setPointerValue(2, v - 40.0);
    });
    slide.setPointerValue(1, 100.0);
    EXPECT_EQ(seen, (std::vector<Change>{{1, 100.0}, {2, 60.0}}));
    EXPECT_DOUBLE_EQ(slide.pointerValue(2), 60.0);
}

TEST_F(SlideTest, InvertedVerticalSlideHasItsMinimumAtTheTop)
{
    slide.setPointerValue(1, -200);
    slide.setPointerValue(2, 200);
    EXPECT_LT(slide.pointerPoint(1).y(), slide.pointerPoint(2).y());
    slide.setInverted(false);
    EXPECT_GT(slide.pointerPoint(1).y(), slide.pointerPoint(2).y());
}

TEST_F(SlideTest, DraggingAPointerRaisesTheSameSignalAndPressRelease)
{
    slide.setPointerValue(2, 100.0);
    slide.setPointerVisible(1, false);
    slide.setPointerVisible(3, false);
    seen.clear();
    QSignalSpy downs(&slide, &CwSlide::mouseDown);
    QSignalSpy ups(&slide, &CwSlide::mouseUp);
    const QPoint from = slide.pointerPoint(2).toPoint();
    const QPoint to(from.x(), slide.height() / 2); // the middle: value 0
    test::drag(&slide, from, to);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).toInt(), 2);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups.at(0).at(0).toInt(), 2);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().first, 2);
    EXPECT_NEAR(seen.back().second, 0.0, 2.0);
    EXPECT_DOUBLE_EQ(slide.pointerValue(1), 0.0); // the hidden pointer did not move
}

TEST_F(SlideTest, UserDragStaysWithinTheAxis)
{
    slide.setPointerVisible(2, false);
    slide.setPointerVisible(3, false);
    const QPoint from = slide.pointerPoint(1).toPoint();
    test::drag(&slide, from, QPoint(from.x(), slide.height() + 100));
    EXPECT_DOUBLE_EQ(slide.pointerValue(1), 200.0);
}

TEST_F(SlideTest, UpKeyMovesThePointerUpOnTheScreen)
{
    slide.setFocus();
    const double before = slide.pointerPoint(1).y();
    QTest::keyClick(&slide, Qt::Key_Up);
    EXPECT_LT(slide.pointerPoint(1).y(), before);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_LT(seen[0].second, 0.0); // graph units grow downward on this slide
}

TEST_F(SlideTest, CodeValuesAreKeptAsGiven)
{
    slide.setPointerValue(1, 260.0);
    EXPECT_DOUBLE_EQ(slide.pointerValue(1), 260.0);
}

// A selector with labelled positions, such as the mouse-action slide.
class SelectorTest : public ::testing::Test
{
  protected:
    SelectorTest()
    {
        selector.resize(120, 90);
        selector.setPositions({" Zoom", "Pan", "Cursors"});
        QObject::connect(&selector, &CwSlide::pointerValueChanged,
                         [this](int p, double v) { seen.emplace_back(p, v); });
    }

    CwSlide selector;
    std::vector<Change> seen;
};

TEST_F(SelectorTest, PositionIsValuePlusOne)
{
    EXPECT_EQ(selector.position(), 1);
    EXPECT_DOUBLE_EQ(selector.value(), 0.0);
    QSignalSpy positions(&selector, &CwSlide::positionChanged);
    selector.setPosition(3);
    EXPECT_EQ(positions.count(), 1);
    EXPECT_EQ(seen, (std::vector<Change>{{1, 2.0}}));
    EXPECT_DOUBLE_EQ(selector.value(), 2.0);
}

TEST_F(SelectorTest, SamePositionAndOutOfRangeRaiseNothing)
{
    selector.setPosition(1);
    selector.setPosition(4);
    selector.setPosition(0);
    EXPECT_TRUE(seen.empty());
}

TEST_F(SelectorTest, SettingTheValueSelectsThePosition)
{
    selector.setValue(1.0);
    EXPECT_EQ(selector.position(), 2);
    EXPECT_EQ(seen, (std::vector<Change>{{1, 1.0}}));
}

TEST_F(SelectorTest, ClickNearAPositionSelectsIt)
{
    QTest::mouseClick(&selector, Qt::LeftButton, Qt::NoModifier,
                      selector.positionPoint(2).toPoint());
    EXPECT_EQ(selector.position(), 2);
    EXPECT_EQ(seen, (std::vector<Change>{{1, 1.0}}));
}

TEST_F(SelectorTest, PointerIsDrawnAtTheSelectedPosition)
{
    selector.setPosition(3);
    EXPECT_EQ(selector.pointerPoint(1), selector.positionPoint(3));
    // The first position stands at the top of a vertical selector.
    EXPECT_LT(selector.positionPoint(1).y(), selector.positionPoint(3).y());
}

TEST(SlideImages, NamedImagesAreKeptAndCleared)
{
    CwSlide slide(Qt::Horizontal);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    slide.setImage("Background", picture);
    EXPECT_EQ(slide.image("Background").size(), QSize(10, 10));
    slide.setImage("Background", QImage());
    EXPECT_TRUE(slide.image("Background").isNull());
}

TEST(SlideProgress, ProgressBarIgnoresTheMouse)
{
    CwSlide bar(Qt::Horizontal);
    bar.resize(200, 20);
    bar.setLook(CwSlide::Look::Progress);
    bar.setAxisMaximum(100);
    QSignalSpy changes(&bar, &CwSlide::pointerValueChanged);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
    EXPECT_EQ(changes.count(), 0);
    bar.setValue(40);
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
} // namespace kv
