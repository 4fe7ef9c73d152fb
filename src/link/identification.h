#pragma once

#include "app/handler_group.h"
#include "link/identity_record.h"
#include "state/colours.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

using colour::LampGreen;
using colour::LampRed;
inline constexpr int CheckCOMPresentMs = 3000;
inline constexpr int CheckCOMAbsentMs = 500;

// Instrument identification and the link watch (CheckCOM).
class Identification : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Identification(Main& main);

    // Resets and identifies the instrument: lamps, link-watch interval, the model's gains, the
    // splash window's lines and timer, and on a first run the calibration question.
    void CheckHardware();
    // Link watch tick: identifies again while Run is off.
    void CheckCOM_Timer();
    // The connection lamp: its change to on resets the instrument; the change to off does
    // nothing.
    void CWButton7_ValueChanged(bool value);

  private:
    std::string requestIdentity();
    void storeFields(const std::string& reply, const IdentityFields& fields);
    bool splashVisible() const;
    void instrumentAnswered(const IdentityFields& fields);
    void noInstrument(const std::string& reply);
    void offerCalibration();
    void takeGains(ModelGains gains);
};

} // namespace kv
