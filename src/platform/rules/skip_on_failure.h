#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

namespace kv {

// Runs one statement; one that fails (throws) is skipped, and the caller goes on with the next.
// Start-up and the identification work the controls and the link this way, so that one failing
// step does not stop the steps after it.
template <class F> void skipOnFailure(F&& statement) noexcept
{
    try {
        statement();
    } catch (...) {
    }
}

} // namespace kv
