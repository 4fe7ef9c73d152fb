#include "app/shutdown.h"
#include "controls/mouse_helpers.h"
#include "files/files_fixture.h"
#include "files/settings_file.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <functional>
#include <sys/stat.h>

namespace kv::test {
namespace {

// The file written right after a first start with no autosave file.
const std::vector<std::string> StartUpFile = {
    "00",    " 1 ",    "11",         "Rising",     "CH1",    "11",    "True",  "True",
    " 127 ", " 127 ",  "False",      "0",          "0",      " 1 ",   " 1 ",   " 0.1 ",
    " 0.1 ", " 0.1 ",  " 0.1 ",      "0000",       "0000",   "False", "False", "00",
    "True",  " 1000 ", " 500 ",      " 1750 ",     " 1250 ", " 2 ",   " 0 ",   " 1 ",
    "00010", " 1 ",    " 19.53125 ", " 19.53125 ", " 0 ",    " 0 ",   " 0 ",   " 0 ",
    " 750 ", " 255 ",  " 16711680 ", "100mV",      "100mV",  " 9 ",   " 240 ", " 5 ",
    " 239 ", " 3 ",    " 2 ",        "False",      " 0 ",    " 0 ",   " 0 ",   " 0 ",
    "True",  "True",   " 20 ",       " 20 ",       " 1 ",    " 1 ",   " 1 ",   " 1.022908 ",
};

// The same file saved after it was loaded: the trigger level handler recomputes line 9 from the
// pointers.
std::vector<std::string> loadedFile()
{
    auto file = StartUpFile;
    file[9 - 1] = " 127.5 ";
    return file;
}

// ---- Format ------------------------------------------------------------------------------------

TEST(SettingsFormat, ValuesInThePrintForms)
{
    struct Case
    {
        StatementItem item;
        char separator;
        std::string line;
    };
    const Case cases[] = {
        {1, '.', " 1 "},
        {-3, '.', "-3 "},
        {255, '.', " 255 "},
        {true, '.', "True"},
        {false, '.', "False"},
        {std::string("Rising"), '.', "Rising"},
        {std::string("0001"), '.', "0001"},
        {1.0196081f, '.', " 1.019608 "},
        {1.0229079723358154f, '.', " 1.022908 "},
        {19.53125, '.', " 19.53125 "},
        {0.1, ',', " 0,1 "},
        {Variant(std::string("  99 ")), '.', "  99 "}, // a text kept as read
        {Variant(), '.', ""},
    };
    for (const Case& c : cases) {
        SettingsValues values;
        values[0] = c.item;
        const std::string text = SettingsFileText(values, c.separator);
        const auto lines = crlfLines(text);
        ASSERT_EQ(lines.size(), 64u);
        EXPECT_EQ(lines[0], c.line);
    }
}

TEST(SettingsFormat, ReaderHoldsTheLinesItRead)
{
    const auto numbered = [](int count, const char* end) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += std::to_string(i) + end;
        return text;
    };
    struct Case
    {
        const char* name;
        std::string text;
        int count;
        bool complete;
        int longLine = 0;
    };
    const Case cases[] = {
        {"64 lines", numbered(64, "\r\n"), 64, true},
        {"older 58 lines", numbered(58, "\r\n"), 58, true},
        {"57 lines", numbered(57, "\r\n"), 57, false},
        {"more than 64: line 65 on is not read", numbered(70, "\r\n"), 64, true},
        {"an over-long line 65 is not read", numbered(64, "\r\n") + std::string(5000, 'x') + "\r\n",
         64, true},
        {"byte-order mark before line 1", "\xEF\xBB\xBF" + numbered(64, "\r\n"), 64, true},
        {"LF ends", numbered(64, "\n"), 64, true},
        {"CR ends", numbered(64, "\r"), 64, true},
        {"no end on the last line", numbered(57, "\r\n") + "58", 58, true},
        {"empty", "", 0, false},
        {"over-long line 30",
         numbered(29, "\r\n") + std::string(5000, 'x') + "\r\n" + numbered(34, "\r\n"), 29, false,
         30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsFileContent content = ParseSettingsFileText(c.text);
        EXPECT_EQ(content.count, c.count);
        EXPECT_EQ(content.complete, c.complete);
        EXPECT_EQ(content.longLine, c.longLine);
        if (c.count >= 1) {
            EXPECT_EQ(content.line(1), "1");
        }
        if (c.count < 64) {
            EXPECT_EQ(content.line(64), "");
        }
    }
}

TEST(SettingsFormat, EmptyLinesInsideTheFileCount)
{
    const SettingsFileContent content = ParseSettingsFileText("a\r\n\r\nc\r\n");
    EXPECT_EQ(content.count, 3);
    EXPECT_EQ(content.line(2), "");
    EXPECT_EQ(content.line(3), "c");
}

TEST(SettingsFormat, TheFieldStepStoresEachLineInItsOwnFieldAsRead)
{
    SettingsFileContent content;
    content.count = 64;
    for (int n = 1; n <= 64; ++n)
        content.lines[std::size_t(n - 1)] = "line " + std::to_string(n);
    ScopeState s;
    GlobalV g;
    StoreSettingsFields(content, s, g);
    struct Case
    {
        const char* field;
        std::string held;
        const char* line;
    };
    const Case cases[] = {
        {"TrigSourceBits", s.TrigSourceBits, "line 1"},
        {"TrigSlopeSaved", s.TrigSlopeSaved, "line 6"},
        {"TrigLevelCH1", s.TrigLevelCH1.toText(), "line 9"},
        {"TrigLevelCH2", s.TrigLevelCH2.toText(), "line 10"},
        {"CH2RangeBit", s.CH2RangeBit, "line 13"},
        {"VdivOldCH1", s.VdivOldCH1.toText(), "line 18"},
        {"CH2EnableBits", s.CH2EnableBits, "line 21"},
        {"XAxisMin2", s.XAxisMin2.toText(), "line 29"},
        {"ActiveChannel", g.ActiveChannel.toText(), "line 31"},
        {"VdivIndex", s.VdivIndex.toText(), "line 34"},
        {"TrigPosByte4", s.TrigPosByte4.toText(), "line 50"},
        {"FirstRun", g.FirstRun.toText(), "line 52"},
        {"CalOffsetCH2Lo", s.CalOffsetCH2Lo.toText(), "line 55"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.held, c.line) << c.field;
    EXPECT_TRUE(s.TrigLevelCH1.isText()) << "a Variant field holds the text as read";
    // The lines that the loader's steps convert and apply are not stored as read.
    EXPECT_EQ(s.PlotScaleCH1, 0.0);
    EXPECT_EQ(s.GainLo, 0.0f);
    EXPECT_FALSE(s.FramePlotted);
    EXPECT_FALSE(g.ShowRefTip);

    // Lines the file does not hold leave their fields as they were.
    content.count = 20;
    ScopeState shorter;
    StoreSettingsFields(content, shorter, g);
    EXPECT_EQ(shorter.CH1EnableBits, "line 20");
    EXPECT_EQ(shorter.CH2EnableBits, "");
    EXPECT_TRUE(shorter.TimebaseCode.empty());
}

TEST(AutosaveLocation, Rule)
{
    const QString p = QStringLiteral("/opt/kv/R7S.ast"), c = QStringLiteral("/cfg/R7S.ast");
    struct Case
    {
        bool writable, configExists;
        QString read, write;
    };
    const Case cases[] = {
        {true, false, p, p},
        {true, true, p, p},
        {false, false, p, c}, // first run from a read-only folder: its own file, if any
        {false, true, c, c},  // afterwards the configuration folder's file
    };
    for (const Case& k : cases) {
        const AutosavePaths paths = AutosaveRule(p, c, k.writable, k.configExists);
        EXPECT_EQ(paths.read, k.read);
        EXPECT_EQ(paths.write, k.write);
    }
}

// ---- Through the window
// --------------------------------------------------------------------------

class SettingsFixture : public MainFixture
{
  protected:
    // A first start without an autosave file; the calibration question is declined.
    Main& start()
    {
        dialogs().answer(MsgResult::No);
        return load();
    }
    // A start that finds `lines` as its autosave file.
    Main& startWith(const std::vector<std::string>& lines)
    {
        writeAll(path("R7S.ast"), joinCrlf(lines));
        return load();
    }
    std::vector<std::string> saveTo(const QString& name)
    {
        main().state.FilePath = path(name).toStdString();
        EXPECT_TRUE(main().settingsFile->SaveSettingsFile());
        return crlfLines(readAll(path(name)));
    }
    bool loadFrom(const QString& file)
    {
        main().state.FilePath = file.toStdString();
        return main().settingsFile->LoadSettingsFile();
    }
};

TEST_F(SettingsFixture, SaveAfterStartUpIsByteExact)
{
    start();
    const auto lines = saveTo(QStringLiteral("a.set"));
    ASSERT_EQ(lines.size(), StartUpFile.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], StartUpFile[i]) << "line " << i + 1;
}

TEST_F(SettingsFixture, SaveOfAChangedState)
{
    Main& m = start();
    m.CWButton5->setOffColor(65280);
    m.COMCombo->setCurrentIndex(2);
    m.global.ATTFactorCH1 = 1.5f;
    m.global.ATTFactorCH2 = 2.0f;
    m.state.GainHi = 1.0196081f;
    m.state.PlotScaleCH2 = 3.90625;
    m.state.VdivCH1 = Variant(0.5);
    m.state.CalOffsetCH1Lo = Variant(-3);
    m.global.ShowRefTip = false;
    m.CWButton4->setValue(true);
    auto expected = StartUpFile;
    expected[42 - 1] = " 65280 ";
    expected[46 - 1] = " 2 ";
    expected[59 - 1] = " 30 ";
    expected[60 - 1] = " 40 ";
    expected[62 - 1] = " 1.019608 ";
    expected[36 - 1] = " 3.90625 ";
    expected[16 - 1] = " 0.5 ";
    expected[53 - 1] = "-3 ";
    expected[57 - 1] = "False";
    expected[11 - 1] = "True";
    const auto lines = saveTo(QStringLiteral("b.set"));
    ASSERT_EQ(lines.size(), 64u);
    for (int line : {11, 16, 36, 42, 46, 53, 57, 59, 60, 62})
        EXPECT_EQ(lines[line - 1], expected[line - 1]) << "line " << line;
}

TEST_F(SettingsFixture, LoadThenSaveKeepsTextsAsReadAndCentresTheView)
{
    auto file = StartUpFile;
    file[41 - 1] = " 1234.5 ";
    file[16 - 1] = "0.5";
    file[28 - 1] = " 1750.0 ";
    file[53 - 1] = "  -3 ";
    startWith(file);
    EXPECT_EQ(main().CWSlide6->pointerValue(1), 750.0);
    const auto lines = saveTo(QStringLiteral("again.set"));
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[41 - 1], " 750 ");
    EXPECT_EQ(lines[16 - 1], "0.5");
    EXPECT_EQ(lines[28 - 1], " 1750.0 ");
    EXPECT_EQ(lines[53 - 1], "  -3 ");
    EXPECT_EQ(lines[52 - 1], "False");
}

TEST_F(SettingsFixture, AStartWithAnAutosaveFileDragsWhatTheMouseActionSlideShows)
{
    auto file = StartUpFile;
    file[30 - 1] = " 1 "; // snapping cursors, unlike the start-up's floating ones
    Main& m = startWith(file);
    CwGraph& g = *m.CWGraph1;
    // Start-up shows no cursor ("OFF"): the user picks a style that shows them first.
    QTest::mouseClick(m.GraphMode, Qt::LeftButton, Qt::NoModifier,
                      m.GraphMode->positionPoint(3).toPoint());
    ASSERT_EQ(m.GraphMode->position(), 3);
    ASSERT_EQ(m.CWSlide7->position(), 3);
    EXPECT_EQ(g.trackMode(), CwGraph::TrackDragCursors);
    g.setCursorSnapMode(QStringLiteral("A"), CwGraph::SnapFloating);
    g.setCursorVisible(QStringLiteral("A"), true);
    g.moveCursor(QStringLiteral("A"), 700, -100);
    test::drag(g.plotArea(), g.plotAreaPoint(700, -100), g.plotAreaPoint(800, 100));
    EXPECT_GT(g.cursorY(QStringLiteral("A")), 50); // the cursor came along
    EXPECT_DOUBLE_EQ(g.axisMinimum(CwGraph::XAxis), 500);
    EXPECT_DOUBLE_EQ(g.axisMaximum(CwGraph::XAxis), 1000);
    EXPECT_FALSE(m.state.IsZoomed);

    // Zoom chosen, then a file with floating cursors loaded: the next drag zooms all the same.
    m.CWSlide7->setPosition(1);
    writeAll(path("float.set"), joinCrlf(StartUpFile));
    loadFrom(path("float.set"));
    ASSERT_EQ(m.CWSlide2->position(), 2);
    ASSERT_EQ(m.CWSlide7->position(), 1);
    EXPECT_EQ(g.trackMode(), CwGraph::TrackZoom);
    test::drag(g.plotArea(), g.plotAreaPoint(700, -100), g.plotAreaPoint(800, 100));
    EXPECT_NEAR(g.axisMinimum(CwGraph::XAxis), 700, 5);
    EXPECT_TRUE(m.state.IsZoomed);
}

TEST_F(SettingsFixture, LoadedFileRoundTrips)
{
    startWith(StartUpFile);
    EXPECT_EQ(saveTo(QStringLiteral("c.set")), loadedFile());
    loadFrom(path("c.set"));
    EXPECT_EQ(saveTo(QStringLiteral("c2.set")), loadedFile());
}

TEST_F(SettingsFixture, OlderFileOf58LinesTakesTheDefaults)
{
    auto file = StartUpFile;
    file.resize(58);
    Main& m = startWith(file);
    EXPECT_EQ(m.state.GainLo, 1.0f);
    EXPECT_EQ(m.state.GainHi, 1.0f);
    EXPECT_EQ(m.state.GainLoRev2, 1.0f);
    EXPECT_EQ(m.state.GainHiRev2, 1.0196081f);
    EXPECT_EQ(m.global.ATTFactorCH1, 1.0f);
    EXPECT_EQ(m.global.ATTFactorCH2, 1.0f);
    const auto lines = saveTo(QStringLiteral("d.set"));
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[59 - 1], " 20 ");
    EXPECT_EQ(lines[64 - 1], " 1.019608 ");
}

