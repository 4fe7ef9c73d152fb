// A settings file saved with the reference selected names a lit channel as selected; with both
// channels lit that is channel 2, whichever of them was selected before the reference.
#include "files/files_fixture.h"
#include "files/settings_file.h"
#include "state/colours.h"

#include <QTest>
#include <gtest/gtest.h>

namespace kv::test {
namespace {

class SettingsLitChannel : public MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        load();
        dialogs().clear();
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(SettingsLitChannel, BothLitWithTheReferenceSelectedSavesChannel2)
{
    for (const bool channel1Last : {true, false}) {
        SCOPED_TRACE(channel1Last ? "channel 1 selected before the reference"
                                  : "channel 2 selected before the reference");
        Main& m = main();
        click(channel1Last ? m.CH2Button : m.CH1Button);
        click(channel1Last ? m.CH1Button : m.CH2Button);
        ASSERT_EQ(m.global.ActiveChannel, Variant(channel1Last ? 1 : 2));
        click(m.REF1Button);
        ASSERT_EQ(m.global.ActiveChannel, Variant(5));
        ASSERT_TRUE(m.LED1->value());
        ASSERT_TRUE(m.LED2->value());

        const QString file = path(channel1Last ? "after1.set" : "after2.set");
        dialogs().answerSave(file);
        click(m.CWButton20);
        const auto lines = crlfLines(readAll(file));
        ASSERT_EQ(lines.size(), 64u);
        EXPECT_EQ(lines[31 - 1], " 2 ");
        EXPECT_EQ(m.global.ActiveChannel, Variant(2));
        EXPECT_FALSE(m.LED5->value());
        EXPECT_EQ(m.LED2->onColor(), colour::Green);
        EXPECT_EQ(m.LED1->onColor(), colour::Yellow);
        EXPECT_TRUE(m.CWKnob2->isEnabled());
    }
}

} // namespace
} // namespace kv::test
