#include "core/keyeditor/dialog_position.h"

#include <algorithm>

namespace kw {

ScreenPoint KeyEditorPosition(bool macroEditMode, const ScreenRect& key, int width, int height,
                              const ScreenRect& screen) {
    if (macroEditMode) {
        return {screen.left + (screen.width() - width) / 2,
                screen.top + (screen.height() - height) / 2};
    }
    // Room to the right of, left of, below and above the key.
    const bool right = width <= screen.right - key.right;
    const bool left = width <= key.left - screen.left;
    const bool below = height <= screen.bottom - key.bottom;
    const bool above = height <= key.top - screen.top;
    if (right && below) {
        return {key.right, key.bottom};
    }
    if (right && above) {
        return {key.right, key.top - height};
    }
    if (left && below) {
        return {key.left - width, key.bottom};
    }
    if (left && above) {
        return {key.left - width, key.top - height};
    }
    // No corner has room: beside the key's bottom-right corner still, but
    // pushed back onto the screen so that OK and Cancel stay reachable (the
    // top-left edge wins on a screen smaller than the dialog).
    return {std::max(screen.left, std::min(key.right, screen.right - width)),
            std::max(screen.top, std::min(key.bottom, screen.bottom - height))};
}

} // namespace kw
