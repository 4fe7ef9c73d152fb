#include "link/calibration.h"

#include "controls/cw_button.h"
#include "controls/cw_slide.h"
#include "controls/picture_box.h"
#include "link/rules/command_frame.h"
#include "link/rules/sample_decode.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"
#include "state/channel_fields.h"

#include <QAction>
#include <QLabel>
#include <exception>
#include <numeric>

namespace kv {

namespace {
constexpr int Phases = static_cast<int>(CalFrames.size());
// A record is read as the acquisition reads it: 751 bytes, then three times 750.
constexpr int FirstRead = 751;
constexpr int NextRead = 750;
} // namespace

// ---- Handlers -----------------------------------------------------------------------------------

Calibration::Calibration(ScopeState& state, GlobalV& global, SerialControl& serial,
                         Dialogs& dialogs, const Controls& controls)
    : state_(state), global_(global), serial_(serial), dialogs_(dialogs), ui(controls)
{
    // One step per capture over the four phases.
    ui.pgbMain->setAxisMaximum(Phases * CapturesPerPhase);
    connect(ui.btnCalibrate, &CwButton::valueChanged, this,
            &Calibration::btnCalibrate_ValueChanged);
    connect(ui.mnuFcal, &QAction::triggered, this, &Calibration::mnuFcal_Click);
}

void Calibration::mnuFcal_Click()
{
    ui.btnCalibrate->setValue(true);
    ui.btnCalibrate->setValue(false);
}

bool Calibration::confirm()
{
    if (dialogs_.MsgBox(QStringLiteral("Are you sure you want to calibrate the probes?\n"
                                       "The current calibration settings will be over-written!"),
                        MsgButtons::YesNo, MsgIcon::Question,
                        QStringLiteral("Are You Sure?")) != MsgResult::Yes)
        return false;
    ui.Options->setVisible(true);
    return dialogs_.MsgBox(QStringLiteral("1) Connect Both CH1 and CH2 Probes into the "
                                          "Oscilloscope.\n"
                                          "2) Clip CH1 Positive Lead to CH1 Ground Lead.\n"
                                          "3) Clip CH2 Positive Lead to CH2 Ground Lead."),
                           MsgButtons::OK, MsgIcon::Exclamation,
                           QStringLiteral("Action Required to Calibrate Probes")) == MsgResult::OK;
}

void Calibration::btnCalibrate_ValueChanged()
{
    if (!ui.btnCalibrate->value()) {
        ui.CWButton1->setEnabled(true);
        return;
    }
    ui.CWButton1->setValue(false);
    ui.CWButton1->setEnabled(false);
    ui.CWButton1->repaint();
    ui.pgbNow->setValue(0);
    ui.pgbMain->setValue(0);
    try {
        if (confirm()) {
            for (int phase = 0; phase < Phases; ++phase) {
                showPhase(phase < 2 ? "Calibrateing CH1" : "Calibrateing CH2");
                if (phase == 2)
                    ui.pgbNow->setValue(0);
                if (!runPhase(phase))
                    break;
            }
        }
    } catch (const std::exception&) {
    }
    ui.CWButton1->setEnabled(true);
}

void Calibration::showPhase(const char* text)
{
    ui.lblpgbNow->setText(QString::fromLatin1(text));
    ui.lblpgbNow->repaint();
}

void Calibration::advanceBars()
{
    for (CwSlide* bar : {ui.pgbNow, ui.pgbMain}) {
        bar->setValue(bar->value() + 1);
        bar->repaint();
    }
}

std::string Calibration::requestCapture(const CalFrame& frame)
{
    serial_.ReplyLength(DataFrameLength);
    serial_.FlushInput();
    state_.FastModeBit = 0;
    Header(state_, ui.CWSlide5->position());
    for (const std::uint8_t byte : frame.bytes)
        SendData(serial_, byte);
    // Each read has its own time-out, so a silent link costs well under a second.
    std::string reply = serial_.ReadBytes(FirstRead);
    for (int i = 0; i < 3; ++i)
        reply += serial_.ReadBytes(NextRead);
    return reply;
}

Variant& Calibration::offsetField(int phase)
{
    // Phases 0 and 1 calibrate channel 1, 2 and 3 channel 2; the even phase the low range.
    const ChannelState ch = channelState(state_, CalFrames[std::size_t(phase)].channel);
    return phase % 2 == 0 ? ch.CalOffsetLo : ch.CalOffsetHi;
}

bool Calibration::runPhase(int phase)
{
    const CalFrame& frame = CalFrames[static_cast<std::size_t>(phase)];
    SampleArrays& samples = global_.Samples;
    std::span<double> raw = channelSamples(samples, frame.channel).Trace;
    std::array<std::optional<float>, CapturesPerPhase> captures{};
    for (std::optional<float>& result : captures) {
        const std::string reply = requestCapture(frame);
        const CaptureKind kind = ClassifyCapture(reply);
        // A dead link ends the calibration: nothing came, or the device went away.
        if (kind == CaptureKind::LinkFailed || !serial_.PortOpen())
            return false;
        if (kind == CaptureKind::Good) {
            result = CaptureMean(reply, frame.channel, raw);
            channelState(state_, frame.channel).SampleIndex = 0;
        }
        advanceBars();
    }
    if (const std::optional<double> offset = PhaseOffset(captures))
        offsetField(phase) = *offset;
    return true;
}

} // namespace kv
