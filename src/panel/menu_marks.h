#pragma once

#include "app/handler_group.h"

namespace kv {

// Menu check marks kept in step with the controls.
class MenuMarks : public HandlerGroup
{
    Q_OBJECT

public:
    explicit MenuMarks(Main& main);

    // Brings every menu check mark into line with the controls.
    void MenuSync();
};

} // namespace kv
