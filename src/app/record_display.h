#pragma once

#include "app/layer.h"
#include "link/record_receiver.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <functional>

namespace kv {

class CwGraph;
class CwSlide;
class Cursors;
class ReadOuts;
class SpectrumLauncher;

// The window's receiver of the acquisition's records: the cursors' snap on the graph, the
// read-outs, the traces, the cursor read-outs, the window's repaint and the spectrum window's
// run switch. A QObject so that the window keeps it with its groups.
class RecordDisplay : public QObject, public RecordReceiver
{
  public:
    struct Controls
    {
        CwGraph* CWGraph1;
        CwSlide* CWSlide2; // " Snap to Plot", "Floating"
    };
    // The window's own repaint calls.
    struct WindowPaint
    {
        std::function<void()> repaint;      // after a record, at most once per screen refresh
        std::function<void()> whileWaiting; // a paint held back and due soon, made now
    };

    RecordDisplay(ScopeState& state, GlobalV& global, const Controls& controls, ReadOuts& readOuts,
                  Cursors& cursors, SpectrumLauncher& spectrum, WindowPaint paint);

    void snapCursors(bool attachPlot) override;
    bool traceShown(QLatin1String plot) const override;
    void showTwoChannelRecord(std::span<const double> traceCH1,
                              std::span<const double> traceCH2) override;
    void showSingleChannelRecord(int channel, std::span<const double> trace) override;
    void showFastRecord(std::span<const double> trace750CH1,
                        std::span<const double> trace750CH2) override;
    void passClosed() override;
    void paintWhileWaiting() override;
    void setRunSwitch(bool on) override;

  private:
    void setBothSnapModes(int mode);

    ScopeState& state_;
    GlobalV& global_;
    const Controls ui;
    ReadOuts& readOuts_;
    Cursors& cursors_;
    SpectrumLauncher& spectrum_;
    const WindowPaint paint_;
};

} // namespace kv
