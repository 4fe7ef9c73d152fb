#pragma once

#include "controls/layer.h"

class QWidget;

namespace kv {

// Puts the main window's mouse pointer back to the default arrow: the move handlers of every
// surface that is not a control call it.
void restoreDefaultPointer(QWidget& window);

} // namespace kv
