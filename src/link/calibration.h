#pragma once

#include "app/handler_group.h"
#include "link/calibration_phases.h"
#include "platform/variant.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kv {

// Probe zero calibration: btnCalibrate and File, "Calibrate".
class Calibration : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Calibration(Main& main);

    void btnCalibrate_ValueChanged();
    void mnuFcal_Click();

  private:
    bool confirm();
    // Runs one phase; false when the link failed (the calibration ends, this phase unchanged).
    bool runPhase(int phase);
    std::string requestCapture(const CalFrame& frame);
    Variant& offsetField(int phase);
    void advanceBars();
    void showPhase(const char* text);
};

} // namespace kv
