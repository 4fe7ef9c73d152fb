#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "link/rules/command_frame.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <QThread>
#include <bit>
#include <cstring>
#include <sys/stat.h>

namespace kv::test {
namespace {

class StartUp : public MainFixture
{
  protected:
    // No instrument answers, so start-up asks no first-run calibration question.
    void SetUp() override { instrument().faults().silence = true; }
};

// The bytes start-up sends with an instrument answering: the reset byte, then one
// identification (its own reset byte and the identify byte), and nothing else before the first
// command frame. A link-watch tick (250 ms) that falls due while start-up runs waits until
// start-up has returned; the start-up delay makes that tick due before start-up begins.
class StartUpBytes : public MainFixture, public ::testing::WithParamInterface<int>
{
};

TEST_P(StartUpBytes, ResetThenOneIdentificationBeforeTheFirstFrame)
{
    build();
    QThread::msleep(unsigned(GetParam()));
    dialogs().answer(MsgResult::No); // the first-run calibration question, asked once
    Main& m = load();
    EXPECT_EQ(serial().written(), std::string("EE?"));
    EXPECT_TRUE(m.frmSplash().SplashTime->enabled());
    // No held tick runs after start-up: the identification has restarted the link watch.
    QTest::qWait(300);
    EXPECT_EQ(serial().written(), std::string("EE?"));
    m.CWButton1->setValue(true);
    m.Timer1->fire();
    ASSERT_EQ(serial().written().size(), std::size_t(3 + CommandFrameLength));
    EXPECT_EQ(serial().written().substr(0, 3), "EE?");
    const auto frame = serial().lastFrame();
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(std::string(frame->begin(), frame->end()), serial().written().substr(3));
}

INSTANTIATE_TEST_SUITE_P(StartUpTakes, StartUpBytes, ::testing::Values(0, 300),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Delay" + std::to_string(info.param) + "ms";
                         });

TEST_F(StartUp, TriggerDefaultsAreSetThroughTheControls)
{
    Main& m = load();
    EXPECT_EQ(m.state.TrigSourceBits, "00");
    EXPECT_EQ(m.state.TrigSlopeBits, "11");
    EXPECT_EQ(m.state.TrigSlopeSaved, "11");
    EXPECT_EQ(m.state.TrigEdgeText, "Rising");
    EXPECT_EQ(m.state.TrigSourceText, "CH1");
    EXPECT_EQ(m.state.TrigModeBit, "1");
    EXPECT_EQ(m.CWSlide5->position(), 1);
    EXPECT_TRUE(m.CWButton12->value());
    EXPECT_TRUE(m.CWButton13->value());
    EXPECT_FALSE(m.CWButton4->value());
    EXPECT_EQ(m.state.HTrigPosition, Variant(2));
    EXPECT_EQ(m.state.TrigPosByte1, Variant(240));
    EXPECT_EQ(m.state.TrigPosByte2, Variant(5));
    EXPECT_EQ(m.state.TrigPosByte3, Variant(239));
    EXPECT_EQ(m.state.TrigPosByte4, Variant(3));
}

TEST_F(StartUp, ChannelAndTimebaseDefaults)
{
    Main& m = load();
    EXPECT_EQ(m.state.VdivIndexCH1, Variant(1));
    EXPECT_EQ(m.state.VdivIndexCH2, Variant(1));
    EXPECT_EQ(m.state.VdivIndex, Variant(1));
    for (const Variant* v :
         {&m.state.VdivCH1, &m.state.VdivCH2, &m.state.VdivOldCH1, &m.state.VdivOldCH2})
        EXPECT_DOUBLE_EQ(v->toNumber(), 0.1);
    EXPECT_EQ(m.state.CH1RangeBit, "0");
    EXPECT_EQ(m.state.CH2RangeBit, "0");
    EXPECT_EQ(m.state.CH1EnableBits, "0000");
    EXPECT_EQ(m.state.CH2EnableBits, "0000");
    EXPECT_EQ(m.state.FastChannelBits, "00");
    EXPECT_FALSE(m.CH1Button->value());
    EXPECT_FALSE(m.CH2Button->value());
    EXPECT_EQ(m.global.ActiveChannel, Variant(0));
    EXPECT_EQ(m.CWKnob2->position(), 1);
    EXPECT_EQ(m.CWKnob2->positionLabel(1), "50us");
    EXPECT_EQ(m.state.TimebaseCode, "00010");
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_TRUE(m.CWButton3->value());
    EXPECT_EQ(m.PeriodVAL->text(), "100mV");
    EXPECT_EQ(m.PeriodVAL2->text(), "100mV");
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH1, 19.53125);
    EXPECT_DOUBLE_EQ(m.state.PlotScaleCH2, 19.53125);
    EXPECT_EQ(m.state.XAxisMin, Variant(500));
    EXPECT_EQ(m.state.XAxisMax, Variant(1000));
    EXPECT_EQ(m.state.XAxisMin2, Variant(1250));
    EXPECT_EQ(m.state.XAxisMax2, Variant(1750));
    EXPECT_TRUE(m.state.FramePlotted);
}

