#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The three layouts of the data exports (worksheet and comma-delimited file): which samples go
// out, how they are scaled and timed, and the rows and lines that result. Pure functions of
// the scope state and the sample arrays.

#include "platform/rules/variant.h"
#include "state/global_v.h"

#include <QDateTime>
#include <QLocale>
#include <string>
#include <vector>

namespace kv {

class ExcelFile;

enum class ExportLayout
{
    TwoChannel750,  // fastest timebase, both traces shown: the 750-point records
    SingleChannel,  // fastest timebase, not both shown: the single-channel record (CountsCH1)
    TwoChannel1500, // any other timebase
};

// What the layouts are chosen and scaled from.
struct ExportSettings
{
    Variant HTrigPosition; // 1, 2, 3
    Variant VdivIndexCH1, VdivIndexCH2;
    float SampleTime = 0;
    int timeDivPosition = 0; // CWKnob2, 1-based
    bool pch1Shown = false, pch2Shown = false;
    Variant ActiveChannel;
};

// Trigger sample of HTrigPosition 1, 2, 3: 150, 750, 1350; 0 for anything else.
int ExportTriggerSample(const Variant& HTrigPosition);
// Volts per count of a volts/div index: -0.01537037 (1 to 3), -0.076857143 (4 to 6), else 0.
float ExportVoltsFactor(const Variant& vdivIndex);
ExportLayout ChooseExportLayout(int timeDivPosition, bool pch1Shown, bool pch2Shown);

// One sample row: the time and one or two voltages. The time is the sample's offset from the
// trigger sample times SampleTime, a 32-bit value (written with 7 digits in the text file).
struct ExportRow
{
    double time = 0;
    std::vector<double> volts;
};

// The rows of one export. `channels` names the voltage columns (1 or 2), empty when nothing
// but the time stamp is written (single-channel layout without a selected channel).
struct ExportTable
{
    ExportLayout layout = ExportLayout::TwoChannel1500;
    std::vector<int> channels;
    std::vector<ExportRow> rows;
};

ExportTable BuildExportTable(const ExportSettings& settings, const SampleArrays& samples);

// Column titles: "Time (S)", "CH1 (V)", ... for the worksheet; "Time(S)", "CH1(V)", ... for the
// comma-delimited file. Empty when the table has no columns.
std::vector<std::string> WorksheetTitles(const ExportTable& table);
std::vector<std::string> CsvTitles(const ExportTable& table);

// The lines of the comma-delimited file, without line ends: titles, samples, time stamp.
std::vector<std::string> CsvLines(const ExportTable& table, const QDateTime& when,
                                  const QLocale& locale = QLocale::system());
// The whole file, every line ended by CR LF.
std::string CsvFileText(const ExportTable& table, const QDateTime& when,
                        const QLocale& locale = QLocale::system());

// The worksheet's page header and footer.
inline constexpr const char* kWorksheetHeader = "Oscilloscope R7T";
inline constexpr const char* kWorksheetFooter = "www.kestrovue.example/r7t";

// Writes the sheet's records after CreateFile: page settings, fonts, header and footer, titles,
// sample rows and the time stamp (column 5). Returns the first failing record's error, else 0.
int WriteWorksheet(ExcelFile& sheet, const ExportTable& table, const QDateTime& when,
                   const QLocale& locale = QLocale::system());

} // namespace kv
