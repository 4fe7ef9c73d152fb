#include "controls/timer_ticks.h"

#include "controls/cw_timer.h"
#include "platform/rules/modal_guard.h"

namespace kv {

void connectTick(CwTimer* timer, QObject* context, std::function<void()> handler)
{
    QObject::connect(timer, &CwTimer::tick, context, [handler = std::move(handler)] {
        if (!ModalGuard::open())
            handler();
    });
}

} // namespace kv
