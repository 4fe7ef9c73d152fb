#include "panel/menu_marks.h"

namespace kv {

MenuMarks::MenuMarks(Main& main) : HandlerGroup(main) {}

void MenuMarks::MenuSync()
{
    // Completed by the menu-marks group.
}

} // namespace kv
