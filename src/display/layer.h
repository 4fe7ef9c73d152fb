#pragma once

// src/display: the display groups: read-outs, cursors, the trace view (library kv_groups), above
// the pure rules, the controls and the platform services, below the window. May use those three and
// the groups of no other folder. Never the window (src/app): its headers stop with an #error where
// KV_GROUPS_LIBRARY is defined. The folder's pure rules (its rules/ folder)
// include nothing of this layer; every other header here includes this one, which refuses the
// rules, the controls and the services.
#if defined(KV_RULES_LIBRARY) || defined(KV_CONTROLS_LIBRARY) || defined(KV_PLATFORM_LIBRARY)
#error "a pure rule, a control or a platform service includes a display group"
#endif
