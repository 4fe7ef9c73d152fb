#include "file_test_support.h"
#include "files/exports.h"
#include "files/rules/excel_file.h"
#include "files/rules/export_layouts.h"
#include "link/acquisition.h"
#include "platform/rules/runtime_rules.h"
#include "support/file_size_limit.h"
#include "support/main_fixture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace kv {
namespace {

using test::MainFixture;
using Kind = test::ScriptedDialogs::Kind;

const char* const kTwoTitles = "\"Time(S)\",\"CH1(V)\",\"CH2(V)\"";
const char* const kCh2Titles = "\"Time(S)\",\"CH2(V)\"";
const char* const kStampLine = ",,,\"Time Stamp\"";
const char* const kTrailerStart = ",,,\"";

constexpr float kLowFactor = -0.01537037f;
constexpr float kHighFactor = -0.076857143f;

// ---- Pure layout rules ------------------------------------------------------------------------

TEST(ExportLayoutRules, TriggerSampleByHorizontalPosition)
{
    const std::pair<Variant, int> cases[] = {{1, 150},       {2, 750},   {3, 1350}, {0, 0},  {4, 0},
                                             {Variant(), 0}, {"2", 750}, {"x", 0},  {2.5, 0}};
    for (const auto& [position, k] : cases)
        EXPECT_EQ(ExportTriggerSample(position), k) << position.toText();
}

TEST(ExportLayoutRules, VoltsFactorByVoltsDivIndex)
{
    const std::pair<double, float> cases[] = {{1, kLowFactor},  {3, kLowFactor}, {4, kHighFactor},
                                              {6, kHighFactor}, {0, 0.0f},       {7, 0.0f}};
    for (const auto& [index, factor] : cases)
        EXPECT_EQ(ExportVoltsFactor(index), factor) << index;
    EXPECT_EQ(ExportVoltsFactor(Variant()), 0.0f);
}

TEST(ExportLayoutRules, LayoutByTimebaseAndShownTraces)
{
    EXPECT_EQ(ChooseExportLayout(1, true, true), ExportLayout::TwoChannel750);
    EXPECT_EQ(ChooseExportLayout(1, true, false), ExportLayout::SingleChannel);
    EXPECT_EQ(ChooseExportLayout(1, false, true), ExportLayout::SingleChannel);
    EXPECT_EQ(ChooseExportLayout(1, false, false), ExportLayout::SingleChannel);
    for (int position = 2; position <= 14; ++position)
        EXPECT_EQ(ChooseExportLayout(position, true, true), ExportLayout::TwoChannel1500);
    EXPECT_EQ(ChooseExportLayout(5, false, false), ExportLayout::TwoChannel1500);
}

SampleArrays rampSamples()
{
    SampleArrays s;
    for (int i = 0; i < SampleArrays::Length; ++i) {
        s.CountsCH1[std::size_t(i)] = (i % 256) - 128;
        s.CountsCH2[std::size_t(i)] = 127 - (i % 200);
    }
    for (int i = 0; i < SampleArrays::FastLength; ++i) {
        s.Counts750CH1[std::size_t(i)] = (i % 100) - 50;
        s.Counts750CH2[std::size_t(i)] = 3 - (i % 7);
    }
    return s;
}

ExportSettings settingsFor(int timeDiv, bool ch1, bool ch2, Variant active = 1)
{
    ExportSettings s;
    s.HTrigPosition = 2;
    s.VdivIndexCH1 = 2;
    s.VdivIndexCH2 = 5;
    s.SampleTime = 0.00002f;
    s.timeDivPosition = timeDiv;
    s.pch1Shown = ch1;
    s.pch2Shown = ch2;
    s.ActiveChannel = std::move(active);
    return s;
}

struct LayoutCase
{
    const char* name;
    ExportSettings settings;
    std::vector<int> channels;
    std::size_t rows;
    double firstTime, lastTime;
};

TEST(ExportTable, LayoutsTimesAndScaling)
{
    const SampleArrays s = rampSamples();
    const LayoutCase cases[] = {
        {"two channels 1500",
         settingsFor(5, true, true),
         {1, 2},
         1500,
         double(float(-750) * 0.00002f),
         double(float(749) * 0.00002f)},
        // Each channel's points lie two sample periods apart.
        {"750 points",
         settingsFor(1, true, true),
         {1, 2},
         750,
         double(float(-750) * 0.00002f),
         double(float(748) * 0.00002f)},
        {"single CH1",
         settingsFor(1, true, false, 1),
         {1},
         1500,
         double(float(-750) * 0.00002f),
         double(float(749) * 0.00002f)},
        {"single CH2",
         settingsFor(1, false, true, 2),
         {2},
         1500,
         double(float(-750) * 0.00002f),
         double(float(749) * 0.00002f)},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ExportTable table = BuildExportTable(c.settings, s);
        EXPECT_EQ(table.channels, c.channels);
        ASSERT_EQ(table.rows.size(), c.rows);
        EXPECT_EQ(table.rows.front().time, c.firstTime);
        EXPECT_EQ(table.rows.back().time, c.lastTime);
        EXPECT_EQ(table.rows[c.rows / 2].time, 0.0);
        for (const ExportRow& row : table.rows)
            ASSERT_EQ(row.volts.size(), c.channels.size());
    }
}

TEST(ExportTable, VoltagesAreCountsTimesTheChannelFactor)
{
    const SampleArrays s = rampSamples();
    const ExportTable two = BuildExportTable(settingsFor(5, false, false), s);
    for (int i : {0, 1, 300, 1499}) {
        EXPECT_EQ(two.rows[std::size_t(i)].volts[0],
                  s.CountsCH1[std::size_t(i)] * double(kLowFactor));
        EXPECT_EQ(two.rows[std::size_t(i)].volts[1],
                  s.CountsCH2[std::size_t(i)] * double(kHighFactor));
    }
    const ExportTable fast = BuildExportTable(settingsFor(1, true, true), s);
    EXPECT_EQ(fast.rows[10].volts[0], s.Counts750CH1[10] * double(kLowFactor));
    EXPECT_EQ(fast.rows[10].volts[1], s.Counts750CH2[10] * double(kHighFactor));
    // The single-channel record is in CountsCH1 whichever channel it is.
    const ExportTable single2 = BuildExportTable(settingsFor(1, false, true, 2), s);
    EXPECT_EQ(single2.rows[7].volts[0], s.CountsCH1[7] * double(kHighFactor));
}

TEST(ExportTable, TriggerPositionShiftsTheTimeColumn)
{
    const SampleArrays s = rampSamples();
    const std::pair<int, int> cases[] = {{1, 150}, {2, 750}, {3, 1350}, {9, 0}};
    for (const auto& [position, k] : cases) {
        ExportSettings settings = settingsFor(5, true, true);
        settings.HTrigPosition = position;
        const ExportTable table = BuildExportTable(settings, s);
        EXPECT_EQ(table.rows.front().time, double(float(-k) * 0.00002f)) << position;
        EXPECT_EQ(table.rows[std::size_t(k)].time, 0.0) << position;
        settings.timeDivPosition = 1;
        const ExportTable fast = BuildExportTable(settings, s);
        EXPECT_EQ(fast.rows.front().time, double(float(-k) * 0.00002f)) << position;
        EXPECT_EQ(fast.rows[std::size_t(k / 2)].time, 0.0) << position;
    }
}

TEST(ExportTable, SingleChannelWithoutSelectedChannelHasNoColumns)
{
    for (const Variant& active : {Variant(0), Variant(5), Variant()}) {
        const ExportTable table = BuildExportTable(settingsFor(1, true, false, active), {});
        EXPECT_TRUE(table.channels.empty());
        EXPECT_TRUE(table.rows.empty());
        EXPECT_TRUE(WorksheetTitles(table).empty());
    }
}

TEST(ExportTable, VoltsDivOutsideTheTableGivesZeros)
{
    ExportSettings settings = settingsFor(5, true, true);
    settings.VdivIndexCH2 = 9;
    const ExportTable table = BuildExportTable(settings, rampSamples());
    for (const ExportRow& row : table.rows)
        ASSERT_EQ(row.volts[1], 0.0);
}

TEST(CsvLines, TitlesSamplesAndTrailer)
{
    const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
    const QLocale c = QLocale::c();
    const SampleArrays s = rampSamples();
    const auto two = CsvLines(BuildExportTable(settingsFor(5, true, true), s), when, c);
    ASSERT_EQ(two.size(), 1504u);
    EXPECT_EQ(two[0], kTwoTitles);
    EXPECT_EQ(two[1], singleToText(-750 * 0.00002f) + "," +
                          doubleToText(-128 * double(kLowFactor)) + "," +
                          doubleToText(127 * double(kHighFactor)));
    EXPECT_EQ(two[751].substr(0, 2), "0,");
    const auto trailer = TimeStampTrailer(when, c);
    EXPECT_EQ(std::vector<std::string>(two.end() - 3, two.end()),
              std::vector<std::string>(trailer.begin(), trailer.end()));
    EXPECT_EQ(two[1501], kStampLine);

    const auto fast = CsvLines(BuildExportTable(settingsFor(1, true, true), s), when, c);
    ASSERT_EQ(fast.size(), 754u);
    // Point 0 of the 750 is record sample 0, 750 samples before the trigger.
    EXPECT_EQ(fast[1].substr(0, fast[1].find(',')), singleToText(-750 * 0.00002f));
    EXPECT_EQ(fast[2].substr(0, fast[2].find(',')), singleToText(-748 * 0.00002f));

    const auto single = CsvLines(BuildExportTable(settingsFor(1, false, true, 2), s), when, c);
    ASSERT_EQ(single.size(), 1504u);
    EXPECT_EQ(single[0], kCh2Titles);

    const auto none = CsvLines(BuildExportTable(settingsFor(1, false, true, 0), s), when, c);
    EXPECT_EQ(none, std::vector<std::string>(trailer.begin(), trailer.end()));

    const std::string text =
        CsvFileText(BuildExportTable(settingsFor(1, false, true, 0), s), when, c);
    EXPECT_EQ(text, trailer[0] + "\r\n" + trailer[1] + "\r\n" + trailer[2] + "\r\n");
}

TEST(Worksheet, RecordsAfterTheDefaultFormats)
{
    MemoryByteSink sink;
    ExcelFile sheet;
    ASSERT_TRUE(sheet.CreateFile(sink).ok());
    const std::size_t start = sink.bytes().size();
    ASSERT_EQ(start, 390u);
    const ExportTable none = BuildExportTable(settingsFor(1, true, false, 0), {});
    EXPECT_EQ(WriteWorksheet(sheet, none, QDateTime::currentDateTime()), 0);
    ASSERT_TRUE(sheet.CloseFile().ok());
    const std::vector<uint8_t>& b = sink.bytes();
    // PRINTGRIDLINES 0, then TOPMARGIN 1.5 first among the margins.
    const std::vector<uint8_t> head = {0x2B, 0, 2, 0, 0, 0, 0x28, 0, 8, 0};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), b.begin() + long(start)));
}

