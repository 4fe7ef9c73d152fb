#include "controls/mouse_helpers.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "files/files_fixture.h"
#include "files/reference_tip_dialog.h"
#include "files/reference_waveforms.h"
#include "link/acquisition.h"
#include "platform/rules/runtime_rules.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

namespace kv::test {
namespace {

using ::testing::_;
using ::testing::ElementsAre;

const QDateTime When(QDate(2024, 3, 5), QTime(14, 7, 9));

// The first `n` lines of a file: the header lines and the samples that follow them.
std::vector<std::string> head(const std::vector<std::string>& lines, std::size_t n)
{
    return {lines.begin(), lines.begin() + std::ptrdiff_t(std::min(n, lines.size()))};
}

TEST(ReferenceFormat, LayoutByTimebaseAndShownTraces)
{
    EXPECT_EQ(ChooseReferenceLayout(1, true), ReferenceLayout::Doubled750);
    EXPECT_EQ(ChooseReferenceLayout(1, false), ReferenceLayout::SingleChannel);
    for (int p = 2; p <= 14; ++p) {
        EXPECT_EQ(ChooseReferenceLayout(p, true), ReferenceLayout::TwoChannel);
        EXPECT_EQ(ChooseReferenceLayout(p, false), ReferenceLayout::TwoChannel);
    }
}

TEST(ReferenceFormat, TimeDivTexts)
{
    const char* expected[] = {"50uS", "100uS", "200uS", "500uS", "1mS",   "2mS",   "5mS",
                              "10mS", "20mS",  "50mS",  "100mS", "200mS", "500mS", "1S"};
    for (int p = 1; p <= 14; ++p)
        EXPECT_EQ(ReferenceTimeDivText(p), expected[p - 1]);
    EXPECT_EQ(ReferenceTimeDivText(0), "");
    EXPECT_EQ(ReferenceTimeDivText(15), "");
}

TEST(ReferenceFormat, TracesOfTheThreeLayouts)
{
    auto samples = std::make_unique<SampleArrays>();
    for (int i = 0; i < SampleArrays::Length; ++i) {
        samples->TraceCH1[std::size_t(i)] = i;
        samples->TraceCH2[std::size_t(i)] = -i;
    }
    for (int i = 0; i < SampleArrays::FastLength; ++i) {
        samples->Trace750CH1[std::size_t(i)] = 0.5 * i;
        samples->Trace750CH2[std::size_t(i)] = 1000 + i;
    }
    const auto doubled = ReferenceTrace(2, ReferenceLayout::Doubled750, *samples);
    ASSERT_EQ(doubled.size(), 1500u);
    EXPECT_EQ(doubled[0], 1000);
    EXPECT_EQ(doubled[1], 1000);
    EXPECT_EQ(doubled[2], 1001);
    EXPECT_EQ(doubled[1499], 1749);
    const auto single = ReferenceTrace(2, ReferenceLayout::SingleChannel, *samples);
    EXPECT_EQ(single[7], 7); // channel 2's file takes the CH1 arrays
    const auto two = ReferenceTrace(2, ReferenceLayout::TwoChannel, *samples);
    EXPECT_EQ(two[7], -7);
    EXPECT_EQ(ReferenceTrace(1, ReferenceLayout::TwoChannel, *samples)[7], 7);
}

TEST(ReferenceFormat, FileLines)
{
    ReferenceWaveform w;
    w.voltsDiv = "100mV";
    w.timeDiv = "50uS";
    w.verticalPosition = -25.0f;
    w.plotScale = 19.53125;
    w.dualChannel = true;
    w.samples.assign(1500, 0.0);
    w.samples[0] = 60.5;
    w.samples[1] = -0.25;
    const QLocale c(QLocale::C);
    const auto lines = crlfLines(ReferenceFileText(w, When, c));
    ASSERT_EQ(lines.size(), 1508u);
    EXPECT_THAT(head(lines, 8), ElementsAre("\"100mV\"", "\"50uS\"", "-25", "19.53125", "#TRUE#",
                                            "60.5", "-0.25", "0"));
    const auto trailer = TimeStampTrailer(When, c);
    EXPECT_EQ(lines[1505], ",,,\"Time Stamp\"");
    EXPECT_EQ(lines[1506], trailer[1]);
    EXPECT_EQ(lines[1507], trailer[2]);
    w.dualChannel = false;
    EXPECT_EQ(crlfLines(ReferenceFileText(w, When, c))[4], "#FALSE#");
}

// ---- Through the window
// --------------------------------------------------------------------------

class Reference : public MainFixture
{
  protected:
    Main& start()
    {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        Main& m = load();
        dialogs().clear();
        m.referenceWaveforms->setClock([] { return When; });
        for (int i = 0; i < SampleArrays::Length; ++i) {
            m.global.Samples.TraceCH1[std::size_t(i)] = i;
            m.global.Samples.TraceCH2[std::size_t(i)] = 2000 + i;
        }
        for (int i = 0; i < SampleArrays::FastLength; ++i) {
            m.global.Samples.Trace750CH1[std::size_t(i)] = 0.5 * i;
            m.global.Samples.Trace750CH2[std::size_t(i)] = 1000 + i;
        }
        m.state.VdivIndexCH1 = 2;
        m.state.VdivIndexCH2 = 5;
        m.PeriodVAL->setText(QStringLiteral("200mV"));
        m.PeriodVAL2->setText(QStringLiteral("2V"));
        m.state.FrameVPosCH1 = 10;
        m.state.FrameVPosCH2 = -40;
        m.state.PlotScaleCH1 = 19.53125;
        m.state.PlotScaleCH2 = 3.90625;
        return m;
    }
    void show(bool ch1, bool ch2)
    {
        main().CWGraph1->setPlotVisible(QStringLiteral("PCH1"), ch1);
        main().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), ch2);
    }
    // A reference file: header lines and 1500 samples of `sample`.
    static std::vector<std::string> file(const std::string& sample = "60.5")
    {
        std::vector<std::string> lines = {"\"100mV\"", "\"1mS\"", "50", "2", "#FALSE#"};
        lines.insert(lines.end(), 1500, sample);
        lines.insert(lines.end(), {",,,\"Time Stamp\"", ",,,\"1/1/24\"", ",,,\"1:00:00 PM\""});
        return lines;
    }
    void loadFile(const std::vector<std::string>& lines)
    {
        writeAll(path("r.rfw"), joinCrlf(lines));
        main().state.FilePath = path("r.rfw").toStdString();
        main().referenceWaveforms->LoadREFFile();
    }
};

