#pragma once

#include "controls/control_classes.h"
#include "spectrum/layer.h"
#include "spectrum/rules/spectrum_axis.h"
#include "spectrum/rules/spectrum_math.h"
#include "state/global_v.h"

#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QRadioButton;

namespace kv {

// What the spectrum window reads from and drives in the main window.
class SpectrumSource
{
  public:
    virtual ~SpectrumSource() = default;
    // The shared variables: the sample arrays and the active channel.
    virtual const GlobalV& global() const = 0;
    // Position 1 to 14 of the main window's time/div knob.
    virtual int timeDivPosition() const = 0;
    // True when the main graph's plots "PCH1" and "PCH2" are both visible.
    virtual bool bothTracesShown() const = 0;
    // Sets the main window's Run/Stop button (its handler starts or stops acquisition).
    virtual void setRun(bool on) = 0;
};

// The spectrum window "FFT": every 100 ms the spectrum of the active channel's last record, with
// a choice of window functions, a frequency cursor, RUN / STOP mirrored to the main window, an
// always-on-top switch and "Scope", which unloads it.
//
// Unloading (Scope, closing the window) stops the timer, emits unloaded() and deletes the
// window later; the owner drops its pointer on unloaded().
class SpectrumWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit SpectrumWindow(SpectrumSource& source, QWidget* parent = nullptr);
    ~SpectrumWindow() override;

    // Controls, by the window's own names.
    CwGraph* CWGraph1 = nullptr; // "Plot-1", cursor "Cursor-1"
    QGroupBox* Window = nullptr; // "Windowing"
    QRadioButton* bkharis = nullptr;
    QRadioButton* Rect = nullptr;
    QRadioButton* ham = nullptr;
    QRadioButton* han = nullptr;
    QGroupBox* Frame1 = nullptr; // "Cursor"
    CwButton* btnCursor = nullptr;
    QLabel* Label2 = nullptr; // "Frequency"
    QLabel* CursorFreq = nullptr;
    QGroupBox* Frame2 = nullptr; // "Always on top"
    CwButton* CWButton2 = nullptr;
    CwButton* CWButton1 = nullptr;  // "Scope"
    CwButton* CWButton3 = nullptr;  // "RUN / STOP"
    CwTimer* Timer1 = nullptr;      // 100 ms, enabled
    CwButton* fftVERT = nullptr;    // hidden, always off
    QLabel* lblLinearRMS = nullptr; // hidden
    QLabel* lblDbvRMS = nullptr;    // hidden

    // Kept between ticks.
    std::vector<double> FFTRecord;
    float FFTSampleTime = 0.0f;
    std::int16_t FFTFirstBin = 0;
    std::int16_t FFTBinCount = 0;

    // Handlers.
    void Form_Load();
    void Timer1_Timer();
    void CWGraph1_CursorChange(const QString& name, double x, double y);
    void btnCursor_ValueChanged(bool value);
    void btnCursor_DblClick();
    void CWButton2_ValueChanged(bool value);
    void CWButton3_ValueChanged(bool value);
    void CWButton1_ValueChanged(bool value);
    // keyCode as the runtime numbers keys (82 = R), shift 1 Shift, 2 Ctrl, 4 Alt, added.
    void Form_KeyDown(int keyCode, int shift);
    void Form_Unload();

    bool isUnloaded() const { return unloaded_; }
    // The window function of the selected option, tested in the order Black-Harris,
    // Rectangular, Hamming, Hanning; nullopt when none is selected.
    std::optional<WindowFunction> selectedWindow() const;

  Q_SIGNALS:
    void unloaded();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildLayout();
    void connectHandlers();
    void showSpectrum(const std::vector<double>& windowed);

    SpectrumSource& source_;
    Spectrum spectrum_;
    bool unloaded_ = false;
};

} // namespace kv
