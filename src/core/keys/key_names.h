#pragma once
// Display names of key codes, list positions, media and keyboard-side
// functions, looked up in the language files at each call (never cached, so
// a changed language shows at the next lookup).

#include "core/keys/key_codes.h"

#include <cstdint>
#include <string>

namespace kw {

class Language;

// The language text of the code's name key; when the code has no row, no
// name key or an empty text, the "UNKNOWN_KEY" format filled with the code.
std::string KeyNameOf(KeyCode code, const Language& language, int languageIndex);
std::string KeyNameOf(KeyCode code, const Language& language);

// The name of the first row at that list position; empty when no row has the
// position or the row has no name key.
std::string ListEntryName(std::uint16_t position, const Language& language, int languageIndex);
std::string ListEntryName(std::uint16_t position, const Language& language);

// The name of media index 0..17 (through its key code); empty for any other index.
std::string MediaKeyName(int mediaIndex, const Language& language);
// The name of keyboard-side function 0..10; empty for any other index.
std::string FunctionKeyName(int functionIndex, const Language& language);

} // namespace kw