TEST_F(Reference, ChannelTwoAtTheFastestTimebaseWithBothShownIsDoubled)
{
    Main& m = start();
    show(true, true);
    ASSERT_EQ(m.CWKnob2->position(), 1);
    dialogs().answerSave(path("ch2.rfw")).answer(MsgResult::OK);
    m.SaveREFCH2->setValue(true);
    const auto& save = dialogs().at(0);
    EXPECT_EQ(save.title, QStringLiteral("Save CH2 Oscilloscope Reference Waveform As"));
    EXPECT_EQ(save.file.filter, QStringLiteral("Oscilloscope Reference Waveform (*.rfw)|*.rfw"));
    EXPECT_EQ(save.file.flags, 4);
    const auto& done = dialogs().at(1);
    EXPECT_EQ(done.text, QStringLiteral("Oscilloscope Reference Waveform file created at "
                                        "location: \r\n") +
                             path("ch2.rfw"));
    EXPECT_EQ(done.title, QStringLiteral("Text Class"));
    EXPECT_EQ(done.icon, MsgIcon::Information);
    const auto lines = crlfLines(readAll(path("ch2.rfw")));
    ASSERT_EQ(lines.size(), 1508u);
    EXPECT_THAT(head(lines, 8), ElementsAre("\"2V\"", "\"50uS\"", "-40", "3.90625", "#TRUE#",
                                            "1000", "1000", "1001"));
    EXPECT_EQ(lines[1504], "1749");
    EXPECT_TRUE(m.state.REFDualChannel);
    EXPECT_FALSE(m.SaveREFCH2->value());
}

TEST_F(Reference, ChannelTwoAloneAtTheFastestTimebaseTakesTheChannelOneArrays)
{
    Main& m = start();
    show(false, true);
    m.state.REFDualChannel = true;
    dialogs().answerSave(path("ch2.rfw")).answer(MsgResult::OK);
    m.SaveREFCH2->setValue(true);
    const auto lines = crlfLines(readAll(path("ch2.rfw")));
    ASSERT_EQ(lines.size(), 1508u);
    EXPECT_THAT(head(lines, 5), ElementsAre("\"2V\"", _, "-40", "3.90625", "#FALSE#"));
    EXPECT_EQ(lines[5 + 7], "7");
    EXPECT_FALSE(m.state.REFDualChannel);
}