TEST_F(SettingsFixture, GainLinesEachTakeTheirOwnDefault)
{
    auto file = StartUpFile;
    file[61 - 1] = "";
    file[62 - 1] = " 1.5 ";
    file[64 - 1] = "";
    Main& m = startWith(file);
    EXPECT_EQ(m.state.GainLo, 1.0f);
    EXPECT_EQ(m.state.GainHi, 1.5f);
    EXPECT_EQ(m.state.GainHiRev2, 1.0196081f);
}

TEST_F(SettingsFixture, AttenuationLines)
{
    struct Case
    {
        const char* line;
        float factor;
        int ledColor;
        bool on;
    };
    const Case cases[] = {
        {" 0 ", 1.0f, -1, false},    {"", 1.0f, -1, false},     {" 20 ", 1.0f, -1, false},
        {" 40 ", 2.0f, 65280, true}, {" 30 ", 1.5f, 255, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        QTemporaryDir folder;
        const QString file = QDir(folder.path()).filePath(QStringLiteral("att.set"));
        auto lines = StartUpFile;
        lines[59 - 1] = c.line;
        writeAll(file, joinCrlf(lines));
        writeAll(QDir(folder.path()).filePath(AutosaveFileName), joinCrlf(StartUpFile));
        Main m(servicesIn(folder.path()));
        m.Form_Load();
        const int before = m.LEDATT1->offColor();
        m.state.FilePath = file.toStdString();
        m.settingsFile->LoadSettingsFile();
        EXPECT_EQ(m.global.ATTFactorCH1, c.factor);
        EXPECT_EQ(m.global.ATTOnCH1, c.on);
        EXPECT_EQ(m.LEDATT1->offColor(), c.ledColor < 0 ? before : c.ledColor);
        EXPECT_EQ(m.LEDATT1b->offColor(), c.ledColor < 0 ? before : c.ledColor);
        if (c.factor == 1.5f) {
            EXPECT_EQ(m.Frame2->title(), QStringLiteral("X Volt Attenuation"));
            EXPECT_EQ(m.CH1ATT->onText(), QStringLiteral("30 Attenuation"));
            EXPECT_EQ(m.CH1ATT->offText(), QStringLiteral("30 Attenuation"));
            EXPECT_EQ(m.state.ATTValueCH1, 1.5f);
        } else {
            EXPECT_NE(m.Frame2->title(), QStringLiteral("X Volt Attenuation"));
            EXPECT_EQ(m.state.ATTValueCH1, 2.0f);
        }
    }
}

TEST_F(SettingsFixture, ExternalTriggerSource)
{
    auto file = StartUpFile;
    file[2 - 1] = " 3 ";
    Main& m = startWith(file);
    EXPECT_EQ(m.CWSlide5->position(), 3);
    EXPECT_FALSE(m.CWButton12->isEnabled());
    EXPECT_FALSE(m.Label20->isEnabled());
    EXPECT_TRUE(m.Label19->isEnabled());
    EXPECT_FALSE(m.CWGraph1->cursorVisible(QStringLiteral("T")));
    EXPECT_EQ(m.state.TrigSourceText, "TTL");
    EXPECT_EQ(m.state.HeaderBytes[1], "0");
    EXPECT_EQ(m.state.ExtTrigBit, 1);
}

TEST_F(SettingsFixture, BothChannelsOffLeavesNoChannelShown)
{
    Main& m = startWith(StartUpFile);
    EXPECT_FALSE(m.LED1->value());
    EXPECT_FALSE(m.LED2->value());
    EXPECT_FALSE(m.CWKnob1->isEnabled());
    EXPECT_FALSE(Visible(m.CHDISP));
}

TEST_F(SettingsFixture, ChannelOneOnAndSelected)
{
    auto file = StartUpFile;
    file[20 - 1] = "0001";
    file[31 - 1] = " 1 ";
    file[14 - 1] = " 6 ";
    file[44 - 1] = "2V";
    Main& m = startWith(file);
    EXPECT_TRUE(m.LED1->value());
    EXPECT_EQ(m.LED1->onColor(), 65280);
    EXPECT_FALSE(m.LED2->value());
    EXPECT_TRUE(m.CWGraph1->plotVisible(QStringLiteral("PCH1")));
    EXPECT_EQ(m.CHDISP->offText(), QStringLiteral("CH1"));
    EXPECT_EQ(m.CWGraph1->plotLineWidth(QStringLiteral("PCH1")), 2);
    EXPECT_EQ(m.PeriodVAL->text(), QStringLiteral("5V")); // by the index, over line 44
    EXPECT_EQ(m.state.CH1RangeBit, "1");
    EXPECT_TRUE(m.mnuC1->isChecked());
}

TEST_F(SettingsFixture, SaveWithTheReferenceSelectedMovesToALitChannel)
{
    Main& m = startWith(StartUpFile);
    m.global.ActiveChannel = Variant(5);
    m.LED5->setValue(true);
    m.LED2->setValue(true);
    m.CWKnob2->setEnabled(false);
    const auto lines = saveTo(QStringLiteral("ref.set"));
    EXPECT_EQ(lines[31 - 1], " 2 ");
    EXPECT_EQ(m.global.ActiveChannel, Variant(2));
    EXPECT_FALSE(m.LED5->value());
    EXPECT_TRUE(m.CWKnob2->isEnabled());
    EXPECT_EQ(m.LED2->onColor(), 65280);
}

TEST_F(SettingsFixture, MissingAutosaveFileShowsOptionsAndStartsThePortSearch)
{
    Main& m = start();
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_TRUE(m.CheckCOM->enabled());
}

// ---- Bad input ---------------------------------------------------------------------------------

// A file whose steps leave distinct marks, in the order the loader applies them.
std::vector<std::string> markedFile()
{
    auto file = StartUpFile;
    file[61 - 1] = " 1.5 ";   // the gains, applied first
    file[35 - 1] = " 7 ";     // the plot scales
    file[46 - 1] = " 3 ";     // the port list
    file[42 - 1] = " 65280 "; // the cursor colours
    file[40 - 1] = " 33 ";    // the pointers
    file[41 - 1] = " 1000 ";  // a pointer, put back to 750 when the channels' step centres the view
    file[25 - 1] = "False";   // FramePlotted
    file[57 - 1] = "False";   // the tip switch
    file[59 - 1] = " 40 ";    // the attenuation, applied last
    return file;
}

// How many of the marks, in order, the load left.
int marksLeft(Main& m)
{
    const bool marks[] = {
        m.state.GainLo == 1.5f,
        m.state.PlotScaleCH1 == 7.0,
        m.COMCombo->currentIndex() == 3,
        m.CWButton5->offColor() == 65280,
        m.CWSlide3->pointerValue(2) == 33.0,
        !m.state.FramePlotted,
        m.CWSlide6->pointerValue(1) == 750.0,
        !m.global.ShowRefTip,
        m.global.ATTFactorCH1 == 2.0f,
    };
    int n = 0;
    while (n < int(std::size(marks)) && marks[n])
        ++n;
    return n;
}

TEST_F(SettingsFixture, MarkedFileLoadsCompletely)
{
    writeAll(path("m.set"), joinCrlf(markedFile()));
    Main& m = startWith(StartUpFile);
    loadFrom(path("m.set"));
    EXPECT_EQ(marksLeft(m), 9);
}

TEST_F(SettingsFixture, AFileWithOneBadValueAppliesNoStep)
{
    struct Case
    {
        int line;
        std::string text;
        bool loads; // the value is one the loader takes
    };
    const Case cases[] = {
        {61, "abc", false},
        {61, " 1E+300 ", false},
        {61, "-1.5 ", false},
        {35, "NaN", false},
        {35, " 1.2.3 ", false},
        {46, " 300 ", false},
        {46, " 1E+30 ", false},
        {46, "-2 ", false},
        {42, "-5 ", false},
        {42, " 16777216 ", false},
        {38, "high", false},
        {25, "perhaps", false},
        {32, " 99 ", false},
        {32, " 0 ", false},
        {2, " 7 ", false},
        {34, " 0 ", false},
        {34, " 3.4E+38 ", false},
        {8, "yes please", false},
        {30, " 5 ", false},
        {22, "", false},
        {31, "abc", false},
        {31, " 7 ", false},
        {14, "x", false},
        {14, " 9 ", false},
        {14, " 5016710000 ", false},
        {15, "-5016710000 ", false},
        {57, "maybe", false},
        {59, "x", false},
        {59, " 1E+300 ", false},
        {1, "-500", false},
        {20, "1", false},
        {5, "CH3", false},
        // Values the loader takes: an empty gain line, pointers beyond their slides.
        {62, "", true},
        {37, " 1E+300 ", true},
        {39, "-1E+300 ", true},
    };
    Main& m = startWith(StartUpFile);
    for (const Case& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line) + " [" + c.text + "]");
        // Back to the start-up file first, so every mark is undone.
        ASSERT_TRUE(loadFrom(path("R7S.ast")));
        ASSERT_EQ(marksLeft(m), 0);
        auto file = markedFile();
        file[std::size_t(c.line - 1)] = c.text;
        writeAll(path("bad.set"), joinCrlf(file));
        if (!c.loads)
            dialogs().answer(MsgResult::OK);
        EXPECT_EQ(loadFrom(path("bad.set")), c.loads);
        EXPECT_EQ(marksLeft(m), c.loads ? 9 : 0);
        if (!c.loads) {
            EXPECT_TRUE(dialogs().last().text.contains(QStringLiteral("Line %1 (").arg(c.line)))
                << dialogs().last().text.toStdString();
        }
    }
    // Pointer values beyond a slide are kept at its end.
    auto file = markedFile();
    file[37 - 1] = " 1E+300 ";
    file[39 - 1] = "-1E+300 ";
    writeAll(path("far.set"), joinCrlf(file));
    loadFrom(path("far.set"));
    EXPECT_EQ(m.CWSlide4->pointerValue(1), m.CWSlide4->axisMaximum());
    EXPECT_EQ(m.CWSlide3->pointerValue(1), m.CWSlide3->axisMinimum());
}

