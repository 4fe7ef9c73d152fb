#include "platform/rules/runtime_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kv {

namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;
constexpr std::string_view kBlanks = " \t\r\n";

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// The magnitude of a finite value as `significant` decimal digits d0 d1 d2 ... and the power
// of ten of d0.
struct DecimalDigits
{
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalDigits decimalDigits(double value, int significant)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    DecimalDigits d;
    d.negative = std::signbit(value);
    for (char c : text.substr(0, e))
        if (c != '.')
            d.digits += c;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    d.exponent);
    return d;
}

enum class Tie
{
    Even,
    AwayFromZero
};

std::string withoutLeadingZeros(const std::string& digits)
{
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// The magnitude rounded to `decimals` places, as the digits of magnitude x 10^decimals.
std::string scaledDigits(const DecimalDigits& d, int decimals, Tie tie)
{
    const int size = static_cast<int>(d.digits.size());
    const int keep = d.exponent + decimals + 1;
    if (keep >= size)
        return withoutLeadingZeros(d.digits +
                                   std::string(static_cast<std::size_t>(keep - size), '0'));
    if (keep < 0)
        return "0"; // below a tenth of the last kept place
    std::string kept = d.digits.substr(0, static_cast<std::size_t>(keep));
    const char next = d.digits[static_cast<std::size_t>(keep)];
    const bool restNonZero =
        d.digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) != std::string::npos;
    const bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    const bool up =
        next > '5' || (next == '5' && (restNonZero || tie == Tie::AwayFromZero || lastOdd));
    if (up) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
            kept[static_cast<std::size_t>(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    return withoutLeadingZeros(kept);
}

// Fixed-point text of a value rounded to `decimals` places, with at least `minIntDigits`
// integer digits; no minus sign when the rounded value is zero.
std::string fixedText(double value, int decimals, int minIntDigits, Tie tie)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const DecimalDigits d = decimalDigits(value, kDoubleDigits);
    std::string scaled = scaledDigits(d, decimals, tie);
    const bool negative = d.negative && scaled != "0";
    const auto width = static_cast<std::size_t>(decimals + 1);
    if (scaled.size() < width)
        scaled.insert(0, width - scaled.size(), '0');
    std::string whole = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    const std::string fraction = scaled.substr(whole.size());
    whole = withoutLeadingZeros(whole);
    if (whole == "0" && minIntDigits == 0)
        whole.clear();
    if (static_cast<int>(whole.size()) < minIntDigits)
        whole.insert(0, static_cast<std::size_t>(minIntDigits) - whole.size(), '0');
    std::string text = negative ? "-" + whole : whole;
    if (decimals > 0)
        text += "." + fraction;
    return text;
}

template <typename Float> std::string generalText(Float value, int significant)
{
    if (!std::isfinite(value))
        return nonFiniteText(static_cast<double>(value));
    if (value == 0)
        return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significant);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

// ---- Rounding --------------------------------------------------------------------------------

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below; // exact for every finite double
    if (fraction > 0.5)
        return below + 1.0;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const std::string text = fixedText(value, std::max(decimals, 0), 1, Tie::Even);
    double result = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::optional<std::int16_t> roundToInt16(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int16_t>::min() &&
          r <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> roundToInt32(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

int truncateToPosition(double value)
{
    return value > -2147483649.0 && value < 2147483648.0 ? static_cast<int>(value) : 0;
}

// ---- Format patterns -------------------------------------------------------------------------

std::string formatPattern(double value, std::string_view pattern)
{
    const auto point = pattern.find('.');
    const std::string_view whole = pattern.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    const bool wholeValid =
        std::all_of(whole.begin(), whole.end(), [](char c) { return c == '#' || c == '0'; });
    const bool fractionValid =
        std::all_of(fraction.begin(), fraction.end(), [](char c) { return c == '0'; });
    if (pattern.empty() || !wholeValid || !fractionValid)
        throw std::invalid_argument("unsupported format pattern: " + std::string(pattern));
    const auto minIntDigits = static_cast<int>(std::count(whole.begin(), whole.end(), '0'));
    return fixedText(value, static_cast<int>(fraction.size()), minIntDigits, Tie::AwayFromZero);
}

// ---- Number to text --------------------------------------------------------------------------

std::string doubleToText(double value)
{
    return generalText(value, kDoubleDigits);
}

std::string singleToText(float value)
{
    return generalText(value, kSingleDigits);
}

// ---- Print and Write statement forms ---------------------------------------------------------

StatementItem::StatementItem(const Variant& value)
{
    switch (value.kind()) {
    case Variant::Kind::Empty:
        break;
    case Variant::Kind::Boolean:
        kind_ = Kind::Boolean;
        flag_ = value.toBoolean();
        break;
    case Variant::Kind::Number:
        kind_ = Kind::Double;
        number_ = value.toNumber();
        break;
    case Variant::Kind::Text:
        kind_ = Kind::Text;
        text_ = value.toText();
        break;
    }
}

std::string StatementItem::numberText() const
{
    return kind_ == Kind::Single ? singleToText(static_cast<float>(number_))
                                 : doubleToText(number_);
}

std::string PrintStatementText(const StatementItem& item, char decimalSeparator)
{
    switch (item.kind()) {
    case StatementItem::Kind::Empty:
        return {};
    case StatementItem::Kind::Boolean:
        return item.flag() ? "True" : "False";
    case StatementItem::Kind::Text:
        return item.text();
    case StatementItem::Kind::Double:
    case StatementItem::Kind::Single:
        break;
    }
    std::string text = item.numberText();
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return (text.front() == '-' ? "" : " ") + text + " ";
}

std::string WriteStatementText(const std::vector<StatementItem>& items)
{
    std::string line;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            line += ',';
        const StatementItem& item = items[i];
        switch (item.kind()) {
        case StatementItem::Kind::Empty:
            break;
        case StatementItem::Kind::Boolean:
            line += item.flag() ? "#TRUE#" : "#FALSE#";
            break;
        case StatementItem::Kind::Text:
            line += '"' + item.text() + '"';
            break;
        case StatementItem::Kind::Double:
        case StatementItem::Kind::Single:
            line += item.numberText();
            break;
        }
    }
    return line;
}

// ---- Reading lines back ----------------------------------------------------------------------

char systemDecimalSeparator()
{
    const QChar point = QLocale::system().decimalPoint();
    return point.unicode() > 0 && point.unicode() < 128 ? static_cast<char>(point.unicode()) : '.';
}

std::optional<double> parseNumberText(std::string_view text)
{
    const std::string_view s = trimBlanks(text);
    std::string normal;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            normal += '-';
        ++i;
    }
    std::size_t mantissaDigits = 0;
    bool wholeIsZero = true;
    for (; i < s.size() && isDigit(s[i]); ++i, ++mantissaDigits) {
        wholeIsZero = wholeIsZero && s[i] == '0';
        normal += s[i];
    }
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        normal += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++mantissaDigits)
            normal += s[i];
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        normal += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            normal += s[i++];
        }
        const std::size_t start = i;
        for (; i < s.size() && isDigit(s[i]); ++i)
            normal += s[i];
        if (i == start)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    double value = 0.0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold reads as zero; too large is no number.
        const bool tiny =
            negativeExponent || (wholeIsZero && normal.find('e') == std::string::npos);
        if (!tiny)
            return std::nullopt;
        return normal.front() == '-' ? -0.0 : 0.0;
    }
    if (result.ec != std::errc() || result.ptr != normal.data() + normal.size())
        return std::nullopt;
    return value;
}