TEST_F(StartUp, FlagsGainsAndCalibration)
{
    Main& m = load();
    EXPECT_TRUE(m.global.NoATTHardware);
    EXPECT_TRUE(m.global.ShowHardwareCheck);
    EXPECT_TRUE(m.global.ShowRefTip);
    EXPECT_EQ(m.state.MouseAction, "0");
    EXPECT_EQ(m.global.ATTFactorCH1, 1.0f);
    EXPECT_EQ(m.global.ATTFactorCH2, 1.0f);
    EXPECT_EQ(m.state.GainLo, 1.0f);
    EXPECT_EQ(m.state.GainHi, 1.0f);
    EXPECT_EQ(m.state.GainLoRev2, 1.0f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(m.state.GainHiRev2), 0x3F82EEA6u);
    for (const Variant* v : {&m.state.CalOffsetCH1Lo, &m.state.CalOffsetCH1Hi,
                             &m.state.CalOffsetCH2Lo, &m.state.CalOffsetCH2Hi})
        EXPECT_EQ(*v, Variant(0));
    EXPECT_TRUE(m.global.FirstRun.toBoolean());
    // No instrument identified: the model gains are 0, and so the channel gains.
    EXPECT_EQ(m.global.GainCH1, 0.0f);
    EXPECT_EQ(m.global.GainCH2, 0.0f);
    EXPECT_EQ(QString::fromStdString(m.state.FilePath), path("R7S.ast"));
}

TEST_F(StartUp, CursorsAndColours)
{
    Main& m = load();
    CwGraph& g = *m.CWGraph1;
    EXPECT_EQ(g.cursorNames(), QStringList({"A", "B", "T"}));
    EXPECT_EQ(g.cursorColor("A"), 0x0000FF);
    EXPECT_EQ(g.cursorColor("B"), 0xFF0000);
    EXPECT_EQ(g.cursorColor("T"), 0xFF0000);
    EXPECT_EQ(g.cursorCrosshairStyle("T"), CwGraph::CrosshairHorizontal);
    for (const char* c : {"A", "B", "T"})
        EXPECT_FALSE(g.cursorVisible(c)) << c;
    EXPECT_EQ(g.cursorSnapMode("A"), CwGraph::SnapFloating);
    EXPECT_EQ(g.cursorSnapMode("B"), CwGraph::SnapFloating);
    EXPECT_EQ(g.trackMode(), CwGraph::TrackDragCursors);
    // The mouse-action slide shows the cursor dragging from the first moment.
    EXPECT_EQ(m.CWSlide7->position(), 3);
    EXPECT_FALSE(m.state.IsZoomed);
    for (CwButton* b : {m.CWButton5, m.CWButton24, m.btnAPOS})
        EXPECT_EQ(b->offColor(), 0x0000FF) << b->objectName().toStdString();
    for (CwButton* b : {m.CWButton6, m.CWButton23, m.btnBPOS})
        EXPECT_EQ(b->offColor(), 0xFF0000) << b->objectName().toStdString();
    EXPECT_EQ(g.plotColor("PCH1"), 0xFF0000);
    EXPECT_EQ(g.plotColor("PCH2"), 0x0000FF);
    EXPECT_EQ(m.CH1Button->offColor(), 0xFF0000);
    EXPECT_EQ(m.CH2Button->offColor(), 0x0000FF);
    EXPECT_FALSE(g.plotVisible("PCH1"));
    EXPECT_FALSE(g.plotVisible("PCH2"));
    EXPECT_EQ(g.plotNames(), QStringList({"PCH1", "PCH2", "PREF1"}));
}

