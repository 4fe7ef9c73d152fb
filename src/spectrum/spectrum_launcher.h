#pragma once

#include "controls/control_classes.h"
#include "spectrum/layer.h"
#include "spectrum/spectrum_window.h"
#include "state/global_v.h"

#include <QObject>
#include <QPointer>

namespace kv {

// The spectrum window's view of the main window: the shared variables, the time/div knob
// CWKnob2, the visibility of the main graph's "PCH1" and "PCH2", and the Run/Stop button
// CWButton1.
class MainSpectrumSource : public SpectrumSource
{
  public:
    // The main window's controls the spectrum window reads and drives; none is null.
    struct Controls
    {
        CwKnob* CWKnob2;     // time/div, read only
        CwGraph* CWGraph1;   // read for the traces shown
        CwButton* CWButton1; // Run/Stop
    };

    MainSpectrumSource(const GlobalV& global, const Controls& controls)
        : global_(global), ui(controls)
    {
    }
    const GlobalV& global() const override;
    int timeDivPosition() const override;
    bool bothTracesShown() const override;
    void setRun(bool on) override;

  private:
    const GlobalV& global_;
    const Controls ui;
};

// The main window's side of the spectrum window: FFTbutton opens it, the Run/Stop handler sets
// its run switch through setRunSwitch. The window is loaded on first use and, once loaded, its
// timer runs whether it is shown or not, until Scope or closing unloads it.
class SpectrumLauncher : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwButton* FFTbutton;
        MainSpectrumSource::Controls source; // what the spectrum window reads and drives
    };

    SpectrumLauncher(const GlobalV& global, const Controls& controls);
    ~SpectrumLauncher() override;

    // FFTbutton value changed (any value): loads the window if it is not loaded and shows it,
    // not modal.
    void FFTbutton_ValueChanged(bool value);
    // The spectrum window's RUN / STOP := on, loading the window hidden when it is not loaded.
    void setRunSwitch(bool on);

    // The loaded window; null when none is loaded.
    SpectrumWindow* window() const { return window_.data(); }

  private:
    SpectrumWindow& load();
    void windowUnloaded();

    const Controls ui;
    MainSpectrumSource source_;
    QPointer<SpectrumWindow> window_;
};

} // namespace kv
