#include "files/rules/excel_file.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kv {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr std::size_t kPrefixSize = 390;

Bytes hex(std::string_view text)
{
    Bytes bytes;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(
            static_cast<uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The BOF record and the FORMAT records of the built-in formats, as a reader sees them.
const Bytes kPrefix = hex("09 00 04 00 02 00 10 00" // BOF: BIFF2, worksheet
                          "1F 00 02 00 17 00"       // FORMATCOUNT: 23 built-in formats
                          // FORMAT General
                          " 1E 00 08 00 07 47 65 6E 65 72 61 6C"
                          // FORMAT 0
                          " 1E 00 02 00 01 30"
                          // FORMAT 0.00
                          " 1E 00 05 00 04 30 2E 30 30"
                          // FORMAT #,##0
                          " 1E 00 06 00 05 23 2C 23 23 30"
                          // FORMAT #,##0.00
                          " 1E 00 09 00 08 23 2C 23 23 30 2E 30 30"
                          // FORMAT #,##0\ "$";\-#,##0\ "$"
                          " 1E 00 18 00 17 23 2C 23 23 30 5C 20 22 24 22 3B"
                          " 5C 2D 23 2C 23 23 30 5C 20 22 24 22"
                          // FORMAT #,##0\ "$";[Red]\-#,##0\ "$"
                          " 1E 00 1D 00 1C 23 2C 23 23 30 5C 20 22 24 22 3B"
                          " 5B 52 65 64 5D 5C 2D 23 2C 23 23 30 5C 20 22 24"
                          " 22"
                          // FORMAT #,##0.00\ "$";\-#,##0.00\ "$"
                          " 1E 00 1E 00 1D 23 2C 23 23 30 2E 30 30 5C 20 22"
                          " 24 22 3B 5C 2D 23 2C 23 23 30 2E 30 30 5C 20 22"
                          " 24 22"
                          // FORMAT #,##0.00\ "$";[Red]\-#,##0.00\ "$"
                          " 1E 00 23 00 22 23 2C 23 23 30 2E 30 30 5C 20 22"
                          " 24 22 3B 5B 52 65 64 5D 5C 2D 23 2C 23 23 30 2E"
                          " 30 30 5C 20 22 24 22"
                          // FORMAT 0%
                          " 1E 00 03 00 02 30 25"
                          // FORMAT 0.00%
                          " 1E 00 06 00 05 30 2E 30 30 25"
                          // FORMAT 0.00E+00
                          " 1E 00 09 00 08 30 2E 30 30 45 2B 30 30"
                          // FORMAT dd/mm/yy
                          " 1E 00 09 00 08 64 64 2F 6D 6D 2F 79 79"
                          // FORMAT dd/\ mmm\ yy
                          " 1E 00 0D 00 0C 64 64 2F 5C 20 6D 6D 6D 5C 20 79"
                          " 79"
                          // FORMAT dd/\ mmm
                          " 1E 00 09 00 08 64 64 2F 5C 20 6D 6D 6D"
                          // FORMAT mmm\ yy
                          " 1E 00 08 00 07 6D 6D 6D 5C 20 79 79"
                          // FORMAT h:mm\ AM/PM
                          " 1E 00 0C 00 0B 68 3A 6D 6D 5C 20 41 4D 2F 50 4D"
                          // FORMAT h:mm:ss\ AM/PM
                          " 1E 00 0F 00 0E 68 3A 6D 6D 3A 73 73 5C 20 41 4D"
                          " 2F 50 4D"
                          // FORMAT hh:mm
                          " 1E 00 06 00 05 68 68 3A 6D 6D"
                          // FORMAT hh:mm:ss
                          " 1E 00 09 00 08 68 68 3A 6D 6D 3A 73 73"
                          // FORMAT dd/mm/yy\ hh:mm
                          " 1E 00 10 00 0F 64 64 2F 6D 6D 2F 79 79 5C 20 68"
                          " 68 3A 6D 6D"
                          // FORMAT ##0.0E+0
                          " 1E 00 09 00 08 23 23 30 2E 30 45 2B 30"
                          // FORMAT mm:ss
                          " 1E 00 06 00 05 6D 6D 3A 73 73"
                          // FORMAT @
                          " 1E 00 02 00 01 40");

const Bytes kEof = hex("0A 00 00 00");

class ExcelFileTest : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(xls.CreateFile(sink).ok()); }

    // What was written after the fixed prefix.
    Bytes body() const
    {
        const Bytes& all = sink.bytes();
        return Bytes(all.begin() + static_cast<std::ptrdiff_t>(kPrefixSize), all.end());
    }

    MemoryByteSink sink;
    ExcelFile xls;
};

