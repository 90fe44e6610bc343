#pragma once
// The keyboard's active profile as the host caches it.

#include "core/device/keyboard_state.h"
#include "core/device/transport.h"

namespace kw {

// The cached active profile; when it is unknown the keyboard is asked and the
// answer cached. kProfileUnknown when that read fails.
int CurrentProfile(Transport& transport, KeyboardState& keyboard);

} // namespace kw
