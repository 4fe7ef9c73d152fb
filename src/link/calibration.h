#pragma once

#include "controls/control_classes.h"
#include "link/layer.h"
#include "link/rules/calibration_phases.h"
#include "platform/rules/variant.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kv {

class Dialogs;
class SerialControl;

// Probe zero calibration: btnCalibrate and File, "Calibrate".
class Calibration : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwButton* btnCalibrate;
        QAction* mnuFcal;
        CwButton* CWButton1; // Run/Stop: off and out of use while the calibration runs
        PictureBox* Options; // the Options panel, shown once the calibration is confirmed
        CwSlide* pgbNow;     // progress of the channel
        CwSlide* pgbMain;    // progress of the whole calibration
        QLabel* lblpgbNow;   // the channel being calibrated
        CwSlide* CWSlide5;   // trigger source, read for the frame header
    };

    Calibration(ScopeState& state, GlobalV& global, SerialControl& serial, Dialogs& dialogs,
                const Controls& controls);

    void btnCalibrate_ValueChanged();
    void mnuFcal_Click();

  private:
    bool confirm();
    // Runs one phase; false when the link died (the calibration ends, this phase unchanged).
    // A bad capture is left out of the phase's mean.
    bool runPhase(int phase);
    std::string requestCapture(const CalFrame& frame);
    Variant& offsetField(int phase);
    void advanceBars();
    void showPhase(const char* text);

    ScopeState& state_;
    GlobalV& global_;
    SerialControl& serial_;
    Dialogs& dialogs_;
    const Controls ui;
};

} // namespace kv
