#include "files/reference_waveforms.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "display/read_outs.h"
#include "display/trace_view.h"
#include "files/atomic_write.h"
#include "files/file_messages.h"
#include "files/reference_tip_dialog.h"
#include "files/rules/text_lines.h"
#include "platform/rules/runtime_rules.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"
#include "state/timebase_table.h"

#include <QFileInfo>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace kv {

// ---- Group -------------------------------------------------------------------------------------

namespace {

int bgr(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

using names::PCH1;
using names::PCH2;
using names::PREF1;

FileDialogRequest referenceDialog(const QString& title)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Oscilloscope Reference Waveform (*.rfw)|*.rfw");
    request.flags = FileFlagHideReadOnly;
    return request;
}

} // namespace

ReferenceWaveforms::ReferenceWaveforms(ScopeState& state, GlobalV& global, const Controls& controls,
                                       Dialogs& dialogs, ReadOuts& readOuts)
    : state_(state), global_(global), ui(controls), dialogs_(dialogs), readOuts_(readOuts)
{
    connect(ui.SaveREFCH1, &CwButton::valueChanged, this,
            [this](bool v) { SaveREFCH1_ValueChanged(v); });
    connect(ui.SaveREFCH2, &CwButton::valueChanged, this,
            [this](bool v) { SaveREFCH2_ValueChanged(v); });
    connect(ui.REF1Button, &CwButton::valueChanged, this,
            [this](bool v) { REF1Button_ValueChanged(v); });
    connect(ui.REF1Button, &CwButton::doubleClicked, this, [this] { REF1Button_DblClick(); });
}

ReferenceWaveforms::ChannelControls ReferenceWaveforms::channelControls(int channel) const
{
    if (channel == 1)
        return {ui.SaveREFCH1, ui.PeriodVAL};
    return {ui.SaveREFCH2, ui.PeriodVAL2};
}

bool ReferenceWaveforms::saveChannel(int channel, const QString& path)
{
    const bool both = ui.CWGraph1->plotVisible(PCH1) && ui.CWGraph1->plotVisible(PCH2);
    const ReferenceLayout layout = ChooseReferenceLayout(ui.CWKnob2->position(), both);
    ReferenceWaveform w;
    // The caption reads "Zoomed" or "Autoscale" while the view is zoomed or autoscaled; the
    // file keeps the channel's volts/div setting, which its reader measures the trace with.
    const QLabel* caption = channelControls(channel).PeriodVAL;
    const ChannelState ch = channelState(state_, channel);
    w.voltsDiv = VdivCaption(ch.VdivIndex).value_or(caption->text()).toStdString();
    w.timeDiv = ReferenceTimeDivText(ui.CWKnob2->position());
    w.verticalPosition = float(ch.FrameVPos);
    w.plotScale = ch.PlotScale;
    w.dualChannel = layout == ReferenceLayout::Doubled750;
    w.samples = ReferenceTrace(channel, layout, global_.Samples);
    state_.REFDualChannel = w.dualChannel;

    const bool existed = QFileInfo::exists(path);
    if (!ConfirmOverwrite(dialogs_, path))
        return existed;
    state_.FilePath = path.toStdString();
    const QString what = QStringLiteral("Oscilloscope Reference Waveform file");
    const QString title = QStringLiteral("Text Class");
    if (const auto failure = WriteFileAtomically(path, ReferenceFileText(w, now()))) {
        ReportWriteFailure(dialogs_, what, path, *failure, title);
        return existed;
    }
    ReportFileCreated(dialogs_, what, path, title);
    return existed;
}

void ReferenceWaveforms::saveButton(int channel, bool value)
{
    if (!value || !ui.CWGraph1->plotVisible(names::channelPlot(channel)))
        return;
    if (ui.Timer1->enabled())
        ui.CWButton1->setValue(false);
    const auto chosen = dialogs_.ShowSave(referenceDialog(
        channel == 1 ? QStringLiteral("Save CH1 Oscilloscope Reference Waveform As")
                     : QStringLiteral("Save CH2 Oscilloscope Reference Waveform As")));
    if (chosen && !chosen->fileName.isEmpty())
        saveChannel(channel, chosen->fileName);
    // Back off, so the next press saves again.
    channelControls(channel).SaveREF->setValue(false);
}