TEST_F(StartUp, ComListShowsPortTen)
{
    Main& m = load();
    EXPECT_EQ(m.COMCombo->count(), 256);
    EXPECT_EQ(m.COMCombo->itemText(0), "1");
    EXPECT_EQ(m.COMCombo->itemText(255), "256");
    EXPECT_EQ(m.COMCombo->currentIndex(), 9);
    EXPECT_EQ(m.COMCombo->currentText(), "10");
    EXPECT_EQ(serial().PortNumber(), 10);
}

TEST_F(StartUp, ComListSelectionSetsThePort)
{
    Main& m = load();
    m.COMCombo->setCurrentIndex(11);
    EXPECT_EQ(serial().PortNumber(), 12);
}

TEST_F(StartUp, WithoutAutosaveFileOptionsShownAndLinkWatchOn)
{
    Main& m = load();
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_TRUE(m.CheckCOM->enabled());
    EXPECT_FALSE(m.Timer1->enabled());
    EXPECT_FALSE(m.TriggerTimer->enabled());
}

TEST_F(StartUp, EndsWithSplashShownAndMainHidden)
{
    Main& m = load();
    EXPECT_FALSE(m.isVisible());
    ASSERT_TRUE(m.splashLoaded());
    EXPECT_TRUE(m.frmSplash().isVisible());
    EXPECT_EQ(m.frmSplash().lblVersion->text(), "Version 4.0.0");
}

TEST_F(StartUp, PopupCursorActionMarksAgreeWithTheSlide)
{
    Main& m = load();
    EXPECT_EQ(m.CWSlide2->position(), 2);
    EXPECT_FALSE(m.mnuPOPCSnap->isChecked());
    EXPECT_TRUE(m.mnuPOPCFloat->isChecked());
}

// Skin images come from Graphics/100P at a text height of 16, else from Graphics/125P.
struct SkinCase
{
    int textHeight;
    const char* folder;
};

// Names the case in test listings and failure messages.
void PrintTo(const SkinCase& c, std::ostream* os)
{
    *os << "text height " << c.textHeight << " -> " << c.folder;
}

class Skin : public MainFixture, public ::testing::WithParamInterface<SkinCase>
{
  protected:
    // No instrument answers, so start-up asks no first-run calibration question.
    void SetUp() override { instrument().faults().silence = true; }
};

TEST_P(Skin, ImagesFromTheFolderOfTheTextHeight)
{
    const SkinCase c = GetParam();
    const QString other = QString::fromLatin1(c.folder) == "100P" ? "125P" : "100P";
    for (const QString& f : {QString::fromLatin1(c.folder), other}) {
        QDir().mkpath(path("Graphics/" + f));
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(f == other ? Qt::red : Qt::green);
        ASSERT_TRUE(img.save(path("Graphics/" + f + "/Display.jpg"), "JPG"));
    }
    systemInfo().textHeight = c.textHeight;
    Main& m = load();
    EXPECT_EQ(m.IsLargeFonts(), c.textHeight != 16);
    EXPECT_TRUE(m.skinPath().endsWith(QString::fromLatin1(c.folder)));
    const QImage shown = m.Picture4->picture();
    ASSERT_FALSE(shown.isNull());
    EXPECT_GT(QColor(shown.pixel(4, 4)).green(), 200);
    // The others were missing: their drawn faces stay.
    EXPECT_TRUE(m.picCursor->picture().isNull());
}