TEST_F(ExcelFileTest, EmptySheetIsPrefixAndEof394Bytes)
{
    ASSERT_TRUE(xls.CloseFile().ok());
    EXPECT_EQ(sink.bytes().size(), 394u);
    EXPECT_EQ(sink.bytes(), kPrefix + kEof);
}

TEST_F(ExcelFileTest, EveryFileStartsWithTheSamePrefix)
{
    xls.SetFont("Arial", 10, ExcelFile::FontBold);
    xls.WriteValue(ExcelFile::Number, 0, 2, 0, 2, 1, 1.25);
    xls.InsertHorizPageBreak(5);
    xls.CloseFile();
    const Bytes& all = sink.bytes();
    ASSERT_GT(all.size(), kPrefixSize);
    EXPECT_EQ(Bytes(all.begin(), all.begin() + kPrefixSize), kPrefix);
}

struct RecordCase
{
    const char* name;
    std::function<int(ExcelFile&)> call;
    int status;
    const char* bytes; // what the call writes
};

// Names the case in test listings and failure messages.
void PrintTo(const RecordCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string longText(std::size_t n)
{
    return std::string(n, 'x');
}

const RecordCase kRecordCases[] = {
    {"EmptyLabel", [](ExcelFile& x) { return x.WriteValue(2, 64, 2, 0, 1, 1, ""); }, 0,
     "04 00 08 00 00 00 00 00 00 40 02 00"},
    {"Label", [](ExcelFile& x) { return x.WriteValue(2, 0, 1, 0, 3, 5, "Ab"); }, 0,
     "04 00 0A 00 02 00 04 00 00 00 01 02 41 62"},
    {"LabelOfNumber", [](ExcelFile& x) { return x.WriteValue(2, 0, 0, 0, 1, 1, 2.5); }, 0,
     "04 00 0B 00 00 00 00 00 00 00 00 03 32 2E 35"},
    {"Label255", [](ExcelFile& x) { return x.WriteValue(2, 0, 0, 0, 1, 1, longText(255)); }, 0,
     nullptr},
    {"Label256", [](ExcelFile& x) { return x.WriteValue(2, 0, 0, 0, 1, 1, longText(256)); }, 6, ""},
    {"LabelAnsi", [](ExcelFile& x) { return x.WriteValue(2, 0, 0, 0, 1, 1, "\u00b5\u20ac\u03a9"); },
     0, "04 00 0B 00 00 00 00 00 00 00 00 03 B5 80 3F"},
    {"Integer", [](ExcelFile& x) { return x.WriteValue(0, 0, 3, 1, 2, 3, 258); }, 0,
     "02 00 09 00 01 00 02 00 01 00 03 02 01"},
    {"IntegerHalfToEven", [](ExcelFile& x) { return x.WriteValue(0, 0, 0, 0, 1, 1, 2.5); }, 0,
     "02 00 09 00 00 00 00 00 00 00 00 02 00"},
    {"IntegerHalfUp", [](ExcelFile& x) { return x.WriteValue(0, 0, 0, 0, 1, 1, 3.5); }, 0,
     "02 00 09 00 00 00 00 00 00 00 00 04 00"},
    {"IntegerMax", [](ExcelFile& x) { return x.WriteValue(0, 0, 0, 0, 1, 1, 65535); }, 0,
     "02 00 09 00 00 00 00 00 00 00 00 FF FF"},
    {"IntegerTooBig", [](ExcelFile& x) { return x.WriteValue(0, 0, 0, 0, 1, 1, 65535.5); }, 6, ""},
    {"IntegerNegative", [](ExcelFile& x) { return x.WriteValue(0, 0, 0, 0, 1, 1, -1); }, 6, ""},
    {"IntegerOfText", [](ExcelFile& x) { return x.WriteValue(0, 0, 0, 0, 1, 1, "abc"); }, 13, ""},
    {"Number", [](ExcelFile& x) { return x.WriteValue(1, 128, 2, 0, 65536, 256, -2.0); }, 0,
     "03 00 0F 00 FF FF FF 00 00 80 02 00 00 00 00 00 00 00 C0"},
    {"NumberOfText", [](ExcelFile& x) { return x.WriteValue(1, 0, 0, 0, 1, 1, "0.5"); }, 0,
     "03 00 0F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 E0 3F"},
    {"NumberOfEmpty", [](ExcelFile& x) { return x.WriteValue(1, 0, 0, 0, 1, 1, Variant()); }, 0,
     "03 00 0F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {"ValueType3", [](ExcelFile& x) { return x.WriteValue(3, 0, 0, 0, 1, 1, 5); }, 0, ""},
    {"ValueTypeNegative", [](ExcelFile& x) { return x.WriteValue(-1, 999, 0, 0, 0, 1, 5); }, 0, ""},
    {"FontPlusFormat", [](ExcelFile& x) { return x.WriteValue(1, 192, 0, 0, 1, 1, 0, 23); }, 0,
     "03 00 0F 00 00 00 00 00 00 D7 00 00 00 00 00 00 00 00 00"},
    {"FontPlusFormatOverflow", [](ExcelFile& x) { return x.WriteValue(1, 192, 0, 0, 1, 1, 0, 64); },
     6, ""},
    {"AlignmentOverflow", [](ExcelFile& x) { return x.WriteValue(1, 0, 256, 0, 1, 1, 0); }, 6, ""},
    {"HiddenLockedNegative", [](ExcelFile& x) { return x.WriteValue(1, 0, 0, -1, 1, 1, 0); }, 6,
     ""},
    {"Row0", [](ExcelFile& x) { return x.WriteValue(1, 0, 0, 0, 0, 1, 0); }, 6, ""},
    {"Row65537", [](ExcelFile& x) { return x.WriteValue(1, 0, 0, 0, 65537, 1, 0); }, 6, ""},
    {"Column0", [](ExcelFile& x) { return x.WriteValue(2, 0, 0, 0, 1, 0, "a"); }, 6, ""},
    {"TopMargin", [](ExcelFile& x) { return x.SetMargin(0x28, 1.5); }, 0,
     "28 00 08 00 00 00 00 00 00 00 F8 3F"},
    {"LeftMargin", [](ExcelFile& x) { return x.SetMargin(ExcelFile::LeftMargin, 0.75); }, 0,
     "26 00 08 00 00 00 00 00 00 00 E8 3F"},
    {"NotAMargin", [](ExcelFile& x) { return x.SetMargin(0x09, 1.0); }, 5, ""},
    {"ColumnWidth", [](ExcelFile& x) { return x.SetColumnWidth(1, 3, 12); }, 0,
     "24 00 04 00 00 02 00 0C"},
    {"ColumnWidthMax", [](ExcelFile& x) { return x.SetColumnWidth(256, 256, 127); }, 0,
     "24 00 04 00 FF FF 00 7F"},
    {"ColumnWidth128", [](ExcelFile& x) { return x.SetColumnWidth(1, 1, 128); }, 6, ""},
    {"ColumnWidthFirst0", [](ExcelFile& x) { return x.SetColumnWidth(0, 1, 10); }, 6, ""},
    {"ColumnWidthLast257", [](ExcelFile& x) { return x.SetColumnWidth(1, 257, 10); }, 6, ""},
    {"ColumnWidthReversed", [](ExcelFile& x) { return x.SetColumnWidth(3, 1, 10); }, 5, ""},
    {"Font", [](ExcelFile& x) { return x.SetFont("Arial", 10, 5); }, 0,
     "31 00 0A 00 C8 00 05 00 05 41 72 69 61 6C"},
    {"FontHeightMax", [](ExcelFile& x) { return x.SetFont("", 1638, 0); }, 0,
     "31 00 05 00 F8 7F 00 00 00"},
    {"FontHeight1639", [](ExcelFile& x) { return x.SetFont("Arial", 1639, 0); }, 6, ""},
    {"FontFormat256", [](ExcelFile& x) { return x.SetFont("Arial", 10, 256); }, 6, ""},
    {"FontName256", [](ExcelFile& x) { return x.SetFont(longText(256), 10, 0); }, 6, ""},
    {"Header", [](ExcelFile& x) { return x.SetHeader("R7"); }, 0, "14 00 03 00 02 52 37"},
    {"HeaderTooLong", [](ExcelFile& x) { return x.SetHeader(longText(256)); }, 6, ""},
    {"Footer", [](ExcelFile& x) { return x.SetFooter(""); }, 0, "15 00 01 00 00"},
    {"Password", [](ExcelFile& x) { return x.SetFilePassword("ab"); }, 0, "2F 00 02 00 61 62"},
    {"GridLinesOff", [](ExcelFile& x) { return x.PrintGridLines(false), 0; }, 0,
     "2B 00 02 00 00 00"},
    {"GridLinesOn", [](ExcelFile& x) { return x.PrintGridLines(true), 0; }, 0, "2B 00 02 00 01 00"},
    {"Protect", [](ExcelFile& x) { return x.ProtectSpreadsheet(true), 0; }, 0, "12 00 02 00 01 00"},
    {"DefaultRowHeight", [](ExcelFile& x) { return x.SetDefaultRowHeight(14); }, 0,
     "25 00 02 00 18 01"},
    {"DefaultRowHeight1639", [](ExcelFile& x) { return x.SetDefaultRowHeight(1639); }, 6, ""},
    {"DefaultRowHeightNegative", [](ExcelFile& x) { return x.SetDefaultRowHeight(-1); }, 6, ""},
    {"RowHeight", [](ExcelFile& x) { return x.SetRowHeight(3, 15); }, 0,
     "08 00 10 00 02 00 00 00 00 01 2C 01 00 00 00 00 00 00 00 00"},
    {"RowHeightRow0", [](ExcelFile& x) { return x.SetRowHeight(0, 15); }, 6, ""},
    {"PageBreakRow0", [](ExcelFile& x) { return x.InsertHorizPageBreak(0); }, 6, ""},
};

class ExcelRecordTest : public ::testing::TestWithParam<RecordCase>
{
};

TEST_P(ExcelRecordTest, WritesExactlyItsRecord)
{
    const RecordCase& c = GetParam();
    MemoryByteSink sink;
    ExcelFile xls;
    ASSERT_TRUE(xls.CreateFile(sink).ok());
    EXPECT_EQ(c.call(xls), c.status);
    const Bytes written(sink.bytes().begin() + static_cast<std::ptrdiff_t>(kPrefixSize),
                        sink.bytes().end());
    if (c.bytes) {
        EXPECT_EQ(written, hex(c.bytes));
    } else {
        // A 255-character label: the full record.
        ASSERT_EQ(written.size(), 4u + 8u + 255u);
        EXPECT_EQ(written[2], 8 + 255 - 256);
        EXPECT_EQ(written[3], 1);
        EXPECT_EQ(written[11], 255);
    }
}

INSTANTIATE_TEST_SUITE_P(Records, ExcelRecordTest, ::testing::ValuesIn(kRecordCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExcelFileTest, PageBreaksAreWrittenSortedAtClose)
{
    for (int row : {30, 10, 20})
        EXPECT_EQ(xls.InsertHorizPageBreak(row), 0);
    ASSERT_TRUE(xls.CloseFile().ok());
    EXPECT_EQ(body(), hex("1B 00 08 00 03 00 09 00 13 00 1D 00") + kEof);
}

TEST_F(ExcelFileTest, EqualAndHighPageBreakRowsAllSurvive)
{
    // Rows above 32768 sort as unsigned values and are kept.
    for (int row : {40000, 10, 10, 65536})
        xls.InsertHorizPageBreak(row);
    xls.CloseFile();
    EXPECT_EQ(body(), hex("1B 00 0A 00 04 00 09 00 09 00 3F 9C FF FF") + kEof);
}

TEST_F(ExcelFileTest, NoPageBreaksNoPageBreakRecord)
{
    xls.WriteValue(ExcelFile::Integer, 0, 0, 0, 1, 1, 1);
    xls.CloseFile();
    EXPECT_EQ(body(), hex("02 00 09 00 00 00 00 00 00 00 00 01 00") + kEof);
}

TEST_F(ExcelFileTest, NewSheetStartsWithoutTheOldPageBreaks)
{
    xls.InsertHorizPageBreak(7);
    MemoryByteSink second;
    ASSERT_TRUE(xls.CreateFile(second).ok());
    xls.CloseFile();
    EXPECT_EQ(second.bytes(), kPrefix + kEof);
}

TEST_F(ExcelFileTest, NothingIsWrittenAfterClose)
{
    ASSERT_TRUE(xls.CloseFile().ok());
    const std::size_t size = sink.bytes().size();
    EXPECT_EQ(xls.WriteValue(ExcelFile::Text, 0, 0, 0, 1, 1, "late"), ExcelFile::ErrBadFileNumber);
    xls.PrintGridLines(true);
    const ExcelResult again = xls.CloseFile();
    EXPECT_EQ(again.code, ExcelFile::ErrBadFileNumber);
    EXPECT_FALSE(again.reason.isEmpty());
    EXPECT_EQ(sink.bytes().size(), size);
}

TEST(ExcelFile, CloseBeforeCreateDoesNothing)
{
    ExcelFile xls;
    EXPECT_TRUE(xls.CloseFile().ok());
    EXPECT_EQ(xls.SetHeader("x"), ExcelFile::ErrBadFileNumber);
}

TEST(ExcelFile, MkiIsLowByteThenHighByte)
{
    EXPECT_EQ(ExcelFile::MKI(0x1D02), std::string("\x02\x1D", 2));
    EXPECT_EQ(ExcelFile::MKI(0), std::string("\0\0", 2));
}

// Accepts a fixed number of bytes, then fails.
class ShortSink final : public ByteSink
{
  public:
    explicit ShortSink(std::size_t room) : room_(room) {}
    bool write(const uint8_t* data, std::size_t size) override
    {
        if (bytes.size() + size > room_)
            return false;
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
    QString errorText() const override { return QStringLiteral("disk full"); }
    Bytes bytes;

  private:
    std::size_t room_;
};

TEST(ExcelFile, WriteFailureStopsTheSheetAndIsReportedAtClose)
{
    ShortSink sink(kPrefixSize + 4);
    ExcelFile xls;
    ASSERT_TRUE(xls.CreateFile(sink).ok());
    EXPECT_EQ(xls.WriteValue(ExcelFile::Number, 0, 0, 0, 1, 1, 1.0), ExcelFile::ErrDeviceIO);
    // A later record that would fit is not written either: the sheet has a hole.
    EXPECT_EQ(xls.SetFooter(""), ExcelFile::ErrDeviceIO);
    const ExcelResult closed = xls.CloseFile();
    EXPECT_EQ(closed.code, ExcelFile::ErrDeviceIO);
    EXPECT_EQ(closed.reason, QStringLiteral("disk full"));
    EXPECT_EQ(sink.bytes.size(), kPrefixSize);
}

TEST(ExcelFile, FailureWhileWritingThePrefixIsReportedByCreate)
{
    ShortSink sink(100);
    ExcelFile xls;
    EXPECT_EQ(xls.CreateFile(sink).code, ExcelFile::ErrDeviceIO);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ExcelFileOnDisk, CreateReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.xls");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'z'));
    }
    ExcelFile xls;
    ASSERT_TRUE(xls.CreateFile(path).ok());
    ASSERT_TRUE(xls.CloseFile().ok());
    const Bytes expected = kPrefix + kEof;
    EXPECT_EQ(readAll(path), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                        static_cast<int>(expected.size())));
}

TEST(ExcelFileOnDisk, UncreatableFileIsReported)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/out.xls");
    ExcelFile xls;
    const ExcelResult created = xls.CreateFile(path);
    EXPECT_EQ(created.code, ExcelFile::ErrPathFileAccess);
    EXPECT_THAT(created.reason.toStdString(), ::testing::HasSubstr("missing/out.xls"));
    EXPECT_EQ(xls.WriteValue(ExcelFile::Number, 0, 0, 0, 1, 1, 1.0), ExcelFile::ErrBadFileNumber);
    EXPECT_FALSE(xls.CloseFile().ok());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ExcelFileOnDisk, FullDeviceIsReportedAtClose)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ExcelFile xls;
    ExcelResult result = xls.CreateFile(QStringLiteral("/dev/full"));
    if (result.ok()) {
        for (int row = 1; row <= 2000; ++row)
            xls.WriteValue(ExcelFile::Number, 0, 2, 0, row, 1, row * 0.5);
        result = xls.CloseFile();
    }
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.reason.isEmpty());
}