TEST_F(Reference, SaveWhileThePlotIsHiddenDoesNothing)
{
    Main& m = start();
    show(true, false);
    m.SaveREFCH2->setValue(true);
    EXPECT_TRUE(dialogs().requests().empty());
}

TEST_F(Reference, OverwriteAnsweredNoWritesNothing)
{
    Main& m = start();
    show(true, false);
    writeAll(path("old.rfw"), "old");
    dialogs().answerSave(path("old.rfw")).answer(MsgResult::No);
    m.SaveREFCH1->setValue(true);
    EXPECT_EQ(dialogs().last().text, QStringLiteral("Do you want to overright it?"));
    EXPECT_EQ(readAll(path("old.rfw")), "old");
}

TEST_F(Reference, FailedSaveSaysSoInsteadOfTheSuccessMessage)
{
    Main& m = start();
    show(true, false);
    const QString target = path(QStringLiteral("missing/ch1.rfw"));
    dialogs().answerSave(target).answer(MsgResult::OK);
    m.SaveREFCH1->setValue(true);
    const auto& message = dialogs().last();
    EXPECT_TRUE(message.text.contains(target));
    EXPECT_FALSE(message.text.contains(QStringLiteral("file created")));
    EXPECT_EQ(message.icon, MsgIcon::Critical);
}

TEST_F(Reference, FullDiskKeepsThePreviousReference)
{
    Main& m = start();
    show(true, false);
    writeAll(path("ch1.rfw"), joinCrlf(file()));
    const std::string before = readAll(path("ch1.rfw"));
    dialogs().answerSave(path("ch1.rfw")).answer(MsgResult::Yes).answer(MsgResult::OK);
    {
        FileSizeLimit limit(1000);
        m.SaveREFCH1->setValue(true);
    }
    EXPECT_EQ(dialogs().last().icon, MsgIcon::Critical);
    EXPECT_EQ(readAll(path("ch1.rfw")), before);
    EXPECT_EQ(entriesOf(folder()), QStringList{QStringLiteral("ch1.rfw")});
}

TEST_F(Reference, LoadConvertsBackToCountsAndShowsTheLabels)
{
    Main& m = start();
    loadFile(file());
    EXPECT_DOUBLE_EQ(m.state.REFCounts[0], 5.25); // (60.5 - 50) / 2
    EXPECT_DOUBLE_EQ(m.state.REFCounts[1499], 5.25);
    EXPECT_EQ(m.lblVREF->text(), QStringLiteral("100mV"));
    EXPECT_EQ(m.lblHREF->text(), QStringLiteral("1mS"));
    EXPECT_TRUE(Visible(m.lblVREF));
    EXPECT_FALSE(m.state.REFDualChannel);
    const auto plotted = m.CWGraph1->plotYData(QStringLiteral("PREF1"));
    ASSERT_EQ(plotted.size(), 1500);
    EXPECT_EQ(plotted[0], 60.5);
    EXPECT_FALSE(m.REF1Button->value());
}

TEST_F(Reference, ValuesAtTheEdgesOfWhatARecordHoldsLoad)
{
    struct Case
    {
        const char* position;
        const char* scale;
        const char* sample;
        double count;
    };
    const Case cases[] = {
        {"-200", "0.78125", "-100", 128},
        {"200", "19.53125", "-639780.46875", -32767}, // 200 - 32767 x 19.53125
        {"0", "0.1", "3276.7", 32767},
        {"0", "100", "-3276700", -32767},
    };
    Main& m = start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        auto lines = file(c.sample);
        lines[2] = c.position;
        lines[3] = c.scale;
        loadFile(lines);
        EXPECT_DOUBLE_EQ(m.state.REFCounts[700], c.count);
    }
}

TEST_F(Reference, SavedFileLoadsBack)
{
    Main& m = start();
    show(true, false);
    m.CWKnob2->setPosition(3);
    dialogs().answerSave(path("ch1.rfw")).answer(MsgResult::OK);
    m.SaveREFCH1->setValue(true);
    m.state.FilePath = path("ch1.rfw").toStdString();
    m.referenceWaveforms->LoadREFFile();
    EXPECT_EQ(m.lblVREF->text(), m.PeriodVAL->text());
    EXPECT_EQ(m.lblHREF->text(), QStringLiteral("200uS"));
    EXPECT_DOUBLE_EQ(m.state.REFCounts[30], (m.global.Samples.TraceCH1[30] - 10) / 19.53125);
}

