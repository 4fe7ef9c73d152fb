#pragma once

#include "app/handler_group.h"

namespace kv {

// Trigger level and vertical position: the trigger and vertical-position slides, cursor "T" and
// the trigger timer.
class TriggerLevel : public HandlerGroup
{
    Q_OBJECT

public:
    explicit TriggerLevel(Main& main);

    // Recomputes the vertical positions, the followed trigger pointer, the trigger level of the
    // source channel and its display.
    void TrigLevel();
};

} // namespace kv
