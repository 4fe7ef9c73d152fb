#include "files/rules/excel_file.h"

#include "platform/rules/runtime_rules.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>

namespace kv {

namespace {

constexpr uint16_t kBof = 0x0009;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kInteger = 0x0002;
constexpr uint16_t kNumber = 0x0003;
constexpr uint16_t kLabel = 0x0004;
constexpr uint16_t kRow = 0x0008;
constexpr uint16_t kProtect = 0x0012;
constexpr uint16_t kHeader = 0x0014;
constexpr uint16_t kFooter = 0x0015;
constexpr uint16_t kHorizontalPageBreaks = 0x001B;
constexpr uint16_t kFormat = 0x001E;
constexpr uint16_t kFormatCount = 0x001F;
constexpr uint16_t kColWidth = 0x0024;
constexpr uint16_t kDefaultRowHeight = 0x0025;
constexpr uint16_t kPrintGridLines = 0x002B;
constexpr uint16_t kFilePass = 0x002F;
constexpr uint16_t kFont = 0x0031;

constexpr uint16_t kBiffVersion = 2;
// Document type "worksheet" of the BOF record.
constexpr uint16_t kWorksheet = 0x0010;

// Text of the FORMAT records, by format index.
constexpr std::array<std::string_view, 24> kDefaultFormats = {
    "General",
    "0",
    "0.00",
    "#,##0",
    "#,##0.00",
    R"(#,##0\ "$";\-#,##0\ "$")",
    R"(#,##0\ "$";[Red]\-#,##0\ "$")",
    R"(#,##0.00\ "$";\-#,##0.00\ "$")",
    R"(#,##0.00\ "$";[Red]\-#,##0.00\ "$")",
    "0%",
    "0.00%",
    "0.00E+00",
    "dd/mm/yy",
    R"(dd/\ mmm\ yy)",
    R"(dd/\ mmm)",
    R"(mmm\ yy)",
    R"(h:mm\ AM/PM)",
    R"(h:mm:ss\ AM/PM)",
    "hh:mm",
    "hh:mm:ss",
    R"(dd/mm/yy\ hh:mm)",
    "##0.0E+0",
    "mm:ss",
    "@",
};

// Characters 0x80-0x9F of windows-1252; 0 where the code page has none.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char ansiChar(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    auto it = std::find(kCp1252High.begin(), kCp1252High.end(), c);
    if (c != 0 && it != kCp1252High.end())
        return static_cast<char>(0x80 + (it - kCp1252High.begin()));
    return '?';
}

// The text in the single-byte code page, one byte per character.
std::string ansiText(std::string_view utf8)
{
    const QVector<uint> codes =
        QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())).toUcs4();
    std::string bytes;
    bytes.reserve(codes.size());
    for (uint c : codes)
        bytes.push_back(ansiChar(c));
    return bytes;
}

