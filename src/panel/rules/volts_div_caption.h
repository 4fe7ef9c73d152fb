#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <QString>

namespace kv {

// 0-based index of `caption` among the volts/div captions "100mV" .. "5V" (exact text); -1 for
// any other caption ("Zoomed", "Autoscale", ...).
int voltsDivCaptionIndex(const QString& caption);

} // namespace kv
