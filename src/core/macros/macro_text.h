#pragma once
// Macro actions as one line of text, for scripts and the command line:
//   "A down 50, A up 50, Left Button down 10, Left Button up 0"
// Each action is a key, "down" (press) or "up" (release) and the pause after
// it in milliseconds (0 when left out). Keys are named as KeyCodeOfListName
// reads them ("Page Up", "Num 7", "Right Shift", "Roll Up", ",", "Up" ...); a
// key outside the editor's key list is written as its code ("0x064").

#include "core/config/macro_record.h"
#include "core/keys/key_codes.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// The code of a key name as described above; 0 when there is none.
KeyCode KeyCodeOfActionName(std::string_view name);
// The name ParseMacroActions reads back to `code`.
std::string ActionNameOf(KeyCode code);

struct ParsedMacroActions {
    std::vector<MacroAction> actions;
    std::string error; // one line saying what is wrong and where; empty when parsed

    bool ok() const { return error.empty(); }
};

// Pauses must be 0..40000 ms in steps of 10, as the editor lets them be typed;
// at most 2000 actions. An empty text is a macro without actions.
ParsedMacroActions ParseMacroActions(std::string_view text);

std::string FormatMacroActions(std::span<const MacroAction> actions);

} // namespace kw
