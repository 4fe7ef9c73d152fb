#include "controls/cw_color.h"
#include "controls/cw_slide.h"
#include "mouse_helpers.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>
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

    // Where a pointer standing at `value` is drawn on this slide.
    QPoint pointOf(double value) const
    {
        CwSlide twin;
        twin.resize(slide.size());
        twin.setAxisMinimum(slide.axisMinimum());
        twin.setAxisMaximum(slide.axisMaximum());
        twin.setInverted(slide.isInverted());
        twin.setPointerValue(1, value);
        return twin.pointerPoint(1).toPoint();
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

// Track ends given: the axis ends are drawn there, and the mouse reads values on the same scale.
TEST_F(SlideTest, TrackEndsPlaceTheAxisEndsForDrawingAndTheMouse)
{
    slide.setTrackEnds(30.5, 370.5); // 0.85 pixels a unit
    const struct
    {
        double value, row;
    } cases[] = {{-200, 30.5}, {0, 200.5}, {100, 285.5}, {200, 370.5}};
    for (const auto& c : cases) {
        slide.setPointerValue(1, c.value);
        EXPECT_DOUBLE_EQ(slide.pointerPoint(1).y(), c.row) << c.value;
    }
    slide.setPointerVisible(2, false);
    slide.setPointerVisible(3, false);
    test::drag(&slide, slide.pointerPoint(1).toPoint(), QPoint(12, 115));
    EXPECT_NEAR(slide.pointerValue(1), -100.0, 1.0);
    // A press beyond a track end takes the end's value.
    test::drag(&slide, QPoint(12, 115), QPoint(12, 5));
    EXPECT_DOUBLE_EQ(slide.pointerValue(1), -200.0);
    slide.clearTrackEnds();
    slide.setPointerValue(1, 200);
    EXPECT_DOUBLE_EQ(slide.pointerPoint(1).y(), 410 - 9); // the slide's length less half a pointer
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

// Presses on pointers that share a place: the mouse takes the pointer drawn on top there, never
// a hidden one. Each case sets the three pointers up, presses at `press` (a value on the
// track), drags to -60 and names the pointer that must have moved (0: none).
TEST_F(SlideTest, APressTakesThePointerDrawnOnTopAndNeverAHiddenOne)
{
    struct Case
    {
        const char* name;
        double values[3];
        bool visible[3];
        double press;
        int taken;
    } cases[] = {
        {"three at 0", {0, 0, 0}, {true, true, true}, 0, 1},
        {"top one hidden", {0, 0, 0}, {false, true, true}, 0, 2},
        {"two hidden", {0, 0, 0}, {false, false, true}, 0, 3},
        {"hidden one above a shown one", {0, 50, 50}, {true, false, true}, 50, 3},
        {"track press skips a nearer hidden one", {-100, 100, 0}, {true, false, false}, 120, 1},
        {"all hidden", {0, 0, 0}, {false, false, false}, 0, 0},
    };
    const int colours[3] = {0xFF0000, 0x0000FF, 0x00FF00};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 3; ++i) {
            slide.setPointerColor(i + 1, colours[i]);
            slide.setPointerValue(i + 1, c.values[i]);
            slide.setPointerVisible(i + 1, c.visible[i]);
        }
        const QPoint at = pointOf(c.press) - QPoint(3, 0); // on the triangle, near its tip
        if (c.taken != 0 && c.values[c.taken - 1] == c.press) {
            // The user sees the taken pointer's colour where the press lands.
            const QColor drawn = slide.grab().toImage().pixelColor(at);
            EXPECT_EQ(drawn, colorFromBgr(colours[c.taken - 1]));
        }
        seen.clear();
        QSignalSpy downs(&slide, &CwSlide::mouseDown);
        test::drag(&slide, at, QPoint(at.x(), pointOf(-150).y()));
        ASSERT_EQ(downs.count(), 1);
        EXPECT_EQ(downs.at(0).at(0).toInt(), c.taken);
        for (int i = 1; i <= 3; ++i) {
            if (i == c.taken)
                EXPECT_NEAR(slide.pointerValue(i), -150, 2) << "pointer " << i;
            else
                EXPECT_DOUBLE_EQ(slide.pointerValue(i), c.values[i - 1]) << "pointer " << i;
        }
        for (const Change& change : seen)
            EXPECT_EQ(change.first, c.taken);
    }
}

TEST_F(SlideTest, KeysAndWheelMoveTheTopmostVisiblePointer)
{
    // The trigger-level slide shows only the pointer of the trigger source.
    slide.setPointerVisible(1, false);
    slide.setFocus();
    QTest::keyClick(&slide, Qt::Key_Up);
    QWheelEvent wheel(QPointF(12, 200), slide.mapToGlobal(QPoint(12, 200)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&slide, &wheel);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, 2);
    EXPECT_EQ(seen[1].first, 2);
    EXPECT_DOUBLE_EQ(slide.pointerValue(1), 0.0);

    for (int i = 2; i <= 3; ++i)
        slide.setPointerVisible(i, false);
    seen.clear();
    QTest::keyClick(&slide, Qt::Key_Down);
    EXPECT_TRUE(seen.empty());
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