// Reads a sheet with the system's BIFF reader and returns its cells as [row, col, type, value].
// The sheet names no code page, so the reader is told the Western one the texts are written in.
QJsonArray readWithXlrd(const QString& path)
{
    const char* script = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], encoding_override='cp1252')
sheet = book.sheet_by_index(0)
cells = [[r, c, sheet.cell_type(r, c), sheet.cell_value(r, c)]
         for r in range(sheet.nrows) for c in range(sheet.ncols)
         if sheet.cell_type(r, c) != xlrd.XL_CELL_EMPTY]
print(json.dumps(cells))
)";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        ADD_FAILURE() << "xlrd failed: " << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

TEST(ExcelFileOnDisk, SheetReadsBackWithXlrd)
{
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"), QStringLiteral("import xlrd")});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3-xlrd not installed";

    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.xls");
    ExcelFile xls;
    ASSERT_TRUE(xls.CreateFile(path).ok());
    xls.PrintGridLines(false);
    xls.SetMargin(ExcelFile::TopMargin, 1.5);
    xls.SetDefaultRowHeight(14);
    xls.SetFont("Arial", 10, ExcelFile::FontPlain);
    xls.SetFont("Arial", 10, ExcelFile::FontBold);
    xls.SetHeader("Oscilloscope R7T");
    xls.SetFooter("footer");
    xls.SetColumnWidth(1, 2, 12);
    xls.SetRowHeight(2, 20);
    EXPECT_EQ(xls.WriteValue(ExcelFile::Text, ExcelFile::Font1, ExcelFile::AlignCentre, 0, 1, 1,
                             "Time (S)"),
              0);
    EXPECT_EQ(xls.WriteValue(ExcelFile::Text, 0, ExcelFile::AlignLeft, 0, 1, 2, "5 \u00b5s"), 0);
    EXPECT_EQ(xls.WriteValue(ExcelFile::Number, 0, ExcelFile::AlignCentre, 0, 2, 1, -0.000375), 0);
    EXPECT_EQ(xls.WriteValue(ExcelFile::Integer, 0, 0, 0, 2, 2, 65535), 0);
    EXPECT_EQ(xls.WriteValue(ExcelFile::Integer, 0, 0, 0, 3, 2, 42), 0);
    xls.InsertHorizPageBreak(3);
    ASSERT_TRUE(xls.CloseFile().ok());

    const QJsonArray cells = readWithXlrd(path);
    const auto cell = [](int r, int c, int type, QJsonValue value) {
        return QJsonArray{r, c, type, value};
    };
    const QJsonArray expected = {
        cell(0, 0, 1, "Time (S)"), cell(0, 1, 1, QString::fromUtf8("5 \u00b5s")),
        cell(1, 0, 2, -0.000375),  cell(1, 1, 2, 65535),
        cell(2, 1, 2, 42),
    };
    EXPECT_EQ(cells, expected) << QJsonDocument(cells).toJson().toStdString();
}

} // namespace
} // namespace kv
