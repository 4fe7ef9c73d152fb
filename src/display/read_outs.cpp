#include "display/read_outs.h"

#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "display/rules/frequency_estimate.h"
#include "display/rules/trace_statistics.h"
#include "display/rules/value_format.h"
#include "platform/rules/runtime_rules.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"
#include "state/voltsdiv_table.h"

#include <QLabel>
#include <array>
#include <cmath>

namespace kv {

namespace {

const QString Hidden = QStringLiteral("-");

// A reference saved from the two-channel view at 50 us/div has its own period operation.
ReadOuts::PeriodOperation referencePeriod(bool dualChannel)
{
    return dualChannel ? ReadOuts::PeriodOperation::Format_Time2CH
                       : ReadOuts::PeriodOperation::Format_Time;
}

} // namespace

ReadOuts::ReadOuts(ScopeState& state, const GlobalV& global, Dialogs& dialogs,
                   const Controls& controls)
    : state_(state), global_(global), dialogs_(dialogs), ui(controls)
{
}

ReadOuts::Labels ReadOuts::selectedLabels() const
{
    return {ui.lblMIN, ui.lblMAX, ui.lblP2P, ui.lblRMS, ui.lblMnn, ui.lblPrd, ui.lblFrq, false};
}

ReadOuts::Labels ReadOuts::channelLabels(int channel) const
{
    if (channel == 1)
        return {ui.Min1, ui.Max1, ui.P2P1, ui.RMS1, ui.Mean1, ui.Prd1, ui.Frq1, false};
    return {ui.Min2, ui.Max2, ui.P2P2, ui.RMS2, ui.Mean2, ui.Prd2, ui.Frq2, true};
}

bool ReadOuts::traceShown(QLatin1String plot) const
{
    return ui.CWGraph1->plotVisible(plot);
}

bool ReadOuts::bothTracesShown() const
{
    return traceShown(names::PCH1) && traceShown(names::PCH2);
}

void ReadOuts::UpdateForTimebase()
{
    const int t = ui.CWKnob2->position();
    if (t == 1) {
        if (bothTracesShown())
            Measure();
        else
            UpdateReadoutsSingle();
    } else if (t >= 2 && t <= TimebasePositions) {
        UpdateReadouts();
    }
}

int ReadOuts::activeChannel() const
{
    const double channel = global_.ActiveChannel.toNumber();
    return channel == 1 || channel == 2 || channel == ReferenceChannel ? static_cast<int>(channel)
                                                                       : 0;
}

void ReadOuts::timeValAndRate(int& r)
{
    const auto entry = SampleRateForPosition(ui.CWKnob2->position(), bothTracesShown());
    if (!entry)
        return;
    ui.TimeVal->setText(QString::fromStdString(entry->caption));
    r = entry->rate;
}

void ReadOuts::takeMeasVoltsPerCount(const Variant& vdivIndex)
{
    if (const auto k = MeasVoltsPerCountFor(vdivIndex))
        state_.MeasVoltsPerCount = *k;
}

void ReadOuts::setFormatted(QLabel* label, const std::optional<std::string>& text)
{
    // A value the formatter has no row for leaves FormatResult, and so the label shows the text
    // of the previous formatting.
    if (text)
        state_.FormatResult = *text;
    label->setText(QString::fromStdString(state_.FormatResult.toText()));
}

void ReadOuts::setVoltageLabel(QLabel* label, double value)
{
    label->setText(QString::fromStdString(doubleToText(value)));
    setFormatted(label, Format_Voltage(Variant(label->text().toStdString())));
}

void ReadOuts::clearLabels(const Labels& l)
{
    for (QLabel* label : {l.min, l.max, l.p2p, l.rms, l.mean, l.prd, l.frq})
        label->setText(Hidden);
}

void ReadOuts::MeasureFrequency(std::span<const double> counts, double dt)
{
    const FrequencyMeasurement result = kv::MeasureFrequency(counts, dt, FreqSpectrum);
    if (result.error != SpectrumError::None) {
        dialogs_.MsgBox(QStringLiteral("Analysis Error: ") +
                        QString::number(static_cast<int>(result.error)));
    }
    state_.FreqEstimate = result.estimate;
}

void ReadOuts::MeasureTrace(std::span<const double> counts, float k, int r, const Labels& labels,
                            PeriodOperation period)
{
    const auto values = ComputeTraceReadouts(counts, k);
    if (!values)
        return;
    setVoltageLabel(labels.min, values->minimum);
    setVoltageLabel(labels.max, values->maximum);
    setVoltageLabel(labels.p2p, values->peakToPeak);
    setVoltageLabel(labels.rms, values->rms);
    setVoltageLabel(labels.mean, labels.mean2Rule ? Mean2Value(-values->mean) : values->mean);

    MeasureFrequency(counts, 1.0 / r);
    const double estimate = state_.FreqEstimate;
    setFormatted(labels.prd, period == PeriodOperation::Format_Time2CH ? Format_Time2CH(estimate)
                                                                       : Format_Time(estimate));
    setFormatted(labels.frq, Format_Frequency(Variant(estimate)));
}

void ReadOuts::measureReference(int& r, PeriodOperation period)
{
    if (const auto k = RefVoltsPerCount(state_.VREFLabel))
        state_.VoltsPerCount = *k;
    if (const auto rate = RefSampleRate(state_.HREFLabel))
        r = *rate;
    MeasureTrace(state_.REFCounts, state_.VoltsPerCount, r, selectedLabels(), period);
}

void ReadOuts::panel(int channel, std::span<const double> counts, int r)
{
    const Labels labels = channelLabels(channel);
    takeMeasVoltsPerCount(channelState(state_, channel).VdivIndex);
    if (traceShown(names::channelPlot(channel)))
        MeasureTrace(counts, state_.MeasVoltsPerCount, r, labels, PeriodOperation::Format_Time);
    else
        clearLabels(labels);
}

void ReadOuts::UpdateReadouts()
{
    const SampleArrays& s = global_.Samples;
    int r = TimebaseTable.front().sampleRate;
    timeValAndRate(r);
    takeMeasVoltsPerCount(state_.VdivIndex);
    const float k = state_.MeasVoltsPerCount;
    switch (const int active = activeChannel()) {
    case 1:
    case 2:
        MeasureTrace(channelSamples(s, active).Counts, k, r, selectedLabels(),
                     PeriodOperation::Format_Time);
        break;
    case 5:
        measureReference(r, PeriodOperation::Format_Time);
        break;
    default:
        break;
    }
    panel(1, s.CountsCH1, r);
    panel(2, s.CountsCH2, r);
}

void ReadOuts::UpdateReadoutsSingle()
{
    const SampleArrays& s = global_.Samples;
    int r = TimebaseTable.front().sampleRate;
    timeValAndRate(r);
    takeMeasVoltsPerCount(state_.VdivIndex);
    // The one shown channel is in the channel 1 arrays, whichever channel it is.
    MeasureTrace(s.CountsCH1, state_.MeasVoltsPerCount, r, selectedLabels(),
                 PeriodOperation::Format_Time);
    if (activeChannel() == ReferenceChannel)
        measureReference(r, referencePeriod(state_.REFDualChannel));
    panel(1, s.CountsCH1, r);
    panel(2, s.CountsCH1, r);
}

void ReadOuts::Measure()
{
    const SampleArrays& s = global_.Samples;
    // Called at position 1 with both traces shown, 500 kS/s per channel. Elsewhere no rate is
    // defined; the table's rate of the position stands in so the estimate stays meaningful.
    int r = TimebaseTable.front().sampleRate;
    const int position = ui.CWKnob2->position();
    if (const auto entry = SampleRateForPosition(position, false))
        r = entry->rate;
    if (position == 1) {
        const bool both = bothTracesShown();
        ui.TimeVal->setText(
            QString::fromLatin1(both ? BothShownCaption : TimebaseTable[0].rateCaption));
        if (both)
            r = DualFastRate;
    }
    takeMeasVoltsPerCount(state_.VdivIndex);
    const float k = state_.MeasVoltsPerCount;
    const auto time = PeriodOperation::Format_Time;
    switch (const int active = activeChannel()) {
    case 1:
    case 2:
        MeasureTrace(channelSamples(s, active).Counts750, k, r, selectedLabels(), time);
        break;
    case 5:
        measureReference(r, referencePeriod(state_.REFDualChannel));
        break;
    default:
        break;
    }
    panel(1, s.Counts750CH1, r);
    panel(2, s.Counts750CH2, r);
}

} // namespace kv
