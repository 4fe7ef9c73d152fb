#pragma once

#include "app/layer.h"

#include <QObject>
#include <functional>

namespace kv {

class CwTimer;

// Connects a timer's tick to a handler that is skipped while a modal dialog is open
// (platform/services.h, ModalGuard). Every timer handler of the program is connected through
// this; it joins a control to a platform service, so it lives above both.
void connectTick(CwTimer* timer, QObject* context, std::function<void()> handler);

} // namespace kv
