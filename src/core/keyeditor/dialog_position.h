#pragma once
// Where the key editor opens: beside the clicked key, at the first of its four
// corners where the whole dialog fits on the screen (when none has room, at
// the bottom-right corner moved onto the screen); centred in macro-edit mode.

namespace kw {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct ScreenPoint {
    int x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// `key` is the clicked button's rectangle and `screen` the screen it is on,
// both in global coordinates; the dialog is `width` × `height`.
ScreenPoint KeyEditorPosition(bool macroEditMode, const ScreenRect& key, int width, int height,
                              const ScreenRect& screen);

} // namespace kw
