#include "platform/unattended_services.h"

namespace kv {

MsgResult UnattendedDialogs::MsgBox(const QString&, MsgButtons buttons, MsgIcon, const QString&)
{
    switch (buttons) {
    case MsgButtons::OK:
    case MsgButtons::OKCancel:
        return MsgResult::OK;
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Ignore;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::RetryCancel:
        return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

} // namespace kv
