#pragma once

// The controls (library kv_controls) use Qt Widgets, Qwt and the pure rules only. Every header
// below src/ is on every include path, so each control header includes this, and a pure rule
// (kv_rules) or a platform service (kv_platform) that includes a control stops here.
#if defined(KV_RULES_LIBRARY) || defined(KV_PLATFORM_LIBRARY)
#error "a pure rule or a platform service includes a control (controls/)"
#endif
