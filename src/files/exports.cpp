#include "files/exports.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_timer.h"
#include "files/rules/excel_file.h"
#include "platform/services.h"
#include "state/names.h"

#include <QAction>
#include <QWidget>

namespace kv {

namespace {

const QString kXlsTitle = QStringLiteral("Excel Class");
const QString kCsvTitle = QStringLiteral("Text Class");
const QString kXlsWhat = QStringLiteral("Microsoft Excel Worksheet");
const QString kCsvWhat = QStringLiteral("Comma-delimted ASCII file");

// A worksheet sink that writes beside the target and puts the file in place on commit.
class SaveFileSink final : public ByteSink
{
  public:
    explicit SaveFileSink(const QString& path) : file_(path) {}

    WriteFailure open() { return file_.open(); }
    bool write(const uint8_t* data, std::size_t size) override
    {
        failure_ = file_.write(reinterpret_cast<const char*>(data), size);
        return !failure_;
    }
    QString errorText() const override { return failure_.value_or(QString()); }
    WriteFailure commit() { return file_.commit(); }

  private:
    AtomicFile file_;
    WriteFailure failure_;
};

// Writes the worksheet for `table` under `path`; the reason when it failed.
WriteFailure writeWorksheetFile(const QString& path, const ExportTable& table)
{
    SaveFileSink sink(path);
    if (WriteFailure failure = sink.open())
        return failure;
    ExcelFile sheet;
    if (const ExcelResult started = sheet.CreateFile(sink); !started.ok())
        return started.reason;
    WriteWorksheet(sheet, table, QDateTime::currentDateTime());
    if (const ExcelResult closed = sheet.CloseFile(); !closed.ok())
        return closed.reason;
    return sink.commit();
}

} // namespace

Exports::Exports(ScopeState& state, GlobalV& global, const Controls& controls, Dialogs& dialogs)
    : state_(state), global_(global), ui(controls), dialogs_(dialogs)
{
    connect(ui.CWButton2, &CwButton::valueChanged, this, &Exports::CWButton2_ValueChanged);
    connect(ui.mnuFExport, &QAction::triggered, this, &Exports::mnuFExport_Click);
}

ExportSettings Exports::exportSettings() const
{
    ExportSettings settings;
    settings.HTrigPosition = state_.HTrigPosition;
    settings.VdivIndexCH1 = state_.VdivIndexCH1;
    settings.VdivIndexCH2 = state_.VdivIndexCH2;
    settings.SampleTime = state_.SampleTime;
    settings.timeDivPosition = ui.CWKnob2->position();
    settings.pch1Shown = ui.CWGraph1->plotVisible(names::PCH1);
    settings.pch2Shown = ui.CWGraph1->plotVisible(names::PCH2);
    settings.ActiveChannel = global_.ActiveChannel;
    return settings;
}

void Exports::bringToFront()
{
    ui.window->raise();
    ui.window->activateWindow();
}

void Exports::CWButton2_ValueChanged(bool value)
{
    if (!value) {
        ui.CWButton2->setValue(false);
        return;
    }
    if (ui.Timer1->enabled())
        ui.CWButton1->setValue(false);

    FileDialogRequest request;
    request.title = DialogTitle;
    request.flags = FileFlagHideReadOnly;
    request.filter = DialogFilter;
    const auto chosen = dialogs_.ShowSave(request);
    if (!chosen) {
        bringToFront();
        ui.CWButton2->setValue(false);
        return;
    }
    const QString& name = chosen->fileName;
    if (name.right(3) == QLatin1String("csv")) {
        csvFileRepExists(name);
        ui.CWButton2->setValue(false);
        return;
    }
    // The worksheet path leaves the button alone; as a command button it ends off by itself.
    XLS(name);
}

void Exports::mnuFExport_Click()
{
    ui.CWButton2->setValue(true);
    ui.CWButton2->setValue(false);
}

void Exports::XLS(const QString& path)
{
    const ExportTable table = BuildExportTable(exportSettings(), global_.Samples);
    if (!ConfirmOverwrite(dialogs_, path))
        return;
    if (const WriteFailure failure = writeWorksheetFile(path, table)) {
        ReportWriteFailure(dialogs_, kXlsWhat, path, *failure, kXlsTitle);
        return;
    }
    ReportFileCreated(dialogs_, kXlsWhat, path, kXlsTitle);
}

void Exports::csvFileRepExists(const QString& path)
{
    const ExportTable table = BuildExportTable(exportSettings(), global_.Samples);
    if (!ConfirmOverwrite(dialogs_, path))
        return;
    state_.FilePath = path.toStdString();
    const std::string text = CsvFileText(table, QDateTime::currentDateTime());
    const QString filePath = QString::fromStdString(state_.FilePath);
    if (const WriteFailure failure = WriteFileAtomically(filePath, text)) {
        ReportWriteFailure(dialogs_, kCsvWhat, filePath, *failure, kCsvTitle);
        return;
    }
    ReportFileCreated(dialogs_, kCsvWhat, filePath, kCsvTitle);
}

} // namespace kv