TEST_F(SettingsFixture, UnreadableFilesApplyNothing)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919) % 256);
    std::string manyLines;
    for (int i = 0; i < 100; ++i)
        manyLines += "\x01\xff\r\n";
    struct Case
    {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"57 lines",
         [] {
             auto f = markedFile();
             f.resize(57);
             return joinCrlf(f);
         }()},
        {"binary garbage", garbage},
        {"one huge line", std::string(10 * 1024 * 1024, '7')},
        {"huge line 40",
         [] {
             auto f = markedFile();
             f[40 - 1] = std::string(100000, '1');
             return joinCrlf(f);
         }()},
        {"many garbage lines", manyLines},
    };
    Main& m = startWith(StartUpFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeAll(path("bad.set"), c.bytes);
        dialogs().answer(MsgResult::OK);
        EXPECT_FALSE(loadFrom(path("bad.set")));
        EXPECT_EQ(marksLeft(m), 0);
        // Not even the lines before the fault are stored.
        EXPECT_EQ(m.state.TrigSourceBits, "00");
    }
    QDir().mkdir(path("folder.set"));
    for (const QString& p :
         {path("folder.set"), path("missing.set"), QStringLiteral("/dev/zero")}) {
        dialogs().answer(MsgResult::OK);
        EXPECT_FALSE(loadFrom(p));
    }
    EXPECT_EQ(marksLeft(m), 0);
}

