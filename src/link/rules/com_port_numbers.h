#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/com_port_map.h"

#include <QString>
#include <optional>

namespace kv {

// The COM port list holds ports 1 to PortCount.
inline constexpr int PortCount = LastComPort;

// Where the USB serial driver names the instrument's port.
inline const QString SerialCommKey = QStringLiteral("Hardware\\Devicemap\\SerialComm");
inline const QString SerialCommValue = QStringLiteral("\\Device\\VCP0");

// The port number of a value such as "COM12" (the text after its first three characters);
// nullopt unless that is a whole number from 1 to 256.
std::optional<int> PortFromSerialComm(const QString& value);

// The list position (0 to 255) for a text typed into the COM port list's box: the number minus
// 1, rounded halves to even, kept within the list; nullopt when the text is no number.
std::optional<int> ComListPositionFor(const QString& text);

} // namespace kv
