// Wrong and damaged files given to each loader: the settings loader and the reference loader
// either load a file as they always did or refuse it with a message naming the file and the
// line at fault, leaving everything as it was.

#include "files/exports.h"
#include "files/files_fixture.h"
#include "files/reference_waveforms.h"
#include "files/settings_file.h"

#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <optional>

namespace kv::test {
namespace {

const QDateTime When(QDate(2024, 3, 5), QTime(14, 7, 9));

// What a loader does with a file: loads it (nullopt) or refuses it at a line (0: the whole file).
using Outcome = std::optional<int>;
constexpr Outcome Loads = std::nullopt;

struct Case
{
    const char* name;
    std::string bytes;
    Outcome settings;  // by the settings loader
    Outcome reference; // by the reference loader
};

class WrongFiles : public MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the calibration question of a first start
        Main& m = load();
        m.referenceWaveforms->setClock([] { return When; });
        // The program's own files: settings, a reference and a comma-delimited export.
        own_ = crlfLines(saved());
        m.CWKnob2->setPosition(2); // the export's two-channel layout
        m.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
        for (int i = 0; i < SampleArrays::Length; ++i)
            m.global.Samples.TraceCH1[std::size_t(i)] = 0.25 * i;
        dialogs().answer(MsgResult::OK);
        m.referenceWaveforms->SaveREFCH1File(path("own.rfw"));
        dialogs().answer(MsgResult::OK);
        m.exports->csvFileRepExists(path("own.csv"));
        ASSERT_TRUE(QFileInfo::exists(path("own.rfw")));
        ASSERT_TRUE(QFileInfo::exists(path("own.csv")));
        // A state that differs from every file below, so that any part of one applied shows.
        auto marked = own_;
        marked[61 - 1] = " 1.5 ";
        marked[35 - 1] = " 7 ";
        marked[46 - 1] = " 3 ";
        marked[42 - 1] = " 65280 ";
        marked[20 - 1] = "0001";
        marked[31 - 1] = " 1 ";
        marked[57 - 1] = "False";
        marked[59 - 1] = " 40 ";
        marked[1 - 1] = "01";
        writeAll(path("marked.set"), joinCrlf(marked));
        std::vector<std::string> reference = {"\"5V\"", "\"2mS\"", "10", "4", "#TRUE#"};
        for (int i = 0; i < 1500; ++i)
            reference.push_back(std::to_string(100 + i));
        writeAll(path("marked.rfw"), joinCrlf(reference));
    }

    // The settings as a save writes them now.
    std::string saved()
    {
        main().state.FilePath = path("state.set").toStdString();
        EXPECT_TRUE(main().settingsFile->SaveSettingsFile());
        return readAll(path("state.set"));
    }

    // What a load may change besides the saved settings: the face and the reference.
    struct Snapshot
    {
        std::string settings;
        bool led1, led2, chdisp, knob1;
        QString period, frame2, vref, href;
        std::array<double, ScopeState::RecordLength> counts;
        QVector<double> plotted;
        bool operator==(const Snapshot& o) const
        {
            return settings == o.settings && led1 == o.led1 && led2 == o.led2 &&
                   chdisp == o.chdisp && knob1 == o.knob1 && period == o.period &&
                   frame2 == o.frame2 && vref == o.vref && href == o.href && counts == o.counts &&
                   plotted == o.plotted;
        }
    };
    Snapshot snapshot()
    {
        Main& m = main();
        return {saved(),
                m.LED1->value(),
                m.LED2->value(),
                Visible(m.CHDISP),
                m.CWKnob1->isEnabled(),
                m.PeriodVAL->text(),
                m.Frame2->title(),
                m.lblVREF->text(),
                m.lblHREF->text(),
                m.state.REFCounts,
                m.CWGraph1->plotYData(QStringLiteral("PREF1"))};
    }

    bool loadSettings(const QString& file)
    {
        main().state.FilePath = file.toStdString();
        return main().settingsFile->LoadSettingsFile();
    }
    bool loadReference(const QString& file)
    {
        main().state.FilePath = file.toStdString();
        return main().referenceWaveforms->LoadREFFile();
    }
    void reset()
    {
        ASSERT_TRUE(loadSettings(path("marked.set")));
        ASSERT_TRUE(loadReference(path("marked.rfw")));
    }

