#pragma once
// The drawn keyboard's key buttons: which control id stands for which key.
// KeyButtonTable has the 106 key buttons in their fixed row order (its code
// column is the design's KeyCodeTable); GKeyButtonTable the nine G-keys in
// ordinal order G1..G9. The skin places each button at "KEY_%03X" of its
// code's keyIndex, a G-key at "FUNC_G%d" of its ordinal + 1.

#include "core/keys/key_codes.h"

#include <array>
#include <string>
#include <string_view>

namespace kw {

struct KeyButton {
    int controlId;
    KeyCode code;
    std::string_view label; // what the key is, in words ("A", "left Ctrl", "keypad 7")
};

inline constexpr int kKeyButtonCount = 106;
const std::array<KeyButton, kKeyButtonCount>& KeyButtonTable();
const std::array<int, kGKeyCount>& GKeyButtonTable();

// Buttons that stand in for another one when clicked.
inline constexpr int kEnterButton = 1070;
inline constexpr int kHiddenEnterButton = 1057; // a second Enter face; counts as kEnterButton
inline constexpr int kMacroGKeyButton = 1143;   // G9, the only button that opens macro editing
inline constexpr int kMacroButton = 1007;       // counts as kMacroGKeyButton
inline constexpr int kFnButton = 1174;          // placed at "KEY_FN"; has no configuration entry

// The button a click on `controlId` counts as (the hidden Enter and the macro
// button stand for another); any other id is itself.
int ClickedKeyButton(int controlId);

// Row in KeyButtonTable, or -1.
int KeyButtonRowOf(int controlId);
// Ordinal 0..8 in GKeyButtonTable, or -1.
int GKeyOrdinalOf(int controlId);

// The keyIndex the key function editor edits for a button: 256 + ordinal for
// a G-key, KeyIndexOf(code) for a key button, -1 for any other id.
int EditorKeyIndexOf(int controlId);

// The key code of a key or G-key button; 0 for any other id.
KeyCode KeyCodeOfButton(int controlId);

// Skin keys in section "BUTTONINFO": "KEY_0C7" for Home, "FUNC_G1" for G1.
// Empty for a row or ordinal out of range.
std::string KeyButtonSkinKey(int row);
std::string GKeyButtonSkinKey(int ordinal);

} // namespace kw
