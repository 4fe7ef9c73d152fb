#include "display/read_outs.h"

#include "app/main_window.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "display/frequency_estimate.h"
#include "display/trace_statistics.h"
#include "display/value_format.h"
#include "platform/runtime_rules.h"
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

ReadOuts::ReadOuts(Main& main) : HandlerGroup(main) {}

ReadOuts::Labels ReadOuts::selectedLabels() const
{
    return {m.lblMIN, m.lblMAX, m.lblP2P, m.lblRMS, m.lblMnn, m.lblPrd, m.lblFrq, false};
}

ReadOuts::Labels ReadOuts::ch1Labels() const
{
    return {m.Min1, m.Max1, m.P2P1, m.RMS1, m.Mean1, m.Prd1, m.Frq1, false};
}

ReadOuts::Labels ReadOuts::ch2Labels() const
{
    return {m.Min2, m.Max2, m.P2P2, m.RMS2, m.Mean2, m.Prd2, m.Frq2, true};
}

bool ReadOuts::traceShown(QLatin1String plot) const
{
    return m.CWGraph1->plotVisible(plot);
}

bool ReadOuts::bothTracesShown() const
{
    return traceShown(names::PCH1) && traceShown(names::PCH2);
}

void ReadOuts::UpdateForTimebase()
{
    const int t = m.CWKnob2->position();
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
    const double channel = m.global.ActiveChannel.toNumber();
    return channel == 1 || channel == 2 || channel == 5 ? static_cast<int>(channel) : 0;
}

void ReadOuts::timeValAndRate(int& r)
{
    const auto entry = SampleRateForPosition(m.CWKnob2->position(), bothTracesShown());
    if (!entry)
        return;
    m.TimeVal->setText(QString::fromStdString(entry->caption));
    r = entry->rate;
}

void ReadOuts::takeMeasVoltsPerCount(const Variant& vdivIndex)
{
    if (const auto k = MeasVoltsPerCountFor(vdivIndex))
        m.state.MeasVoltsPerCount = *k;
}

void ReadOuts::setFormatted(QLabel* label, const std::optional<std::string>& text)
{
    // A value the formatter has no row for leaves FormatResult, and so the label shows the text
    // of the previous formatting.
    if (text)
        m.state.FormatResult = *text;
    label->setText(QString::fromStdString(m.state.FormatResult.toText()));
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
        m.dialogs.MsgBox(QStringLiteral("Analysis Error: ") +
                         QString::number(static_cast<int>(result.error)));
    }
    m.state.FreqEstimate = result.estimate;
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
    const double estimate = m.state.FreqEstimate;
    setFormatted(labels.prd, period == PeriodOperation::Format_Time2CH ? Format_Time2CH(estimate)
                                                                       : Format_Time(estimate));
    setFormatted(labels.frq, Format_Frequency(Variant(estimate)));
}

void ReadOuts::measureReference(int& r, PeriodOperation period)
{
    if (const auto k = RefVoltsPerCount(m.state.VREFLabel))
        m.state.VoltsPerCount = *k;
    if (const auto rate = RefSampleRate(m.state.HREFLabel))
        r = *rate;
    MeasureTrace(m.state.REFCounts, m.state.VoltsPerCount, r, selectedLabels(), period);
}

void ReadOuts::panel(QLatin1String plot, const Variant& vdivIndex, std::span<const double> counts,
                     int r, const Labels& labels)
{
    takeMeasVoltsPerCount(vdivIndex);
    if (traceShown(plot))
        MeasureTrace(counts, m.state.MeasVoltsPerCount, r, labels, PeriodOperation::Format_Time);
    else
        clearLabels(labels);
}

void ReadOuts::UpdateReadouts()
{
    const SampleArrays& s = m.global.Samples;
    int r = TimebaseTable.front().sampleRate;
    timeValAndRate(r);
    takeMeasVoltsPerCount(m.state.VdivIndex);
    const float k = m.state.MeasVoltsPerCount;
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
    panel(names::PCH1, m.state.VdivIndexCH1, s.CountsCH1, r, ch1Labels());
    panel(names::PCH2, m.state.VdivIndexCH2, s.CountsCH2, r, ch2Labels());
}

void ReadOuts::UpdateReadoutsSingle()
{
    const SampleArrays& s = m.global.Samples;
    int r = TimebaseTable.front().sampleRate;
    timeValAndRate(r);
    takeMeasVoltsPerCount(m.state.VdivIndex);
    // The one shown channel is in the channel 1 arrays, whichever channel it is.
    MeasureTrace(s.CountsCH1, m.state.MeasVoltsPerCount, r, selectedLabels(),
                 PeriodOperation::Format_Time);
    if (activeChannel() == 5)
        measureReference(r, referencePeriod(m.state.REFDualChannel));
    panel(names::PCH1, m.state.VdivIndexCH1, s.CountsCH1, r, ch1Labels());
    panel(names::PCH2, m.state.VdivIndexCH2, s.CountsCH1, r, ch2Labels());
}

void ReadOuts::Measure()
{
    const SampleArrays& s = m.global.Samples;
    // Called at position 1 with both traces shown, 500 kS/s per channel. Elsewhere no rate is
    // defined; the table's rate of the position stands in so the estimate stays meaningful.
    int r = TimebaseTable.front().sampleRate;
    const int position = m.CWKnob2->position();
    if (const auto entry = SampleRateForPosition(position, false))
        r = entry->rate;
    if (position == 1) {
        const bool both = bothTracesShown();
        m.TimeVal->setText(
            QString::fromLatin1(both ? BothShownCaption : TimebaseTable[0].rateCaption));
        if (both)
            r = DualFastRate;
    }
    takeMeasVoltsPerCount(m.state.VdivIndex);
    const float k = m.state.MeasVoltsPerCount;
    const auto time = PeriodOperation::Format_Time;
    switch (const int active = activeChannel()) {
    case 1:
    case 2:
        MeasureTrace(channelSamples(s, active).Counts750, k, r, selectedLabels(), time);
        break;
    case 5:
        measureReference(r, referencePeriod(m.state.REFDualChannel));
        break;
    default:
        break;
    }
    panel(names::PCH1, m.state.VdivIndexCH1, s.Counts750CH1, r, ch1Labels());
    panel(names::PCH2, m.state.VdivIndexCH2, s.Counts750CH2, r, ch2Labels());
}

} // namespace kv
