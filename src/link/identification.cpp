#include "link/identification.h"

#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/timer_ticks.h"
#include "link/identity_splash.h"
#include "link/rules/command_frame.h"
#include "platform/rules/serial_control.h"
#include "platform/rules/skip_on_failure.h"
#include "platform/services.h"

#include <array>
#include <utility>

namespace kv {

// ---- Handlers -----------------------------------------------------------------------------------

Identification::Identification(ScopeState& state, GlobalV& global, SerialControl& serial,
                               Dialogs& dialogs, const Controls& controls, IdentitySplash& splash)
    : state_(state), global_(global), serial_(serial), dialogs_(dialogs), ui(controls),
      splash_(splash)
{
    connectTick(ui.CheckCOM, this, [this] { CheckCOM_Timer(); });
    connect(ui.CWButton7, &CwButton::valueChanged, this, &Identification::CWButton7_ValueChanged);
    // A click on the lamp is a pulse of its value: the reset runs, and the lamp goes on showing
    // the connection colour rather than staying lit in its on colour.
    connect(ui.CWButton7, &CwButton::clicked, this, [this] {
        ui.CWButton7->setValue(true);
        ui.CWButton7->setValue(false);
    });
}

void Identification::CWButton7_ValueChanged(bool value)
{
    if (value)
        Reset1(serial_);
}

void Identification::CheckCOM_Timer()
{
    if (ui.CWButton1->value())
        return;
    serial_.PortReset();
    CheckHardware();
}

std::string Identification::requestIdentity()
{
    Reset1(serial_);
    if (serial_.BytesWaiting() != 0)
        serial_.FlushInput();
    serial_.ReplyLength(IdentityLength);
    SendData(serial_, IdentifyCmd);
    return serial_.ReadBytes(IdentityLength);
}

void Identification::storeFields(const std::string& reply, const IdentityFields& f)
{
    ScopeState& s = state_;
    s.IdentityReply = Variant(reply);
    s.PresenceChar = Variant(f.PresenceChar);
    s.ModelCode = f.ModelCode;
    s.FirmwareRev1 = f.FirmwareRev1;
    s.FirmwareRev2 = f.FirmwareRev2;
    s.FirmwareRev3 = f.FirmwareRev3;
    s.MonthCode = f.MonthCode;
    s.YearDigit = f.YearDigit;
}

void Identification::CheckHardware()
{
    ui.CWButton7->setOffColor(LampRed);
    if (splash_.visible())
        splash_.setLamp(LampRed);
    const std::string reply = requestIdentity();
    const IdentityFields fields = ParseIdentity(reply);
    storeFields(reply, fields);
    if (InstrumentPresent(fields))
        instrumentAnswered(fields);
    else
        noInstrument(reply);
}

void Identification::offerCalibration()
{
    if (!global_.FirstRun.toBoolean())
        return;
    skipOnFailure([this] {
        const MsgResult answer =
            dialogs_.MsgBox(QStringLiteral("Would you like the calibtare the probes?"),
                            MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Probe Setup"));
        if (answer == MsgResult::Yes) {
            // The calibration runs inside the change to on; the change to off re-enables Run.
            ui.btnCalibrate->setValue(true);
            ui.btnCalibrate->setValue(false);
        }
    });
    global_.FirstRun = false;
}

void Identification::takeGains(ModelGains gains)
{
    if (gains == ModelGains::Standard) {
        global_.ModelGainLo = state_.GainLo;
        global_.ModelGainHi = state_.GainHi;
    } else if (gains == ModelGains::Rev2) {
        global_.ModelGainLo = state_.GainLoRev2;
        global_.ModelGainHi = state_.GainHiRev2;
    }
}

void Identification::instrumentAnswered(const IdentityFields& fields)
{
    ui.CheckCOM->setInterval(CheckCOMPresentMs);
    ui.CWButton7->setOffColor(LampGreen);
    offerCalibration();
    const bool visible = splash_.visible();
    if (visible) {
        splash_.setLamp(LampGreen);
        splash_.armClosing();
    }
    const ModelInfo model = ModelFor(fields.ModelCode);
    if (visible && model.modelLine)
        splash_.setModel(*model.modelLine);
    takeGains(model.gains);
    // Written whether or not the window is open (a closed one is loaded again, hidden).
    splash_.setFirmware(FirmwareLine(fields));
    if (visible) {
        if (const auto line = ManufactureLine(fields))
            splash_.setManufacture(*line);
    }
}

void Identification::noInstrument(const std::string& reply)
{
    ui.CheckCOM->setInterval(CheckCOMAbsentMs);
    ui.CWButton7->setOffColor(LampRed);
    if (!splash_.visible())
        return;
    splash_.setLamp(LampRed);
    splash_.setModel(AbsentModelLine(reply));
    splash_.setFirmware(QString());
    splash_.setManufacture(QString());
}

} // namespace kv
