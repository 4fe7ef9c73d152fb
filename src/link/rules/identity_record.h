#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// ---- The identity record and what it stands for ------------------------------------------------

inline constexpr int IdentityLength = 7;

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

} // namespace kv
