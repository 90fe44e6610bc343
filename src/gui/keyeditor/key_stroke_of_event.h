#pragma once
// A Qt key event as the key editor sees it: the key code of its native scan
// code (the evdev code + 8 on X11 and Wayland) and whether it is a fresh
// press, a release or an auto-repeat.

#include "core/keys/evdev_keys.h"

#include <QKeyEvent>
#include <optional>

namespace kw::gui {

// nullopt for an event that is no key press or release, or that carries no
// scan code (synthesised without one).
std::optional<KeyStroke> KeyStrokeOfKeyEvent(const QKeyEvent& event);

} // namespace kw::gui
