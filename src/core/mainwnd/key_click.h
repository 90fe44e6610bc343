#pragma once
// What a click on a drawn key does, and the selection the key function
// editor is opened with.

#include "core/keyeditor/editor_selection.h"

#include <cstdint>
#include <optional>

namespace kw {

enum class KeyClickAction {
    Nothing,
    ColourKey, // the lighting view paints the key
    SelectKey, // open the key function editor for it
};

// The 106 key buttons and the hidden Enter select with the view off and are
// coloured with it on; G1..G5 and Fn are only coloured; G6..G9 and the macro
// button always select. Any other control does nothing.
KeyClickAction KeyClickActionOf(int controlId, bool lightingView);

// The selection for a click on `controlId` (the hidden Enter counting as
// Enter, the macro button as G9); nullopt for an id that is not a key.
std::optional<EditorSelection> EditorSelectionOf(int controlId);

} // namespace kw
