#include "controls/cw_knob.h"
#include "mouse_helpers.h"

#include <QSignalSpy>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

namespace kv {
namespace {

const QStringList TimeLabels{"50us", "100us", "200us", "500us", "1ms", "2ms", "5ms"};
const QVector<double> TimeValues{1, 2, 4, 10, 0.02, 0.04, 0.1};

class KnobTest : public ::testing::Test
{
  protected:
    KnobTest()
    {
        knob.resize(160, 160);
        knob.setPositions(TimeLabels, TimeValues);
        QObject::connect(&knob, &CwKnob::pointerValueChanged,
                         [this](int pointer, double value) { seen.emplace_back(pointer, value); });
    }

    CwKnob knob;
    std::vector<std::pair<int, double>> seen;
};

TEST_F(KnobTest, PositionsCarryLabelsAndValues)
{
    EXPECT_EQ(knob.positionCount(), 7);
    EXPECT_EQ(knob.position(), 1);
    EXPECT_EQ(knob.positionLabel(5), "1ms");
    EXPECT_DOUBLE_EQ(knob.positionValue(5), 0.02);
    EXPECT_EQ(knob.positionLabel(0), "");
    EXPECT_EQ(knob.positionLabel(8), "");
}

TEST_F(KnobTest, ValuesDefaultToPositionMinusOne)
{
    CwKnob plain;
    plain.setPositions({"100mV", "200mV", "500mV"});
    plain.setPosition(3);
    EXPECT_DOUBLE_EQ(plain.value(), 2.0);
}

TEST_F(KnobTest, SettingPositionRaisesOnceNestedWithItsValue)
{
    QSignalSpy positions(&knob, &CwKnob::positionChanged);
    int positionInHandler = 0;
    QObject::connect(&knob, &CwKnob::positionChanged,
                     [&](int) { positionInHandler = knob.position(); });
    knob.setPosition(4);
    EXPECT_EQ(positionInHandler, 4);
    ASSERT_EQ(positions.count(), 1);
    EXPECT_EQ(positions.at(0).at(0).toInt(), 4);
    EXPECT_EQ(seen, (std::vector<std::pair<int, double>>{{1, 10.0}}));
    EXPECT_DOUBLE_EQ(knob.value(), 10.0);
}

TEST_F(KnobTest, SamePositionOrOutOfRangeRaisesNothing)
{
    knob.setPosition(1);
    knob.setPosition(0);
    knob.setPosition(8);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(knob.position(), 1);
}

TEST_F(KnobTest, PointerValueSelectsTheNearestPosition)
{
    knob.setPointerValue(1, 0.041);
    EXPECT_EQ(knob.position(), 6);
    knob.setPointerValue(2, 10.0); // the knob has one pointer
    EXPECT_EQ(knob.position(), 6);
}

TEST_F(KnobTest, ClickOnALabelSelectsItsPosition)
{
    QTest::mouseClick(&knob, Qt::LeftButton, Qt::NoModifier, knob.labelCenter(7).toPoint());
    EXPECT_EQ(knob.position(), 7);
    EXPECT_EQ(seen, (std::vector<std::pair<int, double>>{{1, 0.1}}));
}

TEST_F(KnobTest, DragTurnsThePointer)
{
    QSignalSpy downs(&knob, &CwKnob::mouseDown);
    QSignalSpy ups(&knob, &CwKnob::mouseUp);
    const QPoint centre = knob.rect().center();
    // Straight up from the centre is the middle of the sweep: position 4 of 7.
    test::drag(&knob, centre + QPoint(-30, 20), centre + QPoint(0, -30));
    EXPECT_EQ(knob.position(), 4);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(seen.back(), std::make_pair(1, 10.0));
}

TEST_F(KnobTest, WheelStepsWithinTheRange)
{
    QWheelEvent up(QPointF(80, 80), QPointF(80, 80), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&knob, &up);
    EXPECT_EQ(knob.position(), 2);
    knob.setPosition(7);
    QApplication::sendEvent(&knob, &up);
    EXPECT_EQ(knob.position(), 7);
}

TEST_F(KnobTest, NewPositionListKeepsAValidSelectionSilently)
{
    knob.setPosition(6);
    seen.clear();
    knob.setPositions({"a", "b", "c"});
    EXPECT_EQ(knob.position(), 1);
    EXPECT_TRUE(seen.empty());
}

TEST_F(KnobTest, PointerColour)
{
    knob.setPointerColor(1, 0xFF0000);
    EXPECT_EQ(knob.pointerColor(1), 0xFF0000);
}

// The fourteen time/div labels at the sizes of the face at 96 and 144 DPI and at a scale
// factor of 2: the labels over the dial stand apart, every label inside the knob, in the
// knob's own font (given in pixels) at its full size.
struct CrowdedKnob
{
    QSize size;
    int pixels;
};

void PrintTo(const CrowdedKnob& c, std::ostream* os)
{
    *os << c.size.width() << "x" << c.size.height() << " at " << c.pixels << " px";
}

class CrowdedKnobLabels : public ::testing::TestWithParam<CrowdedKnob>
{
};

TEST_P(CrowdedKnobLabels, StandApartInsideTheKnobAtTheirFullSize)
{
    CwKnob knob;
    knob.setPositions({"50us", "100us", "200us", "500us", "1ms", "2ms", "5ms", "10ms", "20ms",
                       "50ms", "100ms", "200ms", "500ms", "1s"});
    QFont font = knob.font();
    font.setPixelSize(GetParam().pixels);
    knob.setFont(font);
    knob.resize(GetParam().size);
    EXPECT_EQ(knob.labelFont().pixelSize(), GetParam().pixels);
    for (int pos = 1; pos <= knob.positionCount(); ++pos) {
        EXPECT_TRUE(QRectF(knob.rect()).contains(knob.labelBox(pos))) << pos;
        if (pos > 1) {
            EXPECT_FALSE(knob.labelBox(pos).intersects(knob.labelBox(pos - 1))) << pos;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FaceSizes, CrowdedKnobLabels,
                         ::testing::Values(CrowdedKnob{{180, 182}, 12}, CrowdedKnob{{270, 273}, 18},
                                           CrowdedKnob{{167, 169}, 11}));

} // namespace
} // namespace kv
