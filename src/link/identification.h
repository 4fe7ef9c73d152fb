#pragma once

#include "link/layer.h"
#include "link/rules/identity_record.h"
#include "state/colours.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class CwButton;
class CwTimer;
class Dialogs;
class IdentitySplash;
class SerialControl;

using colour::LampGreen;
using colour::LampRed;
inline constexpr int CheckCOMPresentMs = 3000;
inline constexpr int CheckCOMAbsentMs = 500;

// Instrument identification and the link watch (CheckCOM).
class Identification : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwTimer* CheckCOM;      // the link watch
        CwButton* CWButton7;    // connection lamp
        CwButton* CWButton1;    // Run/Stop, read: the link watch identifies only while off
        CwButton* btnCalibrate; // pulsed when the first run's calibration question is answered Yes
    };

    Identification(ScopeState& state, GlobalV& global, SerialControl& serial, Dialogs& dialogs,
                   const Controls& controls, IdentitySplash& splash);

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
    void instrumentAnswered(const IdentityFields& fields);
    void noInstrument(const std::string& reply);
    void offerCalibration();
    void takeGains(ModelGains gains);

    ScopeState& state_;
    GlobalV& global_;
    SerialControl& serial_;
    Dialogs& dialogs_;
    const Controls ui;
    IdentitySplash& splash_;
};

} // namespace kv
