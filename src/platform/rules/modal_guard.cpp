#include "platform/rules/modal_guard.h"

namespace kv {

namespace {
int modalDepth = 0;
} // namespace

ModalGuard::ModalGuard()
{
    ++modalDepth;
}
ModalGuard::~ModalGuard()
{
    --modalDepth;
}
int ModalGuard::depth()
{
    return modalDepth;
}

} // namespace kv