bool ReferenceWaveforms::LoadREFFile()
{
    const QString path = QString::fromStdString(state_.FilePath);
    FileRefusal refusal;
    std::optional<TextLines> read;
    if (const auto bytes = ReadWholeFile(path, MaxReferenceFileBytes, refusal)) {
        read = SplitLines(*bytes, ReferenceDataLines);
        if (const auto fault = CheckReferenceFile(*read)) {
            refusal = *fault;
            read.reset();
        }
    }
    if (read)
        readReference(read->lines);
    else
        ReportLoadRefusal(dialogs_, QStringLiteral("an oscilloscope reference waveform"), path,
                          refusal.reason, QStringLiteral("Open Oscilloscope Reference Waveform"));
    ui.REF1Button->setValue(false);
    return bool(read);
}

void ReferenceWaveforms::readReference(const std::vector<std::string>& lines)
{
    // Every value has passed CheckReferenceFile.
    ScopeState& s = state_;
    const auto line = [&lines](int number) -> const std::string& {
        return lines[std::size_t(number - 1)];
    };
    const auto value = [&](int number) { return *parseNumberText(line(number)); };
    const auto caption = [&](int number) {
        return line(number).substr(1, line(number).size() - 2);
    };
    const std::string vref = caption(1);
    const std::string href = caption(2);
    s.VREFLabel = Variant(vref);
    s.HREFLabel = Variant(href);
    s.REFZeroLevel = Variant(line(3));
    s.REFDualChannel = *parseBooleanText(line(5));
    ui.lblVREF->setText(QString::fromStdString(vref));
    ui.lblHREF->setText(QString::fromStdString(href));
    ui.lblVREF->setVisible(true);
    ui.lblHREF->setVisible(true);
    const double zero = value(3);
    const double scale = value(4);
    QVector<double> plotted(ReferenceSampleCount);
    for (int i = 0; i < ReferenceSampleCount; ++i) {
        const int number = ReferenceHeaderLines + 1 + i;
        s.REFSamples[std::size_t(i)] = Variant(line(number));
        const double sample = value(number);
        s.REFCounts[std::size_t(i)] = (sample - zero) / scale;
        plotted[i] = sample;
    }
    ui.CWGraph1->plotY(PREF1, plotted);
}

void ReferenceWaveforms::REF1Button_DblClick()
{
    const auto chosen =
        dialogs_.ShowOpen(referenceDialog(QStringLiteral("Open Oscilloscope Reference Waveform")));
    if (!chosen || chosen->fileName.isEmpty())
        return;
    state_.FilePath = chosen->fileName.toStdString();
    LoadREFFile();
    readOuts_.UpdateReadouts();
}

void ReferenceWaveforms::REF1Button_ValueChanged(bool)
{
    if (global_.ActiveChannel.toNumber() != ReferenceChannel)
        ui.CWKnob1->setEnabled(false);
    ui.CHDISP->setVisible(true);
    ui.CHDISP->setOffColor(colour::MediumGreen);
    ui.CHDISP->setTextColor(bgr(ui.window->palette().color(QPalette::WindowText)));
    ui.CHDISP->setOffText(QStringLiteral("REF"));
    global_.ActiveChannel = Variant(ReferenceChannel);
    ui.LED5->setValue(true);
    if (global_.ShowRefTip) {
        if (!tip_)
            tip_ = new frmREFnag(global_, ui.window);
        tip_->setWindowFlag(Qt::Window);
        tip_->show();
    }
    for (CwButton* led : {ui.LED1, ui.LED2}) {
        if (led->value())
            led->setOnColor(colour::Yellow);
    }
    ui.LED5->setOnColor(colour::Green);
    ui.CWGraph1->setPlotVisible(PREF1, true);
    ui.lblVREF->setVisible(true);
    ui.lblHREF->setVisible(true);
    ui.REF1Button->setValue(false);
    ui.CWKnob2->setEnabled(false);
}

} // namespace kv
