#pragma once

// The platform services (library kv_platform) use Qt and the pure rules only. Every header below
// src/ is on every include path, so each service header includes this, and a pure rule
// (kv_rules) or a control (kv_controls) that includes a service stops here.
#if defined(KV_RULES_LIBRARY) || defined(KV_CONTROLS_LIBRARY)
#error "a pure rule or a control includes a platform service (platform/)"
#endif