// ---- The export command against the headless window --------------------------------------------

// The sheet read back by xlrd: its size, then one line per row, cells separated by "|",
// numbers in Python's exact repr.
const char* kReadSheet = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], encoding_override='cp1252', logfile=sys.stderr)
sh = book.sheet_by_index(0)
print(sh.nrows, sh.ncols)
for r in range(sh.nrows):
    print("|".join(repr(v) if isinstance(v, float) else str(v) for v in sh.row_values(r)))
)";

struct Sheet
{
    int rows = 0, columns = 0;
    std::vector<QStringList> cells;
    double number(int row, int column) const { return cells[std::size_t(row)][column].toDouble(); }
};

std::optional<Sheet> readSheet(const QString& path)
{
    const auto result =
        test::runProgram(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral("-c"), QString::fromLatin1(kReadSheet), path});
    if (result.exitCode != 0) {
        ADD_FAILURE() << "xlrd could not read " << path.toStdString() << ": "
                      << result.err.toStdString();
        return std::nullopt;
    }
    QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    Sheet sheet;
    const QStringList size = lines.takeFirst().split(' ');
    sheet.rows = size[0].toInt();
    sheet.columns = size[1].toInt();
    for (const QString& line : lines)
        sheet.cells.push_back(line.split('|'));
    return sheet;
}

