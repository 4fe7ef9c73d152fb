#include "files/rules/reference_format.h"

#include "platform/rules/runtime_rules.h"
#include "state/channel_fields.h"
#include "state/global_v.h"
#include "state/timebase_table.h"

#include <cmath>

namespace kv {

// ---- Format ------------------------------------------------------------------------------------

ReferenceLayout ChooseReferenceLayout(int timeDivPosition, bool bothTracesShown)
{
    if (timeDivPosition != 1)
        return ReferenceLayout::TwoChannel;
    return bothTracesShown ? ReferenceLayout::Doubled750 : ReferenceLayout::SingleChannel;
}

std::string ReferenceTimeDivText(int timeDivPosition)
{
    if (const auto row = timebaseRow(timeDivPosition))
        return row->refText;
    return {};
}

std::vector<double> ReferenceTrace(int channel, ReferenceLayout layout, const SampleArrays& samples)
{
    std::vector<double> values;
    values.reserve(ReferenceSampleCount);
    switch (layout) {
    case ReferenceLayout::Doubled750:
        for (double v : channelSamples(samples, channel).Trace750) {
            values.push_back(v);
            values.push_back(v);
        }
        break;
    case ReferenceLayout::SingleChannel:
        values.assign(samples.TraceCH1.begin(), samples.TraceCH1.end());
        break;
    case ReferenceLayout::TwoChannel: {
        const auto& trace = channelSamples(samples, channel).Trace;
        values.assign(trace.begin(), trace.end());
        break;
    }
    }
    return values;
}

std::string ReferenceFileText(const ReferenceWaveform& w, const QDateTime& when,
                              const QLocale& locale)
{
    std::string text;
    const auto line = [&text](const std::string& content) {
        text += content;
        text += kStatementLineEnd;
    };
    line(WriteStatementText({w.voltsDiv}));
    line(WriteStatementText({w.timeDiv}));
    line(WriteStatementText({w.verticalPosition}));
    line(WriteStatementText({w.plotScale}));
    line(WriteStatementText({w.dualChannel}));
    for (double v : w.samples)
        line(WriteStatementText({v}));
    for (const std::string& trailer : TimeStampTrailer(when, locale))
        line(trailer);
    return text;
}

namespace {

// A text item of the Write form: in double quotes, with none inside.
bool quotedText(const std::string& line)
{
    return line.size() >= 2 && line.front() == '"' && line.back() == '"' &&
           line.find('"', 1) == line.size() - 1;
}

} // namespace

std::optional<FileRefusal> CheckReferenceFile(const TextLines& read)
{
    const auto& lines = read.lines;
    const auto refusal = [&](int number, const char* expected) {
        return LineRefusal(number, lines[std::size_t(number - 1)], QString::fromLatin1(expected));
    };
    const auto present = [&](int number) { return number <= int(lines.size()); };
    const auto missing = [&](int number) -> FileRefusal {
        if (read.failed && number == int(lines.size()) + 1)
            return {number, QStringLiteral("Line %1 is longer than any line of a reference "
                                           "waveform file.")
                                .arg(number)};
        return MissingLineRefusal(number);
    };
    for (int number : {1, 2}) {
        if (!present(number))
            return missing(number);
        if (!quotedText(lines[std::size_t(number - 1)]))
            return refusal(number, "a text in double quotes");
    }
    if (!present(3))
        return missing(3);
    const auto zero = parseNumberText(lines[2]);
    if (!zero || std::fabs(*zero) > ReferencePositionLimit)
        return refusal(3, "a number from -200 to 200");
    if (!present(4))
        return missing(4);
    const auto scale = parseNumberText(lines[3]);
    if (!scale || *scale < ReferenceScaleMinimum || *scale > ReferenceScaleMaximum)
        return refusal(4, "a number from 0.1 to 100");
    if (!present(5))
        return missing(5);
    if (!parseBooleanText(lines[4]))
        return refusal(5, "#TRUE# or #FALSE#");
    for (int number = ReferenceHeaderLines + 1; number <= ReferenceDataLines; ++number) {
        if (!present(number))
            return missing(number);
        const auto sample = parseNumberText(lines[std::size_t(number - 1)]);
        if (!sample)
            return refusal(number, "a number");
        if (!(std::fabs((*sample - *zero) / *scale) <= ReferenceCountLimit))
            return refusal(number, "a sample within 32767 counts of the position on line 3");
    }
    return std::nullopt;
}

} // namespace kv
