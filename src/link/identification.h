#pragma once

#include "app/handler_group.h"
#include "state/colours.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// ---- The identity record and what it stands for ------------------------------------------------

inline constexpr int IdentityLength = 7;
using colour::LampGreen;
using colour::LampRed;
inline constexpr int CheckCOMPresentMs = 3000;
inline constexpr int CheckCOMAbsentMs = 500;

// The fields of a reply of up to seven characters: presence, model, three firmware digits, month
// and year digit. A missing character leaves its text empty; a missing or non-digit character
// leaves its number 0.
struct IdentityFields
{
    std::string PresenceChar;
    std::string ModelCode;
    std::int16_t FirmwareRev1 = 0, FirmwareRev2 = 0, FirmwareRev3 = 0;
    std::string MonthCode;
    std::int16_t YearDigit = 0;
};

IdentityFields ParseIdentity(std::string_view reply);

// "O" first: an instrument answers.
bool InstrumentPresent(const IdentityFields& fields);

// Which gain pair a model code puts in force.
enum class ModelGains
{
    Keep,     // refused or unknown model: the gains stay as they are
    Standard, // GainLo / GainHi
    Rev2      // GainLoRev2 / GainHiRev2
};

struct ModelInfo
{
    std::optional<QString> modelLine; // the splash window's Model line; nullopt: unchanged
    ModelGains gains = ModelGains::Keep;
};

// The model table: "C", "X", the 22 refused codes of the family's other models, anything else.
ModelInfo ModelFor(std::string_view code);

// "Firmware Rev: a.b.c".
QString FirmwareLine(const IdentityFields& fields);
// "Date Manufactured: May '02"; nullopt for a month code outside "1".."9", "A".."C".
std::optional<QString> ManufactureLine(const IdentityFields& fields);
// The Model line when no instrument answers: nothing came, or something that is not one.
QString AbsentModelLine(std::string_view reply);

// ---- The handlers
// ---------------------------------------------------------------------------------

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