class ExportsTest : public MainFixture
{
  protected:
    void SetUp() override
    {
        // A first start offers the probe calibration.
        dialogs().answer(MsgResult::No);
        Main& w = load();
        dialogs().clear();
        ASSERT_NE(w.exports, nullptr);
        instrument().setHonourChannelEnable(false);
        // Channel 1: 1 kHz sine of 0.5 V peak; channel 2: 0.25 V DC.
        instrument().setSignal(1, {SimWaveform::Sine, 1000.0, 0.5, 0.0});
        instrument().setSignal(2, {SimWaveform::Dc, 1000.0, 0.0, 0.25});
        w.CWKnob2->setPosition(5); // 1 ms/div
        w.state.TimebaseCode = "00110";
        w.CWSlide5->setPosition(1);
        w.CWButton4->setValue(false);
        w.global.ActiveChannel = 1;
        w.state.VdivIndexCH1 = 2;
        w.state.VdivIndexCH2 = 2;
        w.state.VPosCH1 = 0;
        w.state.VPosCH2 = 0;
        w.state.HTrigPosition = 2;
        w.global.ModelGainLo = w.global.ModelGainHi = 1.0f;
        w.global.ATTFactorCH1 = w.global.ATTFactorCH2 = 1.0f;
        w.state.CalOffsetCH1Lo = 0;
        w.state.CalOffsetCH2Lo = 0;
        w.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
        w.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), true);
    }

    Main& w() { return main(); }

    // One acquisition pass of the simulated instrument; Run stays on.
    void acquireOnce()
    {
        ASSERT_NE(w().acquisition, nullptr);
        w().CWButton1->setValue(true);
        w().acquisition->Timer1_Timer();
        ASSERT_TRUE(w().Timer1->enabled());
    }
    // A record of the simulated instrument at the fastest timebase with both traces shown,
    // as Run takes it: 750 points per channel at 500 kS/s each.
    void fastRecord()
    {
        w().CWKnob2->setPosition(1);
        acquireOnce();
        ASSERT_FLOAT_EQ(w().state.SampleTime, 1e-6f);
    }
    // The time column of the fast record with the trigger at the middle (HTrigPosition 2):
    // point i lies at record sample 2i, 2 us apart, time 0 at point 375.
    static float fastTime(int i) { return float(2 * i - 750) * 1e-6f; }

    // The export command through its button, with `name` chosen in the dialog and `boxes` the
    // answers to the message boxes that follow.
    void exportAs(const QString& name, std::initializer_list<MsgResult> boxes = {MsgResult::OK})
    {
        dialogs().answerSave(name, 1);
        for (MsgResult box : boxes)
            dialogs().answer(box);
        w().CWButton2->setValue(true);
    }
    const test::ScriptedDialogs::Request& lastBox() const
    {
        return const_cast<ExportsTest*>(this)->dialogs().last();
    }
    QStringList csvLines(const QString& file)
    {
        QString text = QString::fromUtf8(test::fileBytes(file));
        EXPECT_TRUE(text.endsWith("\r\n"));
        text.chop(2);
        return text.split(QStringLiteral("\r\n"));
    }
};

