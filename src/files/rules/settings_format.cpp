#include "files/rules/settings_format.h"

#include "state/global_v.h"

#include <QString>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <variant>

namespace kv {

// ---- Format ------------------------------------------------------------------------------------

namespace {

// The value of a row's source, for every source the state holds.
struct StateValueReader
{
    const ScopeState& state;
    const GlobalV& global;

    template <class T> StatementItem operator()(T ScopeState::*field) const { return state.*field; }
    template <class T> StatementItem operator()(T GlobalV::*field) const { return global.*field; }
    StatementItem operator()(ScaledField scaled) const { return global.*scaled.field * scaled.by; }
    StatementItem operator()(SettingsFace) const { return {}; }
};

} // namespace

StatementItem SettingsStateValue(const SettingsSource& source, const ScopeState& state,
                                 const GlobalV& global)
{
    return std::visit(StateValueReader{state, global}, source);
}

std::string SettingsFileText(const SettingsValues& values, char decimalSeparator)
{
    std::string text;
    for (const StatementItem& item : values) {
        text += PrintStatementText(item, decimalSeparator);
        text += kStatementLineEnd;
    }
    return text;
}

SettingsFileContent ParseSettingsFileText(std::string_view text)
{
    const TextLines read = SplitLines(text, SettingsFileLines);
    SettingsFileContent content;
    content.count = int(read.lines.size());
    std::copy_n(read.lines.begin(), content.count, content.lines.begin());
    content.complete = content.count >= SettingsRequiredLines;
    if (read.failed)
        content.longLine = content.count + 1;
    return content;
}

// ---- Check -------------------------------------------------------------------------------------

namespace {

bool fitsSingle(double value)
{
    return std::isfinite(value) && std::fabs(value) <= double(FLT_MAX);
}

// What the line does not hold, or nullopt when it holds what its rule asks.
std::optional<QString> lineFault(const LineRule& rule, const std::string& text)
{
    const auto number = parseNumberText(text);
    // Only a line with nothing on it takes the default; a line of blanks is no number.
    const bool isEmpty = text.empty();
    switch (rule.kind) {
    case LineRule::Bits:
        if (text.size() == std::size_t(rule.low) &&
            text.find_first_not_of("01") == std::string::npos)
            return std::nullopt;
        return QStringLiteral("a string of %1 characters \"0\" or \"1\"").arg(rule.low);
    case LineRule::Choice: {
        QStringList names;
        for (const char* choice : rule.choices) {
            if (!choice)
                break;
            if (text == choice)
                return std::nullopt;
            names << QString::fromLatin1(choice);
        }
        return QStringLiteral("one of ") + names.join(QStringLiteral(", "));
    }
    case LineRule::Boolean:
        if (parseBooleanText(text))
            return std::nullopt;
        return QStringLiteral("True or False");
    case LineRule::Number:
        if (number)
            return std::nullopt;
        return QStringLiteral("a number");
    case LineRule::Positive:
        if (number && *number > 0)
            return std::nullopt;
        return QStringLiteral("a number above 0");
    case LineRule::Whole:
        if (number && std::floor(*number) == *number && *number >= rule.low && *number <= rule.high)
            return std::nullopt;
        return QStringLiteral("a whole number from %1 to %2").arg(rule.low).arg(rule.high);
    case LineRule::Channel:
        if (number && (*number == 0 || *number == 1 || *number == 2 || *number == ReferenceChannel))
            return std::nullopt;
        return QStringLiteral("a channel number (0, 1, 2 or 5)");
    case LineRule::Attenuation:
        if (isEmpty || (number && *number >= 0 && fitsSingle(*number / 20.0)))
            return std::nullopt;
        return QStringLiteral("empty or a number from 0 up");
    case LineRule::Gain:
        if (isEmpty || (number && *number > 0 && fitsSingle(*number)))
            return std::nullopt;
        return QStringLiteral("empty or a number above 0");
    case LineRule::Text:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

std::optional<FileRefusal> CheckSettingsFile(const SettingsFileContent& content)
{
    for (int line = 1; line <= SettingsFileLines; ++line) {
        if (line > content.count) {
            if (line == content.longLine)
                return FileRefusal{line, QStringLiteral("Line %1 is longer than any line of a "
                                                        "settings file.")
                                             .arg(line)};
            if (line <= SettingsRequiredLines)
                return MissingLineRefusal(line);
            continue;
        }
        if (const auto fault = lineFault(settingsLineRow(line).rule, content.line(line)))
            return LineRefusal(line, content.line(line), *fault);
    }
    return std::nullopt;
}

// ---- Store -------------------------------------------------------------------------------------

namespace {

// Puts a line's text into a row's text or Variant field; the rows that are applied take nothing.
struct FieldStore
{
    ScopeState& state;
    GlobalV& global;
    const std::string& text;

    void operator()(std::string ScopeState::*field) const { state.*field = text; }
    void operator()(Variant ScopeState::*field) const { state.*field = Variant(text); }
    void operator()(Variant GlobalV::*field) const { global.*field = Variant(text); }
    template <class Applied> void operator()(Applied) const {}
};

} // namespace

void StoreSettingsFields(const SettingsFileContent& content, ScopeState& state, GlobalV& global)
{
    const int count = std::min(content.count, SettingsRequiredLines);
    for (const SettingsLineRow& row : SettingsLines) {
        if (row.load == SettingsLoad::Stored && row.line <= count)
            std::visit(FieldStore{state, global, content.line(row.line)}, row.value);
    }
}

} // namespace kv