TEST_F(Reference, BadFilesAreRefusedWithTheButtonOff)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> lines;
        int line; // the line the message names
    };
    // A good file with one line changed.
    struct Change
    {
        const char* name;
        std::size_t index; // of the line changed, from 0
        std::string value;
        int line; // the line the message names
    };
    const Change changes[] = {
        {"text sample", 700, "sixty", 701},
        {"NaN sample", 700, "NaN", 701},
        {"zero scale", 3, "0", 4},
        {"flag", 4, "#MAYBE#", 5},
        {"one-character label", 0, "x", 1},
        // Values no record holds: the read-outs and the trace would show nonsense.
        {"sample 1E+300", 9, "1E+300", 10},
        {"sample beyond the counts", 1204, "65584.5", 1205}, // (65584.5 - 50) / 2 = 32767.25 counts
        {"scale 1E-300", 3, "1E-300", 4},
        {"scale 1E+300", 3, "1E+300", 4},
        {"position off the slide", 2, "-200.5", 3},
        {"long line", 20, std::string(100000, '5'), 21},
    };
    auto shortFile = file();
    shortFile.resize(100);
    std::vector<Case> cases = {{"short", shortFile, 101}};
    for (const Change& c : changes) {
        auto lines = file();
        lines[c.index] = c.value;
        cases.push_back({c.name, lines, c.line});
    }
    cases.push_back({"empty", {}, 1});
    Main& m = start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m.state.REFCounts[0] = 1234;
        m.lblVREF->setText(QStringLiteral("before"));
        m.REF1Button->setValue(true);
        dialogs().answer(MsgResult::OK);
        loadFile(c.lines);
        EXPECT_FALSE(m.REF1Button->value());
        EXPECT_EQ(m.state.REFCounts[0], 1234);
        EXPECT_EQ(m.lblVREF->text(), QStringLiteral("before"));
        EXPECT_TRUE(dialogs().last().text.contains(QStringLiteral("ine %1").arg(c.line)))
            << dialogs().last().text.toStdString();
    }
    // Binary garbage, a folder, a device: nothing read, nothing broken.
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += char((i * 31) % 256);
    writeAll(path("g.rfw"), garbage);
    QDir().mkdir(path("d.rfw"));
    for (const QString& p : {path("g.rfw"), path("d.rfw"), QStringLiteral("/dev/zero")}) {
        m.state.FilePath = p.toStdString();
        dialogs().answer(MsgResult::OK);
        EXPECT_FALSE(m.referenceWaveforms->LoadREFFile());
        EXPECT_EQ(m.state.REFCounts[0], 1234);
    }
}

// The volts of a read-out such as "998mV", "1.01 V" or "-3 V".
double voltsOf(const QString& text)
{
    const bool milli = text.endsWith(QStringLiteral("mV"));
    QString number = text;
    number.remove(QStringLiteral("mV")).remove(QStringLiteral("V"));
    return number.trimmed().toDouble() * (milli ? 0.001 : 1.0);
}