TEST_F(ExportsTest, DialogAsksForTheFileWithBothFilters)
{
    dialogs().answerSave(std::nullopt);
    w().CWButton2->setValue(true);
    ASSERT_EQ(dialogs().requests().size(), 1u);
    const auto& asked = dialogs().at(0);
    EXPECT_EQ(asked.kind, Kind::Save);
    EXPECT_EQ(asked.title, "Export Data As");
    EXPECT_EQ(asked.file.filter, "Microsoft Excel Worksheet (*.xls)|*.xls|"
                                 "Comma-delimited ASCII file (*.csv)|*.csv");
    EXPECT_EQ(asked.file.flags, 4);
    EXPECT_TRUE(asked.file.fileName.isEmpty());
    // Cancelled: nothing written, the button is off again.
    EXPECT_FALSE(w().CWButton2->value());
    EXPECT_TRUE(test::entriesOf(folder()).filter(QRegularExpression("\\.(xls|csv)$")).isEmpty());
}

TEST_F(ExportsTest, WorksheetOfASimulatedRecordReadsBackWithXlrd)
{
    acquireOnce();
    const QString file = path("record.xls");
    exportAs(file);
    ASSERT_EQ(dialogs().requests().size(), 2u);
    EXPECT_EQ(lastBox().text, "Microsoft Excel Worksheet created at location: \r\n" + file);
    EXPECT_EQ(lastBox().title, "Excel Class");
    EXPECT_EQ(lastBox().icon, MsgIcon::Information);
    EXPECT_EQ(lastBox().buttons, MsgButtons::OK);
    EXPECT_EQ(test::fileBytes(file).left(8), QByteArray("\x09\x00\x04\x00\x02\x00\x10\x00", 8));

    const auto sheet = readSheet(file);
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows, 1501);
    EXPECT_EQ(sheet->cells[0].mid(0, 3), QStringList({"Time (S)", "CH1 (V)", "CH2 (V)"}));
    EXPECT_EQ(sheet->cells[0][4], "Time Stamp");
    EXPECT_EQ(sheet->cells[1][4].toStdString(), shortDateText(QDate::currentDate()));
    EXPECT_FALSE(sheet->cells[2][4].isEmpty());

    const float step = w().state.SampleTime;
    ASSERT_FLOAT_EQ(step, 0.00002f);
    const auto& s = w().global.Samples;
    double max1 = -10, min1 = 10;
    for (int i = 0; i < 1500; ++i) {
        EXPECT_EQ(sheet->number(i + 1, 0), double(float(i - 750) * step)) << i;
        EXPECT_EQ(sheet->number(i + 1, 1), s.CountsCH1[std::size_t(i)] * double(kLowFactor)) << i;
        EXPECT_EQ(sheet->number(i + 1, 2), s.CountsCH2[std::size_t(i)] * double(kLowFactor)) << i;
        EXPECT_NEAR(sheet->number(i + 1, 2), 0.25, 0.02) << i;
        max1 = std::max(max1, sheet->number(i + 1, 1));
        min1 = std::min(min1, sheet->number(i + 1, 1));
    }
    EXPECT_NEAR(max1, 0.5, 0.03);
    EXPECT_NEAR(min1, -0.5, 0.03);
    // The export stopped the acquisition; the button ends off after the worksheet as well.
    EXPECT_FALSE(w().CWButton1->value());
    EXPECT_FALSE(w().Timer1->enabled());
    EXPECT_FALSE(w().CWButton2->value());
}

