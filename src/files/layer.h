#pragma once

// The file groups and their widgets and dialogs (library kv_core) use the pure rules, the
// controls and the platform services, never the window (src/app): each group is given the
// controls, state, services and peers it uses. Every header below src/ is on every include path,
// so each of their headers includes this, and a pure rule (kv_rules), a control (kv_controls) or
// a platform service (kv_platform) that includes one stops here.
#if defined(KV_RULES_LIBRARY) || defined(KV_CONTROLS_LIBRARY) || defined(KV_PLATFORM_LIBRARY)
#error "a pure rule, a control or a platform service includes a file group or its dialogs (files/)"
#endif
