#include "link/rules/com_port_numbers.h"

#include "platform/rules/runtime_rules.h"

#include <algorithm>
#include <cmath>

namespace kv {

std::optional<int> PortFromSerialComm(const QString& value)
{
    bool ok = false;
    const int port = value.mid(3).trimmed().toInt(&ok);
    if (!ok || port < 1 || port > PortCount)
        return std::nullopt;
    return port;
}

std::optional<int> ComListPositionFor(const QString& text)
{
    const std::optional<double> number = parseNumberText(text.trimmed().toStdString());
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    const double position = roundHalfEven(std::clamp(*number - 1, -1.0, double(PortCount)));
    return static_cast<int>(std::clamp(position, 0.0, double(PortCount - 1)));
}

} // namespace kv
