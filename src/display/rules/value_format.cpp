#include "display/rules/value_format.h"

#include "platform/rules/runtime_rules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kv {

namespace {

// One row of a unit table: the first `chars` characters of the number's text, multiplied by
// `factor` when it is not 0 (read back as a number and turned into text again), then `unit`.
struct UnitRow
{
    std::size_t chars;
    double factor;
    const char* unit;
};

constexpr std::array<UnitRow, 9> kTimeRows = {{{3, 0, " uS"},
                                               {4, 0, " uS"},
                                               {4, 1, " uS"},
                                               {3, 0.01, " mS"},
                                               {3, 0.1, " mS"},
                                               {3, 0, " mS"},
                                               {3, 0.01, "  S"},
                                               {3, 0.1, "  S"},
                                               {3, 0, "  S"}}};

constexpr std::array<UnitRow, 10> kFrequencyRows = {{{4, 0, " Hz"},
                                                     {4, 0, " Hz"},
                                                     {3, 0, " Hz"},
                                                     {3, 0.01, "KHz"},
                                                     {3, 0.1, "KHz"},
                                                     {3, 0, "KHz"},
                                                     {3, 0.01, "MHz"},
                                                     {3, 0.1, "MHz"},
                                                     {3, 0, "MHz"},
                                                     {3, 0.01, "GHz"}}};

// The number of characters of the value rounded to a whole number (halves to even), a minus
// sign included: 999.6 has 4, 0.5 has 1.
std::size_t digitCount(double value)
{
    return doubleToText(roundHalfEven(value)).size();
}

template <std::size_t N>
std::optional<std::string> unitText(double value, const std::array<UnitRow, N>& rows)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const std::size_t n = digitCount(value);
    if (n < 1 || n > N)
        return std::nullopt;
    const UnitRow& row = rows[n - 1];
    // The leading characters are cut from the number's text, not rounded. When rounding to a
    // whole number carries into a new digit (99.6 counts 3 digits, 999.6 counts 4) and the row
    // takes no more characters than that whole number has, the cut text ("99.", "999") would
    // read wrong or ten times too small; the rounded text ("100", "1000") is taken instead.
    const bool carried = row.chars <= n && doubleToText(std::trunc(value)).size() < n;
    const std::string text = doubleToText(carried ? roundHalfEven(value) : value);
    std::string lead = text.substr(0, std::min(row.chars, text.size()));
    if (row.factor != 0) {
        const auto number = parseNumberText(lead);
        if (!number)
            return std::nullopt;
        lead = doubleToText(*number * row.factor);
    }
    return lead + row.unit;
}

} // namespace

std::optional<std::string> Format_Voltage(const Variant& value)
{
    const auto number = value.tryNumber();
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    const std::string t = formatPattern(*number, "##0.000");
    const bool negative = t.front() == '-';
    const char first = t[negative ? 1 : 0];
    if (first == '0') {
        // Below 1 V: the three decimals of t are the millivolts; at most two leading zeros go.
        std::string r = t.substr(t.size() - 3) + "mV";
        for (int i = 0; i < 2 && r.front() == '0'; ++i)
            r.erase(0, 1);
        return negative ? "-" + r : r;
    }
    // Four significant digits; from 1000 V on, whole volts.
    const auto p = static_cast<int>(t.find('.')) + 1;
    const int d = std::max(4 - p + (negative ? 1 : 0), 0);
    const double rounded = roundHalfEven(parseNumberText(t).value_or(0.0), d);
    return doubleToText(rounded) + " V";
}

std::optional<std::string> Format_Time(double FreqEstimate)
{
    const double micros = FreqEstimate == 0 ? 0.0 : 1.0 / FreqEstimate * 1000000.0;
    return unitText(micros, kTimeRows);
}

std::optional<std::string> Format_Time2CH(double FreqEstimate)
{
    return Format_Time(FreqEstimate);
}

std::optional<std::string> Format_Frequency(const Variant& value)
{
    const auto number = value.tryNumber();
    if (!number)
        return std::nullopt;
    return unitText(*number, kFrequencyRows);
}

} // namespace kv
