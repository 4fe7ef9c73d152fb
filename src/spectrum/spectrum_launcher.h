#pragma once

#include "app/handler_group.h"
#include "spectrum/spectrum_window.h"

#include <QPointer>

namespace kv {

// The spectrum window's view of the main window: the shared variables, the time/div knob
// CWKnob2, the visibility of the main graph's "PCH1" and "PCH2", and the Run/Stop button
// CWButton1.
class MainSpectrumSource : public SpectrumSource
{
  public:
    explicit MainSpectrumSource(Main& main) : m(main) {}
    const GlobalV& global() const override;
    int timeDivPosition() const override;
    bool bothTracesShown() const override;
    void setRun(bool on) override;

  private:
    Main& m;
};

// The main window's side of the spectrum window: FFTbutton opens it, the Run/Stop handler sets
// its run switch through setRunSwitch. The window is loaded on first use and, once loaded, its
// timer runs whether it is shown or not, until Scope or closing unloads it.
class SpectrumLauncher : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit SpectrumLauncher(Main& main);
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

    MainSpectrumSource source_;
    QPointer<SpectrumWindow> window_;
};

} // namespace kv
