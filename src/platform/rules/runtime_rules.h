#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The runtime's number and text rules, in one place for every file format and read-out:
// Booleans with all bits set, rounding to integers and to decimals, the Format patterns, the
// number-to-text rule, the Print and Write statement forms and the readers' parsing of lines.

#include "platform/rules/variant.h"

#include <QDateTime>
#include <QLocale>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kv {

// ---- Booleans --------------------------------------------------------------------------------

// True is all bits set in a 16-bit field, False is 0.
inline constexpr std::int16_t kRuntimeTrue = -1;
inline constexpr std::int16_t kRuntimeFalse = 0;

constexpr std::int16_t toRuntimeBoolean(bool flag)
{
    return flag ? kRuntimeTrue : kRuntimeFalse;
}
// Any value other than 0 counts as True, as in the runtime's conditions.
constexpr bool fromRuntimeBoolean(std::int32_t field)
{
    return field != 0;
}

// ---- Rounding --------------------------------------------------------------------------------

// Rounds to the nearest whole number, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), on the binary value as the runtime's integer conversions do. NaN stays NaN.
double roundHalfEven(double value);

// Rounds to `decimals` places (0 or more), a half to the even neighbour. The half is judged on
// the value's 15-digit decimal text, so 12.25 gives 12.2 and 1.235 gives 1.24 as a reader of
// those digits expects. A negative `decimals` counts as 0.
double roundHalfEven(double value, int decimals);

// Integer conversions: rounding halves to even, then range check. They report overflow (and
// NaN) as nullopt, where the runtime raises its overflow error; callers decide what to keep.
std::optional<std::int16_t> roundToInt16(double value);
std::optional<std::int32_t> roundToInt32(double value);
// A whole-number position or index held as a number, truncated toward zero; 0 (no position of
// any table) for NaN or a number outside the int range, which a damaged file can leave there.
int truncateToPosition(double value);
inline int truncateToPosition(const Variant& value)
{
    return truncateToPosition(value.toNumber());
}

// ---- Format patterns -------------------------------------------------------------------------

// The value in a Format pattern made of '#' and '0' digits with an optional '.' and '0'
// decimals: "##0", "0.000", "##0.000", "###0.000". Fixed point with as many decimals as the
// pattern has after its point, at least as many integer digits as it has '0's before it, no
// thousands separator, "." as point, rounded half away from zero on the value's 15-digit
// decimal text (0.0005 -> "0.001", 2.5 -> "3" in "##0"). A negative value that rounds to zero
// is written without its minus sign ("0.000"), so no read-out shows "-0". Non-finite values
// give "NaN", "Inf" or "-Inf". Throws std::invalid_argument for any other pattern character.
std::string formatPattern(double value, std::string_view pattern);

// ---- Number to text --------------------------------------------------------------------------

// The runtime's number-to-text rule: the shortest text of the value rounded to 15 significant
// digits (7 for a 32-bit float), "." as point, "-" before negative values, no trailing zeros,
// no point for whole numbers: 1.23, 12.3, 123, 0.05. Values below 1 keep their leading zero
// ("0.5"), which every reader here accepts as well as ".5". Exponent form where the decimal
// exponent is 15 or more (7 for floats) or below -4: "1E+15", "1.5E-05", "-2E+20". Minus zero
// prints as "0"; non-finite values as "NaN", "Inf", "-Inf".
std::string doubleToText(double value);
std::string singleToText(float value);

// ---- Print and Write statement forms ---------------------------------------------------------

// One item of a Print or Write statement: nothing, a Boolean, a 64-bit or a 32-bit number, or
// a text. A Variant prints by what it holds (its numbers are 64-bit).
class StatementItem
{
  public:
    enum class Kind
    {
        Empty,
        Boolean,
        Double,
        Single,
        Text
    };

    StatementItem() = default;
    StatementItem(const Variant& value);
    StatementItem(double number) : kind_(Kind::Double), number_(number) {}
    StatementItem(float number) : kind_(Kind::Single), number_(number) {}
    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    StatementItem(T number) : kind_(Kind::Double), number_(static_cast<double>(number))
    {
    }
    StatementItem(bool flag) : kind_(Kind::Boolean), flag_(flag) {}
    StatementItem(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    StatementItem(const char* text) : kind_(Kind::Text), text_(text) {}

    Kind kind() const { return kind_; }
    double number() const { return number_; }
    bool flag() const { return flag_; }
    const std::string& text() const { return text_; }
    // The number by the number-to-text rule for its width ("." as point).
    std::string numberText() const;

  private:
    Kind kind_ = Kind::Empty;
    double number_ = 0.0;
    bool flag_ = false;
    std::string text_;
};

// Every statement line of the data files ends so.
inline constexpr std::string_view kStatementLineEnd = "\r\n";

// The Print statement form of one value, as the settings file writes it (without line end):
// a text as it is; a number with a blank before it when it is not negative (its minus sign
// otherwise) and a blank after it (" 1 ", "-3 ", " 1.5 "), `decimalSeparator` as point;
// Booleans "True" / "False"; nothing for an empty item.
std::string PrintStatementText(const StatementItem& item, char decimalSeparator = '.');

// The Write statement form of one line (without line end): items separated by commas, texts
// in double quotes (kept as they are), numbers without blanks and with "." as point, Booleans
// #TRUE# / #FALSE#, an empty item as nothing (so three empty items and a text give ,,,"x").
std::string WriteStatementText(const std::vector<StatementItem>& items);

// ---- Reading lines back ----------------------------------------------------------------------

// The locale's decimal separator (QLocale::system()), the point the settings file is written
// with; '.' when it is not a single ASCII char.
char systemDecimalSeparator();

// A line read as a number: blanks (space, tab, CR, LF) around it ignored, an optional sign,
// digits with "." or "," as point (".5", "5.", "0.5" and "0,5" all read), an optional exponent
// ("1E-05"). Both points read in every locale, so a file written where the point is "," reads
// where it is "." and back; the files hold no thousands separators. Anything else (empty,
// garbage, a second point, "1,000.5", "NaN", "inf", values beyond the 64-bit range) gives
// nullopt.
std::optional<double> parseNumberText(std::string_view text);

// A line read as a Boolean: "True"/"False" or "#TRUE#"/"#FALSE#" (any case, blanks ignored),
// or a number (not 0 is True). nullopt for anything else.
std::optional<bool> parseBooleanText(std::string_view text);

// ---- Time stamp ------------------------------------------------------------------------------

// The date in the locale's short date form and the time in its long time form (without the
// time zone), the texts of the spreadsheet and comma-delimited time stamps.
std::string shortDateText(const QDate& date, const QLocale& locale = QLocale::system());
std::string longTimeText(const QTime& time, const QLocale& locale = QLocale::system());

// The three Write statement lines (without line ends) that end every exported and reference
// file: ,,,"Time Stamp" then ,,,"<date>" then ,,,"<time>".
std::array<std::string, 3> TimeStampTrailer(const QDateTime& when,
                                            const QLocale& locale = QLocale::system());

} // namespace kv