std::optional<uint8_t> toByte(int64_t value)
{
    if (value < 0 || value > 255)
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

// A 1-based row or column as its 0-based 16-bit field.
std::optional<uint16_t> toIndex(int32_t number)
{
    if (number < 1 || number > 65536)
        return std::nullopt;
    return static_cast<uint16_t>(number - 1);
}

// A size in points (or characters) times its scale, when the product is a 16-bit signed value.
std::optional<uint16_t> scaled(int value, int scale)
{
    if (value < 0 || int64_t{value} * scale > 32767)
        return std::nullopt;
    return static_cast<uint16_t>(value * scale);
}

class RecordBuilder
{
  public:
    RecordBuilder(uint16_t type, std::size_t length)
    {
        bytes_.reserve(4 + length);
        u16(type);
        u16(static_cast<uint16_t>(length));
    }
    RecordBuilder& u8(uint8_t v)
    {
        bytes_.push_back(v);
        return *this;
    }
    RecordBuilder& u16(uint16_t v)
    {
        bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    RecordBuilder& f64(double v)
    {
        const auto bits = std::bit_cast<uint64_t>(v);
        for (int shift = 0; shift < 64; shift += 8)
            bytes_.push_back(static_cast<uint8_t>(bits >> shift));
        return *this;
    }
    RecordBuilder& chars(const std::string& text)
    {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

// The record of a text with a one-byte length, or nullopt when the text is too long.
std::optional<std::vector<uint8_t>> shortTextRecord(uint16_t type, std::string_view text)
{
    const std::string bytes = ansiText(text);
    if (bytes.size() > 255)
        return std::nullopt;
    return RecordBuilder(type, bytes.size() + 1)
        .u8(static_cast<uint8_t>(bytes.size()))
        .chars(bytes)
        .take();
}

// The three cell attribute bytes.
std::optional<std::array<uint8_t, 3>> cellAttributes(int CellFontUsed, int Alignment,
                                                     int HiddenLocked, int CellFormat)
{
    const auto first = toByte(HiddenLocked);
    const auto second = toByte(int64_t{CellFontUsed} + CellFormat);
    const auto third = toByte(Alignment);
    if (!first || !second || !third)
        return std::nullopt;
    return std::array<uint8_t, 3>{*first, *second, *third};
}

} // namespace

bool MemoryByteSink::write(const uint8_t* data, std::size_t size)
{
    bytes_.insert(bytes_.end(), data, data + size);
    return true;
}

class ExcelFile::FileSink final : public ByteSink
{
  public:
    explicit FileSink(const QString& name) : file_(name) {}

    ExcelResult open()
    {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return failure(ErrPathFileAccess, "cannot create");
        return {};
    }
    bool write(const uint8_t* data, std::size_t size) override
    {
        const auto n = static_cast<qint64>(size);
        return file_.write(reinterpret_cast<const char*>(data), n) == n;
    }
    QString errorText() const override
    {
        return QStringLiteral("cannot write %1: %2").arg(file_.fileName(), file_.errorString());
    }
    ExcelResult close()
    {
        const bool flushed = file_.flush();
        const QString why = file_.errorString();
        file_.close();
        if (!flushed || file_.error() != QFileDevice::NoError)
            return {ErrDeviceIO, QStringLiteral("cannot write %1: %2").arg(file_.fileName(), why)};
        return {};
    }

  private:
    ExcelResult failure(int code, const char* what) const
    {
        return {code, QStringLiteral("%1 %2: %3")
                          .arg(QLatin1String(what), file_.fileName(), file_.errorString())};
    }

    QFile file_;
};

ExcelFile::ExcelFile() = default;
ExcelFile::~ExcelFile() = default;

ExcelResult ExcelFile::CreateFile(const QString& FileName)
{
    auto file = std::make_unique<FileSink>(FileName);
    if (ExcelResult opened = file->open(); !opened.ok()) {
        file_.reset();
        sink_ = nullptr;
        state_ = State::Closed;
        return opened;
    }
    file_ = std::move(file);
    return start(*file_);
}

ExcelResult ExcelFile::CreateFile(ByteSink& sink)
{
    file_.reset();
    return start(sink);
}

ExcelResult ExcelFile::start(ByteSink& sink)
{
    sink_ = &sink;
    state_ = State::Open;
    failure_ = {};
    pageBreaks_.clear();
    emit(RecordBuilder(kBof, 4).u16(kBiffVersion).u16(kWorksheet).take());
    WriteDefaultFormats();
    return failure_;
}

ExcelResult ExcelFile::CloseFile()
{
    if (state_ == State::NeverOpened)
        return {};
    if (state_ != State::Open)
        return {ErrBadFileNumber, QStringLiteral("no worksheet is open")};
    if (!pageBreaks_.empty()) {
        std::sort(pageBreaks_.begin(), pageBreaks_.end());
        const auto n = static_cast<uint16_t>(pageBreaks_.size());
        RecordBuilder record(kHorizontalPageBreaks, 2u * n + 2u);
        record.u16(n);
        for (uint16_t row : pageBreaks_)
            record.u16(row);
        emit(record.take());
    }
    emit(RecordBuilder(kEof, 0).take());
    state_ = State::Closed;
    sink_ = nullptr;
    if (file_) {
        const ExcelResult closed = file_->close();
        file_.reset();
        if (failure_.ok())
            failure_ = closed;
    }
    return failure_;
}

int ExcelFile::emit(const Record& record)
{
    if (state_ != State::Open)
        return ErrBadFileNumber;
    if (!failure_.ok())
        return failure_.code;
    if (!sink_->write(record.data(), record.size())) {
        failure_ = {ErrDeviceIO, sink_->errorText()};
        return failure_.code;
    }
    return 0;
}

int ExcelFile::emitText(uint16_t type, std::string_view text)
{
    const auto record = shortTextRecord(type, text);
    return record ? emit(*record) : ErrOverflow;
}

int ExcelFile::emitSwitch(uint16_t type, bool on)
{
    return emit(RecordBuilder(type, 2).u16(on ? 1 : 0).take());
}

int ExcelFile::emitHeight(uint16_t type, int HeightValue)
{
    const auto twentieths = scaled(HeightValue, 20);
    if (!twentieths)
        return ErrOverflow;
    return emit(RecordBuilder(type, 2).u16(*twentieths).take());
}

int ExcelFile::InsertHorizPageBreak(int32_t lrow)
{
    const auto row = toIndex(lrow);
    // The record's length field holds 2 bytes per break plus 2.
    if (!row || pageBreaks_.size() >= 32766)
        return ErrOverflow;
    pageBreaks_.push_back(*row);
    return 0;
}

int ExcelFile::WriteValue(int ValueType, int CellFontUsed, int Alignment, int HiddenLocked,
                          int32_t lrow, int32_t lcol, const Variant& Value, int CellFormat)
{
    if (ValueType != Integer && ValueType != Number && ValueType != Text)
        return 0;
    const auto attributes = cellAttributes(CellFontUsed, Alignment, HiddenLocked, CellFormat);
    const auto row = toIndex(lrow);
    const auto col = toIndex(lcol);
    if (!attributes || !row || !col)
        return ErrOverflow;

    auto cell = [&](uint16_t type, std::size_t length) {
        RecordBuilder record(type, length);
        record.u16(*row).u16(*col);
        for (uint8_t b : *attributes)
            record.u8(b);
        return record;
    };

    if (ValueType == Text) {
        const std::string text = ansiText(Value.toText());
        if (text.size() > 255)
            return ErrOverflow;
        return emit(
            cell(kLabel, text.size() + 8).u8(static_cast<uint8_t>(text.size())).chars(text).take());
    }
    const std::optional<double> number = Value.tryNumber();
    if (!number)
        return ErrTypeMismatch;
    if (ValueType == Number)
        return emit(cell(kNumber, 15).f64(*number).take());
    // The INTEGER record holds an unsigned 16-bit value.
    const double rounded = roundHalfEven(*number);
    if (!(rounded >= 0.0 && rounded <= 65535.0))
        return ErrOverflow;
    return emit(cell(kInteger, 9).u16(static_cast<uint16_t>(rounded)).take());
}

int ExcelFile::SetMargin(int Margin, double MarginValue)
{
    if (Margin < LeftMargin || Margin > BottomMargin)
        return ErrInvalidArgument;
    return emit(RecordBuilder(static_cast<uint16_t>(Margin), 8).f64(MarginValue).take());
}

int ExcelFile::SetColumnWidth(int FirstColumn, int LastColumn, int WidthValue)
{
    const auto first = toByte(int64_t{FirstColumn} - 1);
    const auto last = toByte(int64_t{LastColumn} - 1);
    const auto width = scaled(WidthValue, 256);
    if (!first || !last || !width)
        return ErrOverflow;
    if (*first > *last)
        return ErrInvalidArgument;
    return emit(RecordBuilder(kColWidth, 4).u8(*first).u8(*last).u16(*width).take());
}

int ExcelFile::SetFont(std::string_view FontName, int FontHeight, int FontFormat)
{
    const std::string name = ansiText(FontName);
    const auto height = scaled(FontHeight, 20);
    const auto flags = toByte(FontFormat);
    if (name.size() > 255 || !height || !flags)
        return ErrOverflow;
    return emit(RecordBuilder(kFont, name.size() + 5)
                    .u16(*height)
                    .u8(*flags)
                    .u8(0)
                    .u8(static_cast<uint8_t>(name.size()))
                    .chars(name)
                    .take());
}

int ExcelFile::SetHeader(std::string_view HeaderText)
{
    return emitText(kHeader, HeaderText);
}

int ExcelFile::SetFooter(std::string_view FooterText)
{
    return emitText(kFooter, FooterText);
}

int ExcelFile::SetFilePassword(std::string_view PasswordText)
{
    const std::string text = ansiText(PasswordText);
    if (text.size() > 65535)
        return ErrOverflow;
    return emit(RecordBuilder(kFilePass, text.size()).chars(text).take());
}

void ExcelFile::PrintGridLines(bool newvalue)
{
    emitSwitch(kPrintGridLines, newvalue);
}

void ExcelFile::ProtectSpreadsheet(bool newvalue)
{
    emitSwitch(kProtect, newvalue);
}

int ExcelFile::WriteDefaultFormats()
{
    // The count is the highest format index.
    if (int status = emit(RecordBuilder(kFormatCount, 2).u16(kDefaultFormats.size() - 1).take()))
        return status;
    for (std::string_view format : kDefaultFormats) {
        if (int status = emitText(kFormat, format))
            return status;
    }
    return 0;
}

std::string ExcelFile::MKI(uint16_t value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

int ExcelFile::SetDefaultRowHeight(int HeightValue)
{
    return emitHeight(kDefaultRowHeight, HeightValue);
}

int ExcelFile::SetRowHeight(int32_t lrow, int HeightValue)
{
    const auto row = toIndex(lrow);
    const auto height = scaled(HeightValue, 20);
    if (!row || !height)
        return ErrOverflow;
    return emit(RecordBuilder(kRow, 16)
                    .u16(*row)
                    .u16(0)
                    .u16(256)
                    .u16(*height)
                    .u16(0)
                    .u8(0)
                    .u16(0)
                    .u8(0)
                    .u8(0)
                    .u8(0)
                    .take());
}

} // namespace kv
