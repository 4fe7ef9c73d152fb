#include "panel/rules/channel_selection.h"

namespace kv {

namespace {

constexpr int Reference = 5;

} // namespace

int nextSelection(int switchedOff, bool led1On, bool led2On, bool led5On)
{
    switch (switchedOff) {
    case 1:
        return led5On ? Reference : led2On ? 2 : 1;
    case 2:
        return led5On ? Reference : led1On ? 1 : 2;
    case Reference:
        return led2On ? 2 : led1On ? 1 : Reference;
    default:
        return switchedOff;
    }
}

} // namespace kv