// A reference of a 1 V sine saved while the view is zoomed (by a drag on the graph) or
// autoscaled (by a click on the Autoscale button) keeps the channel's volts/div and measures
// 1 V when loaded.
class ReferenceOfAChangedView : public Reference
{
  protected:
    void saveAndMeasure(bool autoscale)
    {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        Main& m = load();
        dialogs().clear();
        instrument().setHonourChannelEnable(false);
        instrument().setSignal(1, {SimWaveform::Sine, 2000.0, 1.0, 0.0});
        m.global.ModelGainLo = m.global.ModelGainHi = 1.0f;
        m.global.ATTFactorCH1 = m.global.ATTFactorCH2 = 1.0f;
        m.state.CalOffsetCH1Hi = 0;
        m.state.VPosCH1 = 0;
        m.CH1Button->setValue(true);
        show(true, false);
        m.CWKnob2->setPosition(5);
        m.CWKnob1->setPosition(4);
        ASSERT_EQ(m.PeriodVAL->text(), QStringLiteral("1V"));
        m.CWButton4->setValue(true); // single
        m.CWButton1->setValue(true);
        m.acquisition->Timer1_Timer();
        ASSERT_NEAR(voltsOf(m.Max1->text()), 1.0, 0.05) << m.Max1->text().toStdString();

        if (autoscale) {
            QTest::mouseClick(m.Autoscale, Qt::LeftButton);
            ASSERT_EQ(m.PeriodVAL->text(), QStringLiteral("Autoscale"));
        } else {
            m.CWSlide7->setPosition(1);
            const CwGraph* g = m.CWGraph1;
            drag(g->plotArea(), g->plotAreaPoint(600, -100), g->plotAreaPoint(800, 100));
            ASSERT_EQ(m.PeriodVAL->text(), QStringLiteral("Zoomed"));
        }
        // The cursor read-outs of the changed view set the reference volts per count.
        m.cursors->Cursor();

        dialogs().answerSave(path("view.rfw")).answer(MsgResult::OK);
        m.SaveREFCH1->setValue(true);
        const QStringList lines =
            QString::fromLatin1(fileBytes(path("view.rfw"))).split(QStringLiteral("\r\n"));
        ASSERT_GT(lines.size(), 5);
        EXPECT_EQ(lines[0], QStringLiteral("\"1V\""));

        m.state.FilePath = path("view.rfw").toStdString();
        m.referenceWaveforms->LoadREFFile();
        EXPECT_EQ(m.lblVREF->text(), QStringLiteral("1V"));
        m.REF1Button->setValue(true);
        m.readOuts->UpdateReadouts();
        EXPECT_NEAR(voltsOf(m.lblMAX->text()), 1.0, 0.05) << m.lblMAX->text().toStdString();
        EXPECT_NEAR(voltsOf(m.lblMIN->text()), -1.0, 0.05) << m.lblMIN->text().toStdString();
    }
};

TEST_F(ReferenceOfAChangedView, SavedWhileZoomedKeepsTheVoltsPerDivision)
{
    saveAndMeasure(false);
}

TEST_F(ReferenceOfAChangedView, SavedWhileAutoscaledKeepsTheVoltsPerDivision)
{
    saveAndMeasure(true);
}

TEST_F(Reference, ClickSelectsTheReferenceAndShowsTheTipUntilDeclined)
{
    Main& m = start();
    m.global.ShowRefTip = true;
    m.LED1->setValue(true);
    m.REF1Button->setValue(true);
    EXPECT_EQ(m.global.ActiveChannel, Variant(5));
    EXPECT_TRUE(m.LED5->value());
    EXPECT_EQ(m.LED5->onColor(), 65280);
    EXPECT_EQ(m.LED1->onColor(), 65535);
    EXPECT_FALSE(m.REF1Button->value());
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_FALSE(m.CWKnob2->isEnabled());
    EXPECT_EQ(m.CHDISP->offText(), QStringLiteral("REF"));
    EXPECT_EQ(m.CHDISP->offColor(), 49152);
    EXPECT_TRUE(m.CWGraph1->plotVisible(QStringLiteral("PREF1")));
    frmREFnag* tip = m.referenceWaveforms->tipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->windowTitle(), QStringLiteral("Did you know?"));
    EXPECT_FALSE(tip->isModal());
    tip->Check1->setChecked(true);
    tip->Command1->click();
    EXPECT_FALSE(m.global.ShowRefTip);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m.referenceWaveforms->tipWindow(), nullptr);
    m.REF1Button->setValue(true);
    EXPECT_EQ(m.referenceWaveforms->tipWindow(), nullptr);
}

TEST_F(Reference, OkWithoutTheTickKeepsTheTip)
{
    Main& m = start();
    m.global.ShowRefTip = true;
    m.REF1Button->setValue(true);
    m.referenceWaveforms->tipWindow()->Command1->click();
    EXPECT_TRUE(m.global.ShowRefTip);
}

TEST_F(Reference, DoubleClickLoadsAfterTheOpenDialog)
{
    Main& m = start();
    writeAll(path("pick.rfw"), joinCrlf(file("52")));
    dialogs().answerOpen(path("pick.rfw"));
    Q_EMIT m.REF1Button->doubleClicked();
    EXPECT_EQ(dialogs().last().title, QStringLiteral("Open Oscilloscope Reference Waveform"));
    EXPECT_DOUBLE_EQ(m.state.REFCounts[5], 1.0);
    dialogs().answerOpen(std::nullopt);
    Q_EMIT m.REF1Button->doubleClicked();
    EXPECT_DOUBLE_EQ(m.state.REFCounts[5], 1.0);
}

} // namespace
} // namespace kv::test
