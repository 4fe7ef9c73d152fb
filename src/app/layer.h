#pragma once

// src/app: the window and its start-up (library kv_window), on top of every other layer: it owns
// the state, the controls and the services, and builds the handler groups. Nothing below it may
// include the window: a pure rule, a control, a platform service or a handler group that includes
// a header here stops at this #error.
#if defined(KV_RULES_LIBRARY) || defined(KV_CONTROLS_LIBRARY) || defined(KV_PLATFORM_LIBRARY) ||   \
    defined(KV_GROUPS_LIBRARY)
#error "a pure rule, a control, a platform service or a handler group includes the window"
#endif
