#include "files/rules/export_layouts.h"

#include "files/rules/excel_file.h"
#include "platform/rules/runtime_rules.h"
#include "state/voltsdiv_range.h"

namespace kv {

namespace {

constexpr int kTitleRow = 1;
constexpr int kTimeStampColumn = 5;

double numberOf(const Variant& value)
{
    return value.tryNumber().value_or(0.0);
}

std::vector<std::string> titles(const ExportTable& table, const char* timeTitle,
                                const char* channelFormat)
{
    if (table.channels.empty())
        return {};
    std::vector<std::string> result{timeTitle};
    for (int channel : table.channels)
        result.push_back(QString::asprintf(channelFormat, channel).toStdString());
    return result;
}

// Channel of the single-channel layout (1 or 2), 0 when none is selected.
int singleChannel(const Variant& ActiveChannel)
{
    const double channel = numberOf(ActiveChannel);
    return channel == 1 || channel == 2 ? int(channel) : 0;
}

} // namespace

int ExportTriggerSample(const Variant& HTrigPosition)
{
    const double position = numberOf(HTrigPosition);
    if (position == 1)
        return 150;
    if (position == 2)
        return 750;
    if (position == 3)
        return 1350;
    return 0;
}

float ExportVoltsFactor(const Variant& vdivIndex)
{
    switch (voltsRangeOf(numberOf(vdivIndex))) {
    case VoltsRange::Low:
        return -0.01537037f;
    case VoltsRange::High:
        return -0.076857143f;
    case VoltsRange::None:
        return 0.0f;
    }
    return 0.0f;
}

ExportLayout ChooseExportLayout(int timeDivPosition, bool pch1Shown, bool pch2Shown)
{
    if (timeDivPosition != 1)
        return ExportLayout::TwoChannel1500;
    return pch1Shown && pch2Shown ? ExportLayout::TwoChannel750 : ExportLayout::SingleChannel;
}

ExportTable BuildExportTable(const ExportSettings& settings, const SampleArrays& samples)
{
    const int k = ExportTriggerSample(settings.HTrigPosition);
    const double factor1 = ExportVoltsFactor(settings.VdivIndexCH1);
    const double factor2 = ExportVoltsFactor(settings.VdivIndexCH2);
    const float step = settings.SampleTime;

    ExportTable table;
    table.layout =
        ChooseExportLayout(settings.timeDivPosition, settings.pch1Shown, settings.pch2Shown);
    switch (table.layout) {
    case ExportLayout::TwoChannel750: {
        table.channels = {1, 2};
        // Each channel is sampled every second sample period (500 kS/s at 1 us): point i is
        // sample 2i of the record, whose trigger is sample k, and is timed as that sample.
        for (int i = 0; i < SampleArrays::FastLength; ++i)
            table.rows.push_back(
                {float(2 * i - k) * step,
                 {samples.Counts750CH1[i] * factor1, samples.Counts750CH2[i] * factor2}});
        break;
    }
    case ExportLayout::SingleChannel: {
        const int channel = singleChannel(settings.ActiveChannel);
        if (channel == 0)
            break;
        table.channels = {channel};
        // The single-channel capture keeps its counts in CountsCH1 whichever channel it is.
        const double factor = channel == 1 ? factor1 : factor2;
        for (int i = 0; i < SampleArrays::Length; ++i)
            table.rows.push_back({float(i - k) * step, {samples.CountsCH1[i] * factor}});
        break;
    }
    case ExportLayout::TwoChannel1500:
        table.channels = {1, 2};
        for (int i = 0; i < SampleArrays::Length; ++i)
            table.rows.push_back(
                {float(i - k) * step,
                 {samples.CountsCH1[i] * factor1, samples.CountsCH2[i] * factor2}});
        break;
    }
    return table;
}

std::vector<std::string> WorksheetTitles(const ExportTable& table)
{
    return titles(table, "Time (S)", "CH%d (V)");
}

std::vector<std::string> CsvTitles(const ExportTable& table)
{
    return titles(table, "Time(S)", "CH%d(V)");
}

std::vector<std::string> CsvLines(const ExportTable& table, const QDateTime& when,
                                  const QLocale& locale)
{
    std::vector<std::string> lines;
    lines.reserve(table.rows.size() + 4);
    const auto titleTexts = CsvTitles(table);
    if (!titleTexts.empty())
        lines.push_back(WriteStatementText({titleTexts.begin(), titleTexts.end()}));
    std::vector<StatementItem> items;
    for (const ExportRow& row : table.rows) {
        items.clear();
        items.emplace_back(float(row.time));
        for (double volts : row.volts)
            items.emplace_back(volts);
        lines.push_back(WriteStatementText(items));
    }
    for (std::string& line : TimeStampTrailer(when, locale))
        lines.push_back(std::move(line));
    return lines;
}

std::string CsvFileText(const ExportTable& table, const QDateTime& when, const QLocale& locale)
{
    std::string text;
    for (const std::string& line : CsvLines(table, when, locale)) {
        text += line;
        text += kStatementLineEnd;
    }
    return text;
}

int WriteWorksheet(ExcelFile& sheet, const ExportTable& table, const QDateTime& when,
                   const QLocale& locale)
{
    int status = 0;
    const auto keep = [&status](int result) {
        if (status == 0)
            status = result;
    };
    sheet.PrintGridLines(false);
    keep(sheet.SetMargin(ExcelFile::TopMargin, 1.5));
    keep(sheet.SetMargin(ExcelFile::LeftMargin, 1.5));
    keep(sheet.SetMargin(ExcelFile::RightMargin, 1.5));
    keep(sheet.SetMargin(ExcelFile::BottomMargin, 1.5));
    keep(sheet.SetDefaultRowHeight(14));
    keep(sheet.SetFont("Arial", 10, ExcelFile::FontPlain));
    keep(sheet.SetFont("Arial", 10, ExcelFile::FontBold));
    keep(sheet.SetFont("Arial", 10, ExcelFile::FontBold | ExcelFile::FontUnderline));
    keep(sheet.SetFont("Courier", 16, ExcelFile::FontBold | ExcelFile::FontItalic));
    keep(sheet.SetHeader(kWorksheetHeader));
    keep(sheet.SetFooter(kWorksheetFooter));

    const auto titleTexts = WorksheetTitles(table);
    for (std::size_t column = 0; column < titleTexts.size(); ++column)
        keep(sheet.WriteValue(ExcelFile::Text, ExcelFile::Font1, ExcelFile::AlignCentre, 0,
                              kTitleRow, int(column) + 1, Variant(titleTexts[column])));
    int row = kTitleRow + 1;
    for (const ExportRow& sample : table.rows) {
        keep(sheet.WriteValue(ExcelFile::Number, ExcelFile::Font0, ExcelFile::AlignCentre, 0, row,
                              1, Variant(sample.time)));
        for (std::size_t column = 0; column < sample.volts.size(); ++column)
            keep(sheet.WriteValue(ExcelFile::Number, ExcelFile::Font0, ExcelFile::AlignCentre, 0,
                                  row, int(column) + 2, Variant(sample.volts[column])));
        ++row;
    }

    const std::string stamp[] = {"Time Stamp", shortDateText(when.date(), locale),
                                 longTimeText(when.time(), locale)};
    for (int line = 0; line < 3; ++line)
        keep(sheet.WriteValue(ExcelFile::Text, ExcelFile::Font0, ExcelFile::AlignLeft, 0, line + 1,
                              kTimeStampColumn, Variant(stamp[line])));
    return status;
}

} // namespace kv
