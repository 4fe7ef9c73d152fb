#pragma once

// The handler groups and the window (library kv_core) stand on top of the pure rules, the
// controls and the platform services; none of those may include a group or the window.
#if defined(KV_RULES_LIBRARY) || defined(KV_CONTROLS_LIBRARY) || defined(KV_PLATFORM_LIBRARY)
#error "a pure rule, a control or a platform service includes a handler group or the window"
#endif