TEST_F(SettingsFixture, HugeLineRefusesTheWholeFile)
{
    auto file = StartUpFile;
    file[1 - 1] = "01";
    file[30 - 1] = std::string(5000, ' ');
    writeAll(path("long.set"), joinCrlf(file));
    Main& m = startWith(StartUpFile);
    dialogs().answer(MsgResult::OK);
    EXPECT_FALSE(loadFrom(path("long.set")));
    EXPECT_TRUE(dialogs().last().text.endsWith(
        QStringLiteral("Line 30 is longer than any line of a settings file.")));
    EXPECT_EQ(m.state.TrigSourceBits, "00");
}

// ---- Atomic writes
// -------------------------------------------------------------------------------

TEST_F(SettingsFixture, FullDiskKeepsThePreviousFile)
{
    Main& m = startWith(StartUpFile);
    const std::string before = readAll(path("R7S.ast"));
    m.CWButton5->setOffColor(65280);
    m.state.FilePath = path("R7S.ast").toStdString();
    QString reason;
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(m.settingsFile->SaveSettingsFile(&reason));
    }
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readAll(path("R7S.ast")), before);
    EXPECT_EQ(entriesOf(folder()), QStringList{QStringLiteral("R7S.ast")});
    // Without the limit the same save succeeds.
    EXPECT_TRUE(m.settingsFile->SaveSettingsFile());
    EXPECT_NE(readAll(path("R7S.ast")), before);
}

