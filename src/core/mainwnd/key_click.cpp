#include "core/mainwnd/key_click.h"

#include "core/keys/key_buttons.h"

namespace kw {

KeyClickAction KeyClickActionOf(int controlId, bool lightingView) {
    if (controlId == kHiddenEnterButton || KeyButtonRowOf(controlId) >= 0) {
        return lightingView ? KeyClickAction::ColourKey : KeyClickAction::SelectKey;
    }
    const int ordinal = GKeyOrdinalOf(controlId);
    if ((ordinal >= 0 && ordinal < 5) || controlId == kFnButton) {
        return lightingView ? KeyClickAction::ColourKey : KeyClickAction::Nothing;
    }
    if (ordinal >= 5 || controlId == kMacroButton) {
        return KeyClickAction::SelectKey;
    }
    return KeyClickAction::Nothing;
}

std::optional<EditorSelection> EditorSelectionOf(int controlId) {
    const int id = ClickedKeyButton(controlId);
    const int keyIndex = EditorKeyIndexOf(id);
    if (keyIndex < 0) {
        return std::nullopt;
    }
    EditorSelection selection;
    selection.keyIndex = static_cast<std::uint16_t>(keyIndex);
    selection.controlId = static_cast<std::uint32_t>(id);
    selection.macroEditMode = id == kMacroGKeyButton ? 1 : 0;
    return selection;
}

} // namespace kw
