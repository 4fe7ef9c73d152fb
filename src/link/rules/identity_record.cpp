#include "link/rules/identity_record.h"

#include <array>
#include <utility>

namespace kv {

namespace {

const QString ProductName = QStringLiteral("Kestrovue ");

// The family's other models, one identifier per refused model code.
constexpr std::array<std::pair<char, const char*>, 22> RefusedModels{{
    {'A', "R1S"},  {'B', "R1T"},  {'D', "R2S"},  {'E', "R2T"},  {'F', "R3S"},  {'G', "R3T"},
    {'H', "R4S"},  {'I', "R4T"},  {'J', "R5S"},  {'K', "R5T"},  {'L', "R6S"},  {'M', "R6T"},
    {'N', "R8S"},  {'0', "R8T"},  {'P', "R9S"},  {'Q', "R9T"},  {'R', "R10S"}, {'S', "R10T"},
    {'T', "R11S"}, {'U', "R11T"}, {'V', "R12S"}, {'W', "R12T"},
}};

constexpr std::array<const char*, 12> MonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string charAt(std::string_view reply, std::size_t index)
{
    return index < reply.size() ? std::string(1, reply[index]) : std::string();
}

std::int16_t digitAt(std::string_view reply, std::size_t index)
{
    if (index >= reply.size() || reply[index] < '0' || reply[index] > '9')
        return 0;
    return static_cast<std::int16_t>(reply[index] - '0');
}

// 1-based month for "1".."9", "A", "B", "C"; 0 for any other code.
int monthNumber(const std::string& code)
{
    if (code.size() != 1)
        return 0;
    const char c = code[0];
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'C')
        return 10 + (c - 'A');
    return 0;
}

} // namespace

IdentityFields ParseIdentity(std::string_view reply)
{
    IdentityFields f;
    f.PresenceChar = charAt(reply, 0);
    f.ModelCode = charAt(reply, 1);
    f.FirmwareRev1 = digitAt(reply, 2);
    f.FirmwareRev2 = digitAt(reply, 3);
    f.FirmwareRev3 = digitAt(reply, 4);
    f.MonthCode = charAt(reply, 5);
    f.YearDigit = digitAt(reply, 6);
    return f;
}

bool InstrumentPresent(const IdentityFields& fields)
{
    return fields.PresenceChar == "O";
}

ModelInfo ModelFor(std::string_view code)
{
    if (code == "C")
        return {ProductName, ModelGains::Standard};
    if (code == "X")
        return {QStringLiteral("USB Oscilloscope Rev 2"), ModelGains::Rev2};
    if (code.size() == 1) {
        for (const auto& [refused, identifier] : RefusedModels) {
            if (code[0] == refused)
                return {ProductName + QLatin1String(identifier) +
                            QStringLiteral("  Hardware Not Supported"),
                        ModelGains::Keep};
        }
    }
    return {std::nullopt, ModelGains::Keep};
}

QString FirmwareLine(const IdentityFields& f)
{
    return QStringLiteral("Firmware Rev: %1.%2.%3")
        .arg(f.FirmwareRev1)
        .arg(f.FirmwareRev2)
        .arg(f.FirmwareRev3);
}

std::optional<QString> ManufactureLine(const IdentityFields& f)
{
    const int month = monthNumber(f.MonthCode);
    if (month == 0)
        return std::nullopt;
    return QStringLiteral("Date Manufactured: %1 '0%2")
        .arg(QLatin1String(MonthNames[static_cast<std::size_t>(month - 1)]))
        .arg(f.YearDigit + 1);
}

QString AbsentModelLine(std::string_view reply)
{
    return reply.empty() ? QStringLiteral("Hardware Not Found")
                         : QStringLiteral("Hardware Not Supported");
}

} // namespace kv