INSTANTIATE_TEST_SUITE_P(TextHeights, Skin,
                         ::testing::Values(SkinCase{16, "100P"}, SkinCase{20, "125P"},
                                           SkinCase{15, "125P"}));

TEST_F(StartUp, MissingSkinFolderStillCompletes)
{
    Main& m = load();
    EXPECT_TRUE(m.Picture4->picture().isNull());
    EXPECT_EQ(m.COMCombo->currentText(), "10"); // later steps ran
}

// A skin picture that is a pipe nobody writes to, or whose header claims a huge picture, is a
// missing one: start-up neither waits for it nor decodes it, and the drawn face stays.
TEST_F(StartUp, PipeOrHugeSkinPictureCountsAsMissing)
{
    const QString skin = path(QStringLiteral("Graphics/100P/"));
    QDir().mkpath(skin);
    for (const char* name : {"Splash_R7T.jpg", "Display.jpg"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(skin + QLatin1String(name)).constData(), 0600), 0);
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::green);
    ASSERT_TRUE(small.save(skin + QStringLiteral("Cursors.bmp"), "BMP"));
    QFile huge(skin + QStringLiteral("Cursors.bmp"));
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
    QByteArray header = huge.read(26);
    const char side[4] = {char(0xD8), char(0x59), 0, 0}; // 23000
    header.replace(18, 4, side, 4).replace(22, 4, side, 4);
    huge.seek(0);
    huge.write(header);
    huge.close();
    ASSERT_TRUE(
        QFile::rename(skin + QStringLiteral("Cursors.bmp"), skin + QStringLiteral("Cursors.jpg")));
    systemInfo().textHeight = 16;
    Main& m = load();
    EXPECT_TRUE(m.frmSplash().Picture1->picture().isNull());
    EXPECT_TRUE(m.Picture4->picture().isNull());
    EXPECT_TRUE(m.picCursor->picture().isNull());
    EXPECT_EQ(m.COMCombo->currentText(), "10"); // later steps ran
}

// Splash window.
TEST_F(StartUp, ClickOnSplashShowsMainAndKeepsLinkWatchWhileOptionsVisible)
{
    Main& m = load();
    SplashWindow& splash = m.frmSplash();
    QTest::mouseClick(splash.Label1, Qt::LeftButton);
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.CheckCOM->enabled());
}

TEST_F(StartUp, ClosingSplashStopsLinkWatchWhenOptionsHidden)
{
    Main& m = load();
    m.Options->setVisible(false);
    m.frmSplash().CloseSplash();
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(m.CheckCOM->enabled());
}

TEST_F(StartUp, SplashClosesOnACharacterKeyOnly)
{
    Main& m = load();
    QTest::keyClick(&m.frmSplash(), Qt::Key_Left);
    EXPECT_TRUE(m.splashLoaded());
    QTest::keyClick(&m.frmSplash(), Qt::Key_A);
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

TEST_F(StartUp, SplashTimerClosesIt)
{
    Main& m = load();
    m.frmSplash().SplashTime->fire();
    EXPECT_FALSE(m.splashLoaded());
    EXPECT_TRUE(m.isVisible());
}

TEST_F(StartUp, ModalDialogHoldsOffTimerHandlers)
{
    Main& m = load();
    {
        ModalGuard modal;
        EXPECT_TRUE(m.modalOpen());
        m.frmSplash().SplashTime->fire();
        EXPECT_TRUE(m.splashLoaded());
    }
    EXPECT_FALSE(m.modalOpen());
    m.frmSplash().SplashTime->fire();
    EXPECT_FALSE(m.splashLoaded());
}

} // namespace
} // namespace kv::test
