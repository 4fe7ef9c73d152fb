#include "panel/rules/channel_selection.h"

#include "state/global_v.h"

namespace kv {

int nextSelection(int switchedOff, bool led1On, bool led2On, bool led5On)
{
    switch (switchedOff) {
    case 1:
        return led5On ? ReferenceChannel : led2On ? 2 : 1;
    case 2:
        return led5On ? ReferenceChannel : led1On ? 1 : 2;
    case ReferenceChannel:
        return led2On ? 2 : led1On ? 1 : ReferenceChannel;
    default:
        return switchedOff;
    }
}

} // namespace kv
