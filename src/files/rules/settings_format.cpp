#include "files/rules/settings_format.h"

#include "platform/rules/com_port_map.h"
#include "state/global_v.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_table.h"

#include <QString>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace kv {

// ---- Format ------------------------------------------------------------------------------------

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

// What a line must hold for the loader to store or apply it.
struct LineRule
{
    enum Kind
    {
        Bits,        // a string of `low` characters "0" or "1"
        Choice,      // one of the texts of `choices`
        Boolean,     // True or False (or a number)
        Number,      // a finite number
        Positive,    // a finite number above 0
        Whole,       // a whole number from `low` to `high`
        Channel,     // ActiveChannel: 0, 1, 2 or 5
        Attenuation, // empty, or a number from 0 up whose twentieth is a 32-bit float
        Gain,        // empty, or a 32-bit float above 0
        Text,        // any text
    } kind;
    int low = 0;
    int high = 0;
    std::array<const char*, 3> choices{};
};

LineRule ruleOfLine(int line)
{
    namespace L = SettingsLine;
    using R = LineRule;
    switch (line) {
    case L::TrigSourceBits:
    case L::TrigSlopeBits:
    case L::TrigSlopeSaved:
    case L::FastChannelBits:
        return {R::Bits, 2};
    case L::CH1RangeBit:
    case L::CH2RangeBit:
        return {R::Bits, 1};
    case L::CH1EnableBits:
    case L::CH2EnableBits:
        return {R::Bits, 4};
    case L::TimebaseCode:
        return {R::Bits, 5};
    case L::TrigEdgeText:
        return {R::Choice, 0, 0, {"Rising", "Falling"}};
    case L::TrigSourceText:
        return {R::Choice, 0, 0, {"CH1", "CH2", "TTL"}};
    case L::TrigEdge:
    case L::TrigMode:
    case L::AcquireMode:
    case L::CH1Button:
    case L::CH2Button:
    case L::FramePlotted:
    case L::FirstRun:
    case L::ShowRefTip:
    case L::ShowHardwareCheck:
        return {R::Boolean};
    case L::TrigSourcePosition:
        return {R::Whole, 1, 3};
    case L::CursorAction:
        return {R::Whole, 1, 2};
    case L::TimeDiv:
        return {R::Whole, 1, TimebasePositions};
    case L::VdivIndexCH1:
    case L::VdivIndexCH2:
    case L::VdivIndex:
        return {R::Whole, 1, VoltsDivPositions};
    case L::CursorAColor:
    case L::CursorBColor:
        return {R::Whole, 0, 0xFFFFFF};
    case L::COMIndex:
        return {R::Whole, -1, LastComPort - 1};
    case L::TrigPosByte1:
    case L::TrigPosByte2:
    case L::TrigPosByte3:
    case L::TrigPosByte4:
        return {R::Whole, 0, 255};
    case L::HTrigPosition:
        return {R::Whole, 1, 3};
    case L::ActiveChannel:
        return {R::Channel};
    case L::VdivCH1:
    case L::VdivCH2:
    case L::VdivOldCH1:
    case L::VdivOldCH2:
    case L::PlotScaleCH1:
    case L::PlotScaleCH2:
        return {R::Positive};
    case L::ATTCH1:
    case L::ATTCH2:
        return {R::Attenuation};
    case L::GainLo:
    case L::GainHi:
    case L::GainLoRev2:
    case L::GainHiRev2:
        return {R::Gain};
    case L::PeriodVAL:
    case L::PeriodVAL2:
        return {R::Text};
    default:
        return {R::Number};
    }
}

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
        if (const auto fault = lineFault(ruleOfLine(line), content.line(line)))
            return LineRefusal(line, content.line(line), *fault);
    }
    return std::nullopt;
}

} // namespace kv
