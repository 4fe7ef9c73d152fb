#include "link/identification.h"

#include "app/main_window.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "controls/timer_ticks.h"
#include "link/command_frame.h"
#include "platform/serial_control.h"
#include "platform/services.h"

#include <array>
#include <exception>
#include <utility>

namespace kv {

namespace {

// Runs one statement, skipping it when it fails.
template <class F> void skipOnFailure(F&& statement) noexcept
{
    try {
        statement();
    } catch (...) {
    }
}

} // namespace

// ---- Handlers -----------------------------------------------------------------------------------

Identification::Identification(Main& main) : HandlerGroup(main)
{
    connectTick(m.CheckCOM, this, [this] { CheckCOM_Timer(); });
    connect(m.CWButton7, &CwButton::valueChanged, this, &Identification::CWButton7_ValueChanged);
    // A click on the lamp is a pulse of its value: the reset runs, and the lamp goes on showing
    // the connection colour rather than staying lit in its on colour.
    connect(m.CWButton7, &CwButton::clicked, this, [this] {
        m.CWButton7->setValue(true);
        m.CWButton7->setValue(false);
    });
}

void Identification::CWButton7_ValueChanged(bool value)
{
    if (value)
        Reset1(m.CWSerial1);
}

void Identification::CheckCOM_Timer()
{
    if (m.CWButton1->value())
        return;
    m.CWSerial1.PortReset();
    CheckHardware();
}

bool Identification::splashVisible() const
{
    return m.splashLoaded() && m.frmSplash().isVisible();
}

std::string Identification::requestIdentity()
{
    Reset1(m.CWSerial1);
    if (m.CWSerial1.BytesWaiting() != 0)
        m.CWSerial1.FlushInput();
    m.CWSerial1.ReplyLength(IdentityLength);
    SendData(m.CWSerial1, IdentifyCmd);
    return m.CWSerial1.ReadBytes(IdentityLength);
}

void Identification::storeFields(const std::string& reply, const IdentityFields& f)
{
    ScopeState& s = m.state;
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
    m.CWButton7->setOffColor(LampRed);
    if (splashVisible())
        m.frmSplash().CWButton7->setOffColor(LampRed);
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
    if (!m.global.FirstRun.toBoolean())
        return;
    skipOnFailure([this] {
        const MsgResult answer =
            m.dialogs.MsgBox(QStringLiteral("Would you like the calibtare the probes?"),
                             MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Probe Setup"));
        if (answer == MsgResult::Yes) {
            // The calibration runs inside the change to on; the change to off re-enables Run.
            m.btnCalibrate->setValue(true);
            m.btnCalibrate->setValue(false);
        }
    });
    m.global.FirstRun = false;
}

void Identification::takeGains(ModelGains gains)
{
    if (gains == ModelGains::Standard) {
        m.global.ModelGainLo = m.state.GainLo;
        m.global.ModelGainHi = m.state.GainHi;
    } else if (gains == ModelGains::Rev2) {
        m.global.ModelGainLo = m.state.GainLoRev2;
        m.global.ModelGainHi = m.state.GainHiRev2;
    }
}

void Identification::instrumentAnswered(const IdentityFields& fields)
{
    m.CheckCOM->setInterval(CheckCOMPresentMs);
    m.CWButton7->setOffColor(LampGreen);
    offerCalibration();
    const bool visible = splashVisible();
    if (visible) {
        SplashWindow& splash = m.frmSplash();
        splash.CWButton7->setOffColor(LampGreen);
        // Arm once: each later identification must not push the closing further away.
        if (!splash.SplashTime->enabled())
            splash.SplashTime->setEnabled(true);
    }
    const ModelInfo model = ModelFor(fields.ModelCode);
    if (visible && model.modelLine)
        m.frmSplash().Model->setText(*model.modelLine);
    takeGains(model.gains);
    // Written whether or not the window is open (a closed one is loaded again, hidden).
    m.frmSplash().Firmware->setText(FirmwareLine(fields));
    if (visible) {
        if (const auto line = ManufactureLine(fields))
            m.frmSplash().Manufacture->setText(*line);
    }
}

void Identification::noInstrument(const std::string& reply)
{
    m.CheckCOM->setInterval(CheckCOMAbsentMs);
    m.CWButton7->setOffColor(LampRed);
    if (!splashVisible())
        return;
    SplashWindow& splash = m.frmSplash();
    splash.CWButton7->setOffColor(LampRed);
    splash.Model->setText(AbsentModelLine(reply));
    splash.Firmware->setText(QString());
    splash.Manufacture->setText(QString());
}

} // namespace kv