    // Gives the file to one loader and checks the outcome.
    void give(const Case& c, bool settingsLoader)
    {
        SCOPED_TRACE(settingsLoader ? "settings loader" : "reference loader");
        reset();
        const QString file = path(QStringLiteral("case.file"));
        writeAll(file, c.bytes);
        const Outcome expected = settingsLoader ? c.settings : c.reference;
        if (expected)
            dialogs().answer(MsgResult::OK);
        const std::size_t asked = dialogs().requests().size();
        const Snapshot before = snapshot();
        const bool loaded = settingsLoader ? loadSettings(file) : loadReference(file);
        EXPECT_EQ(loaded, !expected);
        if (!expected) {
            EXPECT_EQ(dialogs().requests().size(), asked);
            return;
        }
        ASSERT_EQ(dialogs().requests().size(), asked + 1);
        const auto& box = dialogs().last();
        EXPECT_TRUE(box.text.contains(file)) << box.text.toStdString();
        if (*expected > 0) {
            const QRegularExpression line(QStringLiteral("\\b[Ll]ine %1\\b").arg(*expected));
            EXPECT_TRUE(box.text.contains(line)) << box.text.toStdString();
        }
        EXPECT_EQ(box.title, settingsLoader
                                 ? QStringLiteral("Load Settings")
                                 : QStringLiteral("Open Oscilloscope Reference Waveform"));
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_TRUE(snapshot() == before) << "the refused file changed the state";
        EXPECT_FALSE(main().REF1Button->value());
    }

    std::string ownWith(int line, const std::string& text) const
    {
        auto lines = own_;
        lines[std::size_t(line - 1)] = text;
        return joinCrlf(lines);
    }
    std::string ownCut(std::size_t count) const
    {
        auto lines = own_;
        lines.resize(count);
        return joinCrlf(lines);
    }
    std::string referenceWith(int line, const std::string& text) const
    {
        auto lines = crlfLines(readAll(path("own.rfw")));
        lines[std::size_t(line - 1)] = text;
        return joinCrlf(lines);
    }

    std::vector<std::string> own_;
};

