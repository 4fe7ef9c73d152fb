#include "link/identification.h"

namespace kv {

Identification::Identification(Main& main) : HandlerGroup(main) {}

void Identification::CheckHardware()
{
    // Completed by the identification group.
}

} // namespace kv
