#include "controls/default_pointer.h"

#include <QWidget>

namespace kv {

void restoreDefaultPointer(QWidget& window)
{
    window.unsetCursor();
}

} // namespace kv
