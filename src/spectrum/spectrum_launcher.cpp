#include "spectrum/spectrum_launcher.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "state/names.h"

namespace kv {

const GlobalV& MainSpectrumSource::global() const
{
    return m.global;
}

int MainSpectrumSource::timeDivPosition() const
{
    return m.CWKnob2->position();
}

bool MainSpectrumSource::bothTracesShown() const
{
    return m.CWGraph1->plotVisible(names::PCH1) && m.CWGraph1->plotVisible(names::PCH2);
}

void MainSpectrumSource::setRun(bool on)
{
    m.CWButton1->setValue(on);
}

SpectrumLauncher::SpectrumLauncher(Main& main) : HandlerGroup(main), source_(main)
{
    connect(m.FFTbutton, &CwButton::valueChanged, this, &SpectrumLauncher::FFTbutton_ValueChanged);
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
        // A secondary window: closing it never ends the program.
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
