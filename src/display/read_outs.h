#pragma once

#include "controls/control_classes.h"
#include "display/layer.h"
#include "display/rules/readout_tables.h"
#include "platform/rules/variant.h"
#include "spectrum/rules/spectrum_math.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <optional>
#include <span>
#include <string>

namespace kv {

class Dialogs;

// Measurement read-outs: the selected-trace labels of the read-out strip, the CH1 and CH2 panels
// of the Measurements page and the sample-rate label TimeVal.
class ReadOuts : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwGraph* CWGraph1; // read for the traces shown
        CwKnob* CWKnob2;   // time/div, read only
        QLabel* TimeVal;   // the sample rate
        // The read-out strip: the selected trace.
        QLabel* lblMIN;
        QLabel* lblMAX;
        QLabel* lblP2P;
        QLabel* lblRMS;
        QLabel* lblMnn;
        QLabel* lblPrd;
        QLabel* lblFrq;
        // The Measurements page: the CH1 panel, then the CH2 panel.
        QLabel* Min1;
        QLabel* Max1;
        QLabel* P2P1;
        QLabel* RMS1;
        QLabel* Mean1;
        QLabel* Prd1;
        QLabel* Frq1;
        QLabel* Min2;
        QLabel* Max2;
        QLabel* P2P2;
        QLabel* RMS2;
        QLabel* Mean2;
        QLabel* Prd2;
        QLabel* Frq2;
    };

    ReadOuts(ScopeState& state, const GlobalV& global, Dialogs& dialogs, const Controls& controls);

    // The seven labels of one group, in the order the measurement fills them.
    struct Labels
    {
        QLabel* min;
        QLabel* max;
        QLabel* p2p;
        QLabel* rms;
        QLabel* mean;
        QLabel* prd;
        QLabel* frq;
        bool mean2Rule = false; // the CH2 panel's mean rule
    };
    enum class PeriodOperation
    {
        Format_Time,
        Format_Time2CH
    };

    // Two-channel record, time/div positions 2 to 14 (also loading a reference).
    void UpdateReadouts();
    // One channel at 1 MS/s (position 1, one trace shown): the record is in CountsCH1.
    void UpdateReadoutsSingle();
    // Both channels at 500 kS/s (position 1, both traces shown): the 750-point arrays.
    void Measure();
    // The one of the three that the time/div position calls for (the channel buttons and the
    // volts/div knob use it); none outside positions 1 to 14.
    void UpdateForTimebase();

    // Minimum, maximum, peak to peak, RMS, mean, period and frequency of one trace of counts at
    // k volts per count and r samples per second.
    void MeasureTrace(std::span<const double> counts, float k, int r, const Labels& labels,
                      PeriodOperation period);
    // The period and frequency estimate of counts sampled every dt seconds into FreqEstimate;
    // a failed spectrum request is reported in a message box and the estimate goes on with the
    // spectrum held.
    void MeasureFrequency(std::span<const double> counts, double dt);

  private:
    Labels selectedLabels() const;
    // The Measurements page panel of channel 1 or, for any other number, channel 2.
    Labels channelLabels(int channel) const;
    bool bothTracesShown() const;
    bool traceShown(QLatin1String plot) const;
    int activeChannel() const;
    // TimeVal and the rate from the table for CWKnob2's position; r unchanged outside it.
    void timeValAndRate(int& r);
    void takeMeasVoltsPerCount(const Variant& vdivIndex);
    // VoltsPerCount and r from the reference's labels, then the reference measured.
    void measureReference(int& r, PeriodOperation period);
    void setVoltageLabel(QLabel* label, double value);
    void setFormatted(QLabel* label, const std::optional<std::string>& text);
    static void clearLabels(const Labels& labels);
    // A channel panel: measured when its trace is shown, "-" everywhere otherwise.
    void panel(int channel, std::span<const double> counts, int r);

    ScopeState& state_;
    const GlobalV& global_;
    Dialogs& dialogs_;
    const Controls ui;
    Spectrum FreqSpectrum;
};

} // namespace kv