TEST_F(ExportsTest, FastRecordWorksheetHas750RowsTwoMicrosecondsApart)
{
    fastRecord();
    const QString file = path("fast.xls");
    exportAs(file);
    const auto sheet = readSheet(file);
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->rows, 751);
    EXPECT_EQ(sheet->cells[0].mid(0, 3), QStringList({"Time (S)", "CH1 (V)", "CH2 (V)"}));
    const auto& s = w().global.Samples;
    for (int i = 0; i < 750; ++i) {
        EXPECT_EQ(sheet->number(i + 1, 0), double(fastTime(i))) << i;
        EXPECT_EQ(sheet->number(i + 1, 1), s.Counts750CH1[std::size_t(i)] * double(kLowFactor));
        EXPECT_EQ(sheet->number(i + 1, 2), s.Counts750CH2[std::size_t(i)] * double(kLowFactor));
    }
    EXPECT_NEAR(sheet->number(2, 0) - sheet->number(1, 0), 2e-6, 1e-10);
    EXPECT_EQ(sheet->number(376, 0), 0.0);
    EXPECT_FLOAT_EQ(float(sheet->number(377, 0)), 2e-6f);
    // The 750 points span the record's 1.5 ms, as the read-outs' 500 kS/s say.
    EXPECT_FLOAT_EQ(float(sheet->number(1, 0)), -750e-6f);
    EXPECT_FLOAT_EQ(float(sheet->number(750, 0)), 748e-6f);
}

