#pragma once

#include "app/handler_group.h"

namespace kv {

// Instrument identification and the link watch.
class Identification : public HandlerGroup
{
    Q_OBJECT

public:
    explicit Identification(Main& main);

    // Identifies the instrument, fills the splash window's lines and takes the model's gains.
    void CheckHardware();
};

} // namespace kv