std::optional<bool> parseBooleanText(std::string_view text)
{
    const std::string_view s = trimBlanks(text);
    if (equalsIgnoringCase(s, "True") || equalsIgnoringCase(s, "#TRUE#"))
        return true;
    if (equalsIgnoringCase(s, "False") || equalsIgnoringCase(s, "#FALSE#"))
        return false;
    if (const auto number = parseNumberText(s))
        return *number != 0.0;
    return std::nullopt;
}

// ---- Time stamp ------------------------------------------------------------------------------

namespace {

// The locale's long time format without its time-zone fields ('t' outside quoted literals).
QString longTimeFormatWithoutZone(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            result += c;
    }
    return result.trimmed();
}

} // namespace

std::string shortDateText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::ShortFormat).toStdString();
}

std::string longTimeText(const QTime& time, const QLocale& locale)
{
    return locale.toString(time, longTimeFormatWithoutZone(locale)).toStdString();
}

std::array<std::string, 3> TimeStampTrailer(const QDateTime& when, const QLocale& locale)
{
    const auto line = [](std::string text) {
        return WriteStatementText(
            {StatementItem{}, StatementItem{}, StatementItem{}, std::move(text)});
    };
    return {line("Time Stamp"), line(shortDateText(when.date(), locale)),
            line(longTimeText(when.time(), locale))};
}

} // namespace kv