TEST_F(ExportsTest, CsvOfTwoChannelsHas1504LinesAndTheTrailer)
{
    acquireOnce();
    const QString file = path("record.csv");
    exportAs(file);
    EXPECT_EQ(lastBox().text, "Comma-delimted ASCII file created at location: \r\n" + file);
    EXPECT_EQ(lastBox().title, "Text Class");
    EXPECT_EQ(w().state.FilePath, file.toStdString());
    EXPECT_FALSE(w().CWButton2->value());

    const QStringList lines = csvLines(file);
    ASSERT_EQ(lines.size(), 1504);
    EXPECT_EQ(lines[0], kTwoTitles);
    const auto& s = w().global.Samples;
    const std::string first = singleToText(float(-750) * 0.00002f) + "," +
                              doubleToText(s.CountsCH1[0] * double(kLowFactor)) + "," +
                              doubleToText(s.CountsCH2[0] * double(kLowFactor));
    EXPECT_EQ(lines[1].toStdString(), first);
    EXPECT_TRUE(lines[751].startsWith("0,"));
    EXPECT_EQ(lines[1501], kStampLine);
    EXPECT_TRUE(lines[1502].startsWith(kTrailerStart));
    EXPECT_TRUE(lines[1503].startsWith(kTrailerStart));
    // Export while running stopped the acquisition, and it stays stopped.
    EXPECT_FALSE(w().CWButton1->value());
    EXPECT_FALSE(w().Timer1->enabled());
}

TEST_F(ExportsTest, CsvOfTheFastRecordHas754Lines)
{
    fastRecord();
    const QString file = path("fast.csv");
    exportAs(file);
    const QStringList lines = csvLines(file);
    ASSERT_EQ(lines.size(), 754);
    EXPECT_EQ(lines[0], kTwoTitles);
    const auto& s = w().global.Samples;
    for (int i = 0; i < 750; ++i) {
        const std::string line = singleToText(fastTime(i)) + "," +
                                 doubleToText(s.Counts750CH1[std::size_t(i)] * double(kLowFactor)) +
                                 "," +
                                 doubleToText(s.Counts750CH2[std::size_t(i)] * double(kLowFactor));
        EXPECT_EQ(lines[i + 1].toStdString(), line) << i;
    }
    EXPECT_TRUE(lines[1].startsWith(QString::fromStdString(singleToText(-0.00075f) + ",")));
    EXPECT_TRUE(lines[376].startsWith("0,"));
    EXPECT_TRUE(lines[377].startsWith(QString::fromStdString(singleToText(2e-6f) + ",")));
}

TEST_F(ExportsTest, SingleChannelWithoutSelectionWritesOnlyTheTrailer)
{
    w().CWKnob2->setPosition(1);
    w().CWGraph1->setPlotVisible(QStringLiteral("PCH2"), false);
    w().global.ActiveChannel = 0;
    const QString file = path("none.csv");
    exportAs(file);
    const QStringList lines = csvLines(file);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], kStampLine);
    EXPECT_EQ(lastBox().title, "Text Class");
}

TEST_F(ExportsTest, CapitalCsvEndingGoesToTheWorksheetWriter)
{
    acquireOnce();
    const QString file = path("RECORD.CSV");
    exportAs(file);
    EXPECT_EQ(lastBox().title, "Excel Class");
    const auto sheet = readSheet(file);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->rows, 1501);
}

TEST_F(ExportsTest, MenuItemLeavesTheButtonOff)
{
    dialogs().answerSave(path("menu.xls")).answer(MsgResult::OK);
    w().mnuFExport->trigger();
    EXPECT_TRUE(QFileInfo::exists(path("menu.xls")));
    EXPECT_FALSE(w().CWButton2->value());
    EXPECT_EQ(lastBox().title, "Excel Class");
}

