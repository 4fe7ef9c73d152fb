#include "front_panel_fixture.h"
#include "panel/menu_marks.h"
#include "panel/time_div.h"
#include "panel/volts_div.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

TEST(VoltsDivCaptions, ExactTextOnly)
{
    const char* captions[] = {"100mV", "200mV", "500mV", "1V", "2V", "5V"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(voltsDivCaptionIndex(QString::fromLatin1(captions[i])), i);
    for (const char* other : {"Zoomed", "Autoscale", "100mv", "", " 1V"})
        EXPECT_EQ(voltsDivCaptionIndex(QString::fromLatin1(other)), -1) << other;
}

class MenuSyncTest : public FrontPanelFixture
{
  protected:
    std::vector<int> marks(std::initializer_list<QAction*> items)
    {
        return checkedPositions(std::vector<QAction*>(items));
    }
};

TEST_F(MenuSyncTest, TriggerAndAcquisitionGroupsFollowTheirControls)
{
    struct Case
    {
        bool rising, autoMode;
        int source;
        bool single;
    };
    const Case cases[] = {
        {true, true, 1, false},
        {false, false, 2, true},
        {true, false, 3, false},
        {false, true, 1, true},
    };
    Main& m = main();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.source));
        m.CWButton12->setValue(c.rising);
        m.CWButton13->setValue(c.autoMode);
        m.CWSlide5->setPosition(c.source);
        m.CWButton4->setValue(c.single);
        for (QAction* item : m.menuItems())
            item->setChecked(false);
        m.menuMarks->MenuSync();
        EXPECT_EQ(marks({m.mnuTRising, m.mnuTFalling}), std::vector<int>{c.rising ? 1 : 2});
        EXPECT_EQ(marks({m.mnuTAuto, m.mnuTNormal}), std::vector<int>{c.autoMode ? 1 : 2});
        EXPECT_EQ(marks({m.mnuTSCh1, m.mnuTSCh2, m.mnuTSExt}), std::vector<int>{c.source});
        EXPECT_EQ(marks({m.mnuASingle, m.mnuAContinuous}), std::vector<int>{c.single ? 1 : 2});
    }
}

TEST_F(MenuSyncTest, VoltsDivGroupsFollowTheCaptions)
{
    Main& m = main();
    const char* captions[] = {"100mV", "200mV", "500mV", "1V", "2V", "5V"};
    for (int i = 0; i < 6; ++i) {
        m.PeriodVAL->setText(QString::fromLatin1(captions[i]));
        m.PeriodVAL2->setText(QString::fromLatin1(captions[5 - i]));
        m.menuMarks->MenuSync();
        EXPECT_EQ(checkedPositions(verticalItems(m, 1)), std::vector<int>{i + 1});
        EXPECT_EQ(checkedPositions(verticalItems(m, 2)), std::vector<int>{6 - i});
    }
}

TEST_F(MenuSyncTest, ChannelTwoCaptionChangesOnlyChannelTwoItems)
{
    Main& m = main();
    m.PeriodVAL->setText(QStringLiteral("Zoomed"));
    m.mnuVCH1100mv->setChecked(true);
    m.mnuVch11V->setChecked(true); // two marks on channel 1: left as they are
    m.mnuVch25V->setChecked(true);
    m.PeriodVAL2->setText(QStringLiteral("500mV"));
    m.menuMarks->MenuSync();
    EXPECT_EQ(checkedPositions(verticalItems(m, 2)), std::vector<int>{3});
    EXPECT_EQ(checkedPositions(verticalItems(m, 1)), (std::vector<int>{1, 4}));
}

TEST_F(MenuSyncTest, AutoscaleCaptionKeepsTheMarks)
{
    Main& m = main();
    m.mnuVch22V->setChecked(true);
    m.PeriodVAL2->setText(QStringLiteral("Autoscale"));
    m.menuMarks->MenuSync();
    EXPECT_EQ(checkedPositions(verticalItems(m, 2)), std::vector<int>{5});
}

TEST_F(MenuSyncTest, TimeDivGroupFollowsTheKnob)
{
    Main& m = main();
    for (int position = 1; position <= TimeDivPositions; ++position) {
        m.CWKnob2->setPosition(position);
        for (QAction* item : horizontalItems(m))
            item->setChecked(false);
        m.menuMarks->MenuSync();
        EXPECT_EQ(checkedPositions(horizontalItems(m)), std::vector<int>{position});
    }
}

TEST_F(MenuSyncTest, HorizontalTriggerMarksComeLast)
{
    Main& m = main();
    for (int position = 1; position <= 3; ++position) {
        m.state.HTrigPosition = position;
        m.menuMarks->MenuSync();
        EXPECT_EQ(marks({m.mnuTH10, m.mnuTH50, m.mnuTH90}), std::vector<int>{position});
    }
}

TEST_F(MenuSyncTest, ChannelMenuIsNotPartOfIt)
{
    Main& m = main();
    m.mnuC1->setChecked(true);
    m.mnuC2->setChecked(true);
    m.menuMarks->MenuSync();
    EXPECT_TRUE(m.mnuC1->isChecked());
    EXPECT_TRUE(m.mnuC2->isChecked());
    EXPECT_FALSE(m.mnuCO->isChecked());
}

TEST(CheckOnly, AnIndexOutsideTheGroupKeepsTheMarks)
{
    QAction a(nullptr), b(nullptr);
    a.setCheckable(true);
    b.setCheckable(true);
    a.setChecked(true);
    b.setChecked(true);
    checkOnly({&a, &b}, -1);
    checkOnly({&a, &b}, 2);
    EXPECT_TRUE(a.isChecked());
    EXPECT_TRUE(b.isChecked());
    checkOnly({&a, &b}, 1);
    EXPECT_FALSE(a.isChecked());
    EXPECT_TRUE(b.isChecked());
}

} // namespace
} // namespace kv::test

namespace kv::test {
namespace {

class MenuSyncAtStartUp : public MainFixture
{
};

TEST_F(MenuSyncAtStartUp, MarksAgreeWithTheDefaultControls)
{
    instrument().faults().silence = true; // no instrument: no first-run calibration question
    Main& m = load();
    const auto marked = [](std::initializer_list<QAction*> items) {
        std::vector<int> positions;
        int position = 1;
        for (QAction* item : items) {
            if (item->isChecked())
                positions.push_back(position);
            ++position;
        }
        return positions;
    };
    EXPECT_EQ(marked({m.mnuTRising, m.mnuTFalling}), std::vector<int>{1});
    EXPECT_EQ(marked({m.mnuTAuto, m.mnuTNormal}), std::vector<int>{1});
    EXPECT_EQ(marked({m.mnuTSCh1, m.mnuTSCh2, m.mnuTSExt}), std::vector<int>{1});
    EXPECT_EQ(marked({m.mnuASingle, m.mnuAContinuous}), std::vector<int>{2});
    EXPECT_EQ(marked({m.mnuTH10, m.mnuTH50, m.mnuTH90}), std::vector<int>{2});
    EXPECT_TRUE(m.mnuH50us->isChecked());
    EXPECT_TRUE(m.mnuVCH1100mv->isChecked());
    EXPECT_TRUE(m.mnuVch2100mV->isChecked());
}

} // namespace
} // namespace kv::test
