#include "panel/trigger_level.h"

namespace kv {

TriggerLevel::TriggerLevel(Main& main) : HandlerGroup(main) {}

void TriggerLevel::TrigLevel()
{
    // Completed by the trigger-level group.
}

} // namespace kv
