#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <QString>

namespace kv {

// Lowest and highest COM port number the program knows.
inline constexpr int FirstComPort = 1;
inline constexpr int LastComPort = 256;

// The device of COM port n by the fixed map: COM1-9 /dev/ttyS0-8, COM10-137 /dev/ttyUSB0-127,
// COM138-256 /dev/ttyACM0-118; "" for a number outside 1..256.
QString fixedComPortDevice(int n);

// The entry of COM port n in the program folder: <programFolder>/dosdevices/comN (lower case).
QString dosDeviceEntry(const QString& programFolder, int n);

// The folder whose dosdevices/ holds the COM port links, looked up where the links are: the
// program folder when its dosdevices/ exists, else the configuration folder when its
// dosdevices/ exists, else the program folder (no links: the fixed map). Where the autosave file
// is written does not count: a program folder that refuses a new file keeps its links.
QString comLinkFolder(const QString& programFolder, const QString& configFolder);
// The same with the user's configuration folder of the application.
QString comLinkFolder(const QString& programFolder);

// The device path of COM port n: the dosdevices entry when it is there (also a link whose
// target is missing, so that opening it fails rather than reaching another device), else the
// fixed map; "" for a number outside 1..256.
QString comPortDevice(const QString& programFolder, int n);

} // namespace kv