TEST_F(SettingsFixture, UnwritableFolderFailsTheSave)
{
    Main& m = startWith(StartUpFile);
    const QString locked = unwritableFolder(path(QStringLiteral("locked")));
    m.state.FilePath = QDir(locked).filePath(QStringLiteral("x.set")).toStdString();
    QString reason;
    EXPECT_FALSE(m.settingsFile->SaveSettingsFile(&reason));
    EXPECT_FALSE(reason.isEmpty());
    QFile::setPermissions(path(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// ---- Buttons and menu items
// ----------------------------------------------------------------------

TEST_F(SettingsFixture, SaveButtonWritesThenRebuildsTheFaceFromTheFile)
{
    Main& m = startWith(StartUpFile);
    m.Options->setVisible(true);
    dialogs().answerSave(path("user.set"));
    m.CWButton20->setValue(true);
    const auto& request = dialogs().last();
    EXPECT_EQ(request.title, QStringLiteral("Save Settings"));
    EXPECT_EQ(request.file.filter, QStringLiteral("Oscilloscope Setup File (*.set)|*.set"));
    EXPECT_EQ(request.file.flags, 4);
    EXPECT_EQ(crlfLines(readAll(path("user.set"))), loadedFile());
    EXPECT_FALSE(Visible(m.Options));
    EXPECT_FALSE(m.CWButton20->value());
    EXPECT_EQ(m.state.FilePath, path("user.set").toStdString());
}

TEST_F(SettingsFixture, SaveOverAnExistingFileAnsweredNoKeepsItAndLoadsIt)
{
    writeAll(path("user.set"), joinCrlf(markedFile()));
    const std::string before = readAll(path("user.set"));
    Main& m = startWith(StartUpFile);
    dialogs().answerSave(path("user.set")).answer(MsgResult::No);
    m.CWButton20->setValue(true);
    const auto& question = dialogs().last();
    EXPECT_EQ(question.text, QStringLiteral("Do you want to overright it?"));
    EXPECT_EQ(question.title, QStringLiteral("File already exist!"));
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(readAll(path("user.set")), before);
    EXPECT_EQ(marksLeft(m), 9);
}

TEST_F(SettingsFixture, FailedUserSaveSaysSoAndLoadsNothing)
{
    Main& m = startWith(StartUpFile);
    const QString target = path(QStringLiteral("no/such/folder/user.set"));
    dialogs().answerSave(target).answer(MsgResult::OK);
    m.CWButton20->setValue(true);
    const auto& message = dialogs().last();
    EXPECT_TRUE(message.text.contains(target)) << message.text.toStdString();
    EXPECT_EQ(message.icon, MsgIcon::Exclamation);
    EXPECT_FALSE(m.CWButton20->value());
}

TEST_F(SettingsFixture, CancelledDialogsDoNothing)
{
    Main& m = startWith(StartUpFile);
    dialogs().answerSave(std::nullopt).answerOpen(std::nullopt);
    m.CWButton20->setValue(true);
    m.CWButton28->setValue(true);
    EXPECT_FALSE(m.CWButton20->value());
    EXPECT_FALSE(m.CWButton28->value());
    EXPECT_EQ(entriesOf(folder()), QStringList{QStringLiteral("R7S.ast")});
}

TEST_F(SettingsFixture, LoadMenuStopsRunLoadsAndStartsTheLinkWatch)
{
    writeAll(path("user.set"), joinCrlf(markedFile()));
    Main& m = startWith(StartUpFile);
    m.CheckCOM->setEnabled(false);
    m.CWButton1->setValue(true);
    dialogs().answerOpen(path("user.set"));
    m.mnuFLoad->trigger();
    EXPECT_EQ(dialogs().last().title, QStringLiteral("Load Settings"));
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_FALSE(m.CWButton28->value());
    EXPECT_TRUE(m.CheckCOM->enabled());
    EXPECT_EQ(marksLeft(m), 9);
}

TEST_F(SettingsFixture, SaveMenuStopsRunAndSaves)
{
    Main& m = startWith(StartUpFile);
    m.CWButton1->setValue(true);
    dialogs().answerSave(path("menu.set"));
    m.mnuFSave->trigger();
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_TRUE(QFileInfo::exists(path("menu.set")));
}

// ---- Autosave location
// ---------------------------------------------------------------------------

// ---- An autosave file that cannot be loaded
// ---------------------------------------------------------------

class AutosaveFixture : public SettingsFixture
{
  protected:
    // A start with `make` having put something at R7S.ast; the start is that of a first run,
    // whose calibration question is declined. Says nothing else.
    Main& startOver(const std::function<void(const QString&)>& make)
    {
        make(path(AutosaveFileName));
        dialogs().answer(MsgResult::No);
        Main& m = load();
        EXPECT_EQ(dialogs().requests().size(), 1u) << "only the calibration question";
        return m;
    }
    // The exit through the close box: the autosave is written, the program would end.
    void exitProgram()
    {
        main().shutdown->endProgram = [] {};
        main().shutdown->Form_Unload();
        // The unloaded splash window goes at the next turn of the event loop, which a test never
        // takes: delete it now, before its timer can fire for a window that is gone.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Everything a start from the defaults shows.
    void expectDefaults(Main& m)
    {
        EXPECT_TRUE(Visible(m.Options));
        EXPECT_TRUE(m.CheckCOM->enabled());
        EXPECT_EQ(m.state.TrigSourceBits, "00");
        EXPECT_EQ(m.state.PlotScaleCH1, 19.53125);
        EXPECT_EQ(m.state.GainLo, 1.0f);
    }
};

TEST_F(AutosaveFixture, DamagedAutosaveStartsFromTheDefaultsAndIsKeptAside)
{
    const std::vector<std::string> damaged = [] {
        auto f = StartUpFile;
        f[35 - 1] = "-470.3";
        f[1 - 1] = "-500";
        return f;
    }();
    Main& m = startOver([&](const QString& p) { writeAll(p, joinCrlf(damaged)); });
    expectDefaults(m);
    EXPECT_EQ(readAll(path("R7S.ast.refused")), joinCrlf(damaged));
    EXPECT_FALSE(QFileInfo::exists(path("R7S.ast")));
    exitProgram();
    EXPECT_EQ(crlfLines(readAll(path("R7S.ast"))), StartUpFile);
    EXPECT_EQ(readAll(path("R7S.ast.refused")), joinCrlf(damaged));
}

TEST_F(SettingsFixture, AutosaveWithAByteOrderMarkOrA65thLineLoadsAndStaysInPlace)
{
    auto file = StartUpFile;
    file[42 - 1] = " 65280 ";
    const std::string texts[] = {
        joinCrlf(file) + "a 65th line\r\n",
        "\xEF\xBB\xBF" + joinCrlf(file),
    };
    for (const std::string& text : texts) {
        writeAll(path(AutosaveFileName), text);
        Main m(services());
        m.Form_Load(); // no calibration question: the script has no answer
        EXPECT_FALSE(Visible(m.Options));
        EXPECT_EQ(m.CWButton5->offColor(), 65280);
        EXPECT_FALSE(m.global.FirstRun.toBoolean());
        EXPECT_EQ(readAll(path("R7S.ast")), text);
        EXPECT_FALSE(QFileInfo::exists(path("R7S.ast.refused")));
    }
}

TEST_F(AutosaveFixture, ASecondRefusedFileKeepsTheFirst)
{
    writeAll(path("R7S.ast.refused"), "first");
    const std::string reference = "\"100mV\"\r\n\"1mS\"\r\n50\r\n2\r\n#FALSE#\r\n" + [] {
        std::string s;
        for (int i = 0; i < 1500; ++i)
            s += "60.5\r\n";
        return s;
    }();
    Main& m = startOver([&](const QString& p) { writeAll(p, reference); });
    expectDefaults(m);
    EXPECT_EQ(readAll(path("R7S.ast.refused")), "first");
    EXPECT_EQ(readAll(path("R7S.ast.refused.2")), reference);
}

TEST_F(AutosaveFixture, UnreadableAutosaveIsNeverOverwritten)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString&)> make;
        std::function<bool(const QString&)> intact;
    };
    const Case cases[] = {
        {"a folder of that name",
         [this](const QString& p) {
             QDir().mkpath(p);
             writeAll(QDir(p).filePath(QStringLiteral("inside")), "kept");
         },
         [](const QString& p) {
             return QFileInfo(p).isDir() &&
                    readAll(QDir(p).filePath(QStringLiteral("inside"))) == "kept";
         }},
        {"a pipe",
         [](const QString& p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0); },
         [](const QString& p) {
             struct stat st
             {
             };
             return ::lstat(QFile::encodeName(p).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString autosave = QDir(folder.path()).filePath(AutosaveFileName);
        c.make(autosave);
        dialogs().answer(MsgResult::No);
        Main m(servicesIn(folder.path()));
        m.Form_Load();
        EXPECT_TRUE(Visible(m.Options));
        EXPECT_TRUE(m.CheckCOM->enabled());
        m.shutdown->endProgram = [] {};
        m.shutdown->Form_Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QString aside = autosave + QStringLiteral(".unreadable");
        EXPECT_TRUE(c.intact(aside));
        EXPECT_EQ(crlfLines(readAll(autosave)), StartUpFile);
    }
}

TEST_F(AutosaveFixture, AutosaveWithoutReadPermission)
{
    const QString autosave = path(AutosaveFileName);
    writeAll(autosave, joinCrlf(markedFile()));
    QFile::setPermissions(autosave, QFileDevice::WriteOwner);
    if (QFile probe(autosave); probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not stop this user from reading";
    Main& m = startOver([](const QString&) {});
    expectDefaults(m);
    EXPECT_EQ(marksLeft(m), 0);
    exitProgram();
    const QString aside = path(QStringLiteral("R7S.ast.unreadable"));
    QFile::setPermissions(aside, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readAll(aside), joinCrlf(markedFile()));
    EXPECT_EQ(crlfLines(readAll(autosave)), StartUpFile);
}

TEST_F(SettingsFixture, ReadOnlyProgramFolderReadsItsFileAndWritesTheConfigFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir(config).removeRecursively();
    const QString programFolder = path(QStringLiteral("program"));
    QDir().mkpath(programFolder);
    writeAll(QDir(programFolder).filePath(AutosaveFileName), joinCrlf(markedFile()));
    if (unwritableFolder(programFolder) != programFolder) {
        QStandardPaths::setTestModeEnabled(false);
        GTEST_SKIP() << "permissions do not stop this user from writing";
    }
    const QString configFile = QDir(config).filePath(AutosaveFileName);
    EXPECT_EQ(autosavePath(programFolder), configFile);
    EXPECT_EQ(autosaveReadPath(programFolder), QDir(programFolder).filePath(AutosaveFileName));
    {
        Main m(servicesIn(programFolder));
        m.Form_Load();
        EXPECT_EQ(marksLeft(m), 9);
        m.state.FilePath = autosavePath(programFolder).toStdString();
        m.global.ShowHardwareCheck = false;
        EXPECT_TRUE(m.settingsFile->SaveSettingsFile());
    }
    EXPECT_EQ(autosaveReadPath(programFolder), configFile);
    EXPECT_EQ(crlfLines(readAll(configFile))[58 - 1], "False");
    QFile::setPermissions(programFolder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir(config).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}

} // namespace
} // namespace kv::test
