#pragma once
// What the single-key tab does with a key event while it captures: pass it
// on, swallow it, or swallow it and take its key as the key's new function.

#include "core/keys/evdev_keys.h"

namespace kw {

struct CaptureDecision {
    bool swallow = false; // the event goes no further (no shortcut, no dialog key)
    bool take = false;    // the code becomes the captured key
    bool operator==(const CaptureDecision&) const = default;
};

// The two Windows keys and Menu are taken on every press, repeat and release,
// whatever the keyboard/mouse choice, because the desktop would act on them
// otherwise. Events without a code and media keys pass on. Everything else
// is swallowed and taken in keyboard mode only: a fresh press, or any event of
// Print Screen (which many systems report on release only).
CaptureDecision DecideCapture(const KeyStroke& stroke, bool mouseMode);

} // namespace kw
