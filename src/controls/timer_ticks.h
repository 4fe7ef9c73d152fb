#pragma once

#include "controls/layer.h"

#include <QObject>
#include <functional>

namespace kv {

class CwTimer;

// Connects a timer's tick to a handler that is skipped while a modal dialog is open
// (platform/modal_guard.h). Every timer handler of the program is connected through this.
void connectTick(CwTimer* timer, QObject* context, std::function<void()> handler);

} // namespace kv