TEST_F(ExportsTest, OverwriteQuestionNoKeepsTheFileYesReplacesIt)
{
    for (const QString& name : {QStringLiteral("old.csv"), QStringLiteral("old.xls")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = path(name);
        ASSERT_TRUE(test::writeBytes(file, "old contents"));
        dialogs().clear();
        exportAs(file, {MsgResult::No});
        w().CWButton2->setValue(false);
        ASSERT_EQ(dialogs().requests().size(), 2u); // dialog, question; no further box
        EXPECT_EQ(lastBox().text, "Do you want to overright it?");
        EXPECT_EQ(lastBox().title, "File already exist!");
        EXPECT_EQ(lastBox().buttons, MsgButtons::YesNo);
        EXPECT_EQ(lastBox().icon, MsgIcon::Question);
        EXPECT_EQ(test::fileBytes(file), "old contents");

        exportAs(file, {MsgResult::Yes, MsgResult::OK});
        w().CWButton2->setValue(false);
        EXPECT_NE(test::fileBytes(file), "old contents");
        EXPECT_TRUE(lastBox().text.contains("created at location"));
    }
}

// A file that cannot be created is reported with its name and the reason, and no file appears.
TEST_F(ExportsTest, FolderThatCannotBeWrittenIsReported)
{
    QTemporaryDir scratch;
    const auto readOnly = test::readOnlyFolder(scratch);
    if (!readOnly)
        GTEST_SKIP() << "no read-only folder here";
    const QString missing = path("no-such-folder");
    for (const QString& dir : {*readOnly, missing}) {
        for (const QString& name : {QStringLiteral("a.xls"), QStringLiteral("a.csv")}) {
            const QString file = QDir(dir).filePath(name);
            SCOPED_TRACE(file.toStdString());
            dialogs().clear();
            exportAs(file);
            w().CWButton2->setValue(false);
            ASSERT_EQ(dialogs().requests().size(), 2u);
            EXPECT_EQ(lastBox().icon, MsgIcon::Critical);
            EXPECT_TRUE(lastBox().text.contains("could not be created at location: \r\n" + file))
                << lastBox().text.toStdString();
            EXPECT_GT(lastBox().text.size(),
                      (QStringLiteral("could not be created at location: \r\n") + file).size() +
                          30);
            EXPECT_FALSE(QFileInfo::exists(file));
        }
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// Runs `body` with the process's file size limit at `bytes`: writes beyond it fail as on a full
// disk.
template <class Body> void withFileSizeLimit(rlim_t bytes, Body body)
{
    const test::FileSizeLimit limit(bytes);
    ASSERT_TRUE(limit.ok());
    body();
}

// A write that fails part way leaves neither a partial file nor a temporary one, and an
// existing file keeps its old contents.
TEST_F(ExportsTest, WriteFailingPartWayLeavesNoHalfWrittenFile)
{
    acquireOnce();
    const QString fresh = path("fresh.xls");
    const QString kept = path("kept.csv");
    ASSERT_TRUE(test::writeBytes(kept, "old contents"));
    const QStringList before = test::entriesOf(folder());
    withFileSizeLimit(4096, [&] {
        exportAs(fresh);
        w().CWButton2->setValue(false);
        exportAs(kept, {MsgResult::Yes, MsgResult::OK});
    });
    const auto& requests = dialogs().requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[1].icon, MsgIcon::Critical);
    EXPECT_TRUE(requests[1].text.contains(fresh));
    // The reason is the system's own.
    const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    EXPECT_TRUE(requests[1].text.endsWith("\r\n" + reason)) << requests[1].text.toStdString();
    EXPECT_EQ(requests[4].icon, MsgIcon::Critical);
    EXPECT_TRUE(requests[4].text.contains(kept));
    EXPECT_TRUE(requests[4].text.endsWith("\r\n" + reason));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_EQ(test::fileBytes(kept), "old contents");
    EXPECT_EQ(test::entriesOf(folder()), before);
}

} // namespace
} // namespace kv
