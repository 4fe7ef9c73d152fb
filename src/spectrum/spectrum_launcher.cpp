#include "spectrum/spectrum_launcher.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "state/names.h"

namespace kv {

const GlobalV& MainSpectrumSource::global() const
{
    return global_;
}

int MainSpectrumSource::timeDivPosition() const
{
    return ui.CWKnob2->position();
}

bool MainSpectrumSource::bothTracesShown() const
{
    return ui.CWGraph1->plotVisible(names::PCH1) && ui.CWGraph1->plotVisible(names::PCH2);
}

void MainSpectrumSource::setRun(bool on)
{
    ui.CWButton1->setValue(on);
}

SpectrumLauncher::SpectrumLauncher(const GlobalV& global, const Controls& controls)
    : ui(controls), source_(global, controls.source)
{
    connect(ui.FFTbutton, &CwButton::valueChanged, this, &SpectrumLauncher::FFTbutton_ValueChanged);
}

SpectrumLauncher::~SpectrumLauncher()
{
    // The window reads the main window through source_; it goes first.
    delete window_.data();
}

SpectrumWindow& SpectrumLauncher::load()
{
    if (window_.isNull()) {
        window_ = new SpectrumWindow(source_);
        // A secondary window: closing it never ends the prograui.
        window_->setAttribute(Qt::WA_QuitOnClose, false);
        connect(window_.data(), &SpectrumWindow::unloaded, this, &SpectrumLauncher::windowUnloaded);
    }
    return *window_;
}

void SpectrumLauncher::windowUnloaded()
{
    // The window deletes itself later; a new one is loaded on next use.
    window_.clear();
}

void SpectrumLauncher::FFTbutton_ValueChanged(bool /*value*/)
{
    SpectrumWindow& window = load();
    window.show();
    window.raise();
    window.activateWindow();
}

void SpectrumLauncher::setRunSwitch(bool on)
{
    load().CWButton3->setValue(on);
}

} // namespace kv
