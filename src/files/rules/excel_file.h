#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/variant.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Where the bytes of a worksheet go.
class ByteSink
{
  public:
    virtual ~ByteSink() = default;
    // Appends the bytes; false when they could not all be written.
    virtual bool write(const uint8_t* data, std::size_t size) = 0;
    // Why the last write failed.
    virtual QString errorText() const { return QStringLiteral("write failed"); }
};

// A sink that keeps the bytes in memory.
class MemoryByteSink final : public ByteSink
{
  public:
    bool write(const uint8_t* data, std::size_t size) override;
    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
};

// Outcome of starting or finishing a worksheet: code 0 on success, else the error number and
// a text saying what went wrong.
struct ExcelResult
{
    int code = 0;
    QString reason;
    bool ok() const { return code == 0; }
};

// Writes a worksheet in the Excel 2.1 binary interchange format (BIFF2), record by record, in
// the order of the calls. Rows and columns are 1-based here and 0-based in the file. Texts are
// UTF-8 and are written one byte per character in the Western single-byte code page
// (windows-1252); a character it cannot represent becomes "?".
//
// Every record operation returns 0 on success or an error number; a record whose arguments do
// not fit is not written at all. After a write failure nothing more is written to the sheet,
// and CloseFile reports that failure.
class ExcelFile
{
  public:
    // Record kinds of WriteValue; any other value writes nothing.
    enum CellValueType : int
    {
        Integer = 0,
        Number = 1,
        Text = 2
    };
    // Font choice of a cell (added to the number-format index in the cell's second attribute).
    enum CellFont : int
    {
        Font0 = 0,
        Font1 = 64,
        Font2 = 128,
        Font3 = 192
    };
    // Horizontal alignment of a cell.
    enum CellAlignment : int
    {
        AlignGeneral = 0,
        AlignLeft = 1,
        AlignCentre = 2,
        AlignRight = 3,
        AlignFill = 4
    };
    // Record types of the four page margins, for SetMargin.
    enum MarginType : int
    {
        LeftMargin = 0x26,
        RightMargin = 0x27,
        TopMargin = 0x28,
        BottomMargin = 0x29
    };
    // FONT option flags.
    enum FontOption : int
    {
        FontPlain = 0,
        FontBold = 1,
        FontItalic = 2,
        FontUnderline = 4,
        FontStrikeout = 8
    };

    // Error numbers returned.
    static constexpr int ErrInvalidArgument = 5;
    static constexpr int ErrOverflow = 6;
    static constexpr int ErrTypeMismatch = 13;
    static constexpr int ErrBadFileNumber = 52;
    static constexpr int ErrDeviceIO = 57;
    static constexpr int ErrPathFileAccess = 75;

    ExcelFile();
    ~ExcelFile();
    ExcelFile(const ExcelFile&) = delete;
    ExcelFile& operator=(const ExcelFile&) = delete;

    // Starts a sheet in a new file, replacing any file of that name: BOF and the default
    // formats. Fails with the reason when the file cannot be created or written.
    ExcelResult CreateFile(const QString& FileName);
    // Starts a sheet in the caller's sink, which must outlive the sheet.
    ExcelResult CreateFile(ByteSink& sink);
    // Writes the page breaks and EOF and closes the file. Before any CreateFile: nothing, ok.
    // Reports any write failure since CreateFile, and a failure to flush or close the file.
    ExcelResult CloseFile();

    // Remembers a page break above the 1-based row lrow; written sorted by CloseFile.
    int InsertHorizPageBreak(int32_t lrow);
    // One INTEGER (0 to 65535), NUMBER or LABEL (up to 255 characters) cell.
    int WriteValue(int ValueType, int CellFontUsed, int Alignment, int HiddenLocked, int32_t lrow,
                   int32_t lcol, const Variant& Value, int CellFormat = 0);
    // Margin is one of MarginType; MarginValue in inches.
    int SetMargin(int Margin, double MarginValue);
    // Columns 1 to 256, FirstColumn <= LastColumn; WidthValue 0 to 127 characters.
    int SetColumnWidth(int FirstColumn, int LastColumn, int WidthValue);
    // FontHeight 0 to 1638 points; FontFormat a combination of FontOption flags.
    int SetFont(std::string_view FontName, int FontHeight, int FontFormat);
    int SetHeader(std::string_view HeaderText);
    int SetFooter(std::string_view FooterText);
    // Writes the text itself as the FILEPASS record.
    int SetFilePassword(std::string_view PasswordText);
    // Set-only switches: a failure shows only in CloseFile's result.
    void PrintGridLines(bool newvalue);
    void ProtectSpreadsheet(bool newvalue);
    // FORMATCOUNT and the 24 built-in number formats (called by CreateFile).
    int WriteDefaultFormats();
    // The two bytes of value, low byte first.
    static std::string MKI(uint16_t value);
    // HeightValue 0 to 1638 points.
    int SetDefaultRowHeight(int HeightValue);
    int SetRowHeight(int32_t lrow, int HeightValue);

  private:
    class FileSink;
    using Record = std::vector<uint8_t>;
    enum class State
    {
        NeverOpened,
        Open,
        Closed
    };

    ExcelResult start(ByteSink& sink);
    int emit(const Record& record);
    int emitText(uint16_t type, std::string_view text);
    int emitSwitch(uint16_t type, bool on);
    int emitHeight(uint16_t type, int HeightValue);

    State state_ = State::NeverOpened;
    ByteSink* sink_ = nullptr;
    std::unique_ptr<FileSink> file_;
    ExcelResult failure_;
    std::vector<uint16_t> pageBreaks_;
};

} // namespace kv
