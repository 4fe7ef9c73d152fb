#pragma once

#include "link/layer.h"

#include <QLatin1String>
#include <span>

namespace kv {

// The one receiver in the window that the acquisition hands each pass and its decoded record
// to: the cursors, the read-outs, the plots and the repaint. The acquisition works no display
// control itself. A pass calls, in this order: snapCursors (once more by a pass of the fastest
// time base), traceShown where the pass depends on the traces shown, paintWhileWaiting once its
// request is out, one of the show calls when a record has come, and passClosed unless the pass
// ended early (a record still awaited, or an empty reply).
class RecordReceiver
{
  public:
    virtual ~RecordReceiver() = default;

    // How cursors "A" and "B" snap for this pass: with "Snap to Plot" chosen they snap to a plot,
    // and with `attachPlot` they are attached to the selected channel's trace first; else they
    // float.
    virtual void snapCursors(bool attachPlot) = 0;
    // True when the trace `plot` ("PCH1", "PCH2") is shown.
    virtual bool traceShown(QLatin1String plot) const = 0;

    // A record of both channels, 1500 points each: the read-outs, both traces, the read-outs
    // again once the record counts as not yet plotted.
    virtual void showTwoChannelRecord(std::span<const double> traceCH1,
                                      std::span<const double> traceCH2) = 0;
    // A fast record of one channel, 1500 points: the one-channel read-outs, then the trace of
    // `channel` (none when `channel` is 0).
    virtual void showSingleChannelRecord(int channel, std::span<const double> trace) = 0;
    // A fast record of both channels, 750 points each: the measurements, then both traces over
    // the X range of a 1500-point record.
    virtual void showFastRecord(std::span<const double> trace750CH1,
                                std::span<const double> trace750CH2) = 0;
    // The end of a pass that was not left early: the cursor read-outs, then the window's repaint.
    virtual void passClosed() = 0;

    // While a reply is awaited: a repaint held back may be made now, when it delays no record.
    virtual void paintWhileWaiting() = 0;
    // The spectrum window's run switch follows Run/Stop.
    virtual void setRunSwitch(bool on) = 0;
};

} // namespace kv