TEST_F(WrongFiles, EachLoaderLoadsItsOwnFilesAndRefusesTheRest)
{
    const std::string reference = readAll(path("own.rfw"));
    std::string minus500;
    for (int i = 0; i < 100; ++i)
        minus500 += "-500.125\r\n";
    auto shortReference = crlfLines(reference);
    shortReference.resize(1000);
    const Case cases[] = {
        // The program's own files.
        {"settings file", joinCrlf(own_), Loads, 1},
        {"older 58-line settings file", ownCut(58), Loads, 1},
        {"reference file", reference, 1, Loads},
        {"comma-delimited export", readAll(path("own.csv")), 1, 1},
        // Other text files.
        {"100 lines of numbers", minus500, 1, 1},
        {"empty", "", 1, 1},
        // Settings files with one bad line of each kind.
        {"bit string of another character", ownWith(1, "-500"), 1, 1},
        {"bit string of another length", ownWith(20, "001"), 20, 1},
        {"timebase code", ownWith(33, "0001x"), 33, 1},
        {"trigger edge text", ownWith(4, "Up"), 4, 1},
        {"Boolean", ownWith(22, "perhaps"), 22, 1},
        {"number", ownWith(9, "NaN"), 9, 1},
        {"volts/div of 0", ownWith(16, " 0 "), 16, 1},
        {"negative plot scale", ownWith(35, "-470.5 "), 35, 1},
        {"time/div position out of range", ownWith(32, " 15 "), 32, 1},
        {"position with a fraction", ownWith(2, " 1.5 "), 2, 1},
        {"COM index out of range", ownWith(46, " 256 "), 46, 1},
        {"trigger position byte", ownWith(47, " 256 "), 47, 1},
        {"colour", ownWith(42, "-5 "), 42, 1},
        {"channel", ownWith(31, " 3 "), 31, 1},
        {"negative attenuation", ownWith(59, "-20 "), 59, 1},
        {"gain of 0", ownWith(61, " 0 "), 61, 1},
        {"gain beyond a 32-bit float", ownWith(62, " 1E+39 "), 62, 1},
        {"gain of blanks", ownWith(63, "  "), 63, 1},
        {"57 lines", ownCut(57), 58, 1},
        {"over-long line", ownWith(30, std::string(5000, ' ')), 30, 1},
        // What follows line 64 is not read; a leading byte-order mark is skipped; both points read.
        {"lines after line 64", joinCrlf(own_) + "\r\nx\r\n" + std::string(100000, 'y'), Loads, 1},
        {"settings file after a byte-order mark", "\xEF\xBB\xBF" + joinCrlf(own_), Loads, 1},
        {"settings file with \",\" as point", ownWith(36, " 3,90625 "), Loads, 1},
        {"reference after a byte-order mark", "\xEF\xBB\xBF" + reference, 1, Loads},
        // Damaged reference files.
        {"reference of 1000 lines", joinCrlf(shortReference), 1, 1001},
        {"reference with a text sample", referenceWith(700, "sixty"), 1, 700},
        {"reference with a plot scale of 0", referenceWith(4, "0"), 1, 4},
        {"reference caption without quotes", referenceWith(2, "50uS"), 1, 2},
        {"reference flag", referenceWith(5, "#MAYBE#"), 1, 5},
        {"reference sample no record holds", referenceWith(10, "1E+300"), 1, 10},
        {"reference plot scale no record holds", referenceWith(4, "1E-300"), 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        give(c, true);
        give(c, false);
    }
}

TEST_F(WrongFiles, OwnFilesLoadAsBefore)
{
    // The settings file loads completely, the 58-line one with the defaults of the lines it
    // lacks, and the reference as saved.
    Main& m = main();
    reset();
    writeAll(path("old.set"), ownCut(58));
    ASSERT_TRUE(loadSettings(path("old.set")));
    EXPECT_EQ(m.state.GainLo, 1.0f);
    EXPECT_EQ(m.state.GainHiRev2, 1.0196081f);
    EXPECT_EQ(m.global.ATTFactorCH1, 1.0f);
    EXPECT_EQ(m.state.TrigSourceBits, "00");
    EXPECT_EQ(m.COMCombo->currentIndex(), 9);
    writeAll(path("own.set"), joinCrlf(own_));
    ASSERT_TRUE(loadSettings(path("own.set")));
    auto resaved = own_;
    resaved[9 - 1] = " 127.5 "; // the trigger level handler recomputes it from the pointers
    EXPECT_EQ(crlfLines(saved()), resaved);
    ASSERT_TRUE(loadReference(path("own.rfw")));
    EXPECT_DOUBLE_EQ(m.state.REFCounts[8], (2.0 - m.state.FrameVPosCH1) / m.state.PlotScaleCH1);
}

TEST_F(WrongFiles, UnreadableFilesAreRefusedWithTheirReason)
{
    QDir().mkdir(path("folder.set"));
    const struct
    {
        QString file;
        const char* reason;
    } cases[] = {
        {path("folder.set"), "This is not a file."},
        {path("missing.set"), "The file does not exist."},
        {QStringLiteral("/dev/zero"), "This is not a file."},
    };
    for (const auto& c : cases) {
        for (bool settingsLoader : {true, false}) {
            SCOPED_TRACE(c.file.toStdString());
            dialogs().answer(MsgResult::OK);
            const Snapshot before = snapshot();
            EXPECT_FALSE(settingsLoader ? loadSettings(c.file) : loadReference(c.file));
            EXPECT_TRUE(dialogs().last().text.contains(c.file));
            EXPECT_TRUE(dialogs().last().text.endsWith(QString::fromLatin1(c.reason)))
                << dialogs().last().text.toStdString();
            EXPECT_TRUE(snapshot() == before);
        }
    }
    // A file far larger than any settings or reference file: the settings loader reads no more
    // than its 64 lines can take, and finds line 1 too long.
    writeAll(path("big.file"), std::string(5 * 1024 * 1024, '1'));
    for (bool settingsLoader : {true, false}) {
        dialogs().answer(MsgResult::OK);
        EXPECT_FALSE(settingsLoader ? loadSettings(path("big.file"))
                                    : loadReference(path("big.file")));
        EXPECT_TRUE(dialogs().last().text.contains(
            settingsLoader ? QStringLiteral("Line 1 is longer") : QStringLiteral("larger")))
            << dialogs().last().text.toStdString();
    }
}

} // namespace
} // namespace kv::test
