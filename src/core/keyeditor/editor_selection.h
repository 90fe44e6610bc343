#pragma once
// The key the composite editor edits, as the main window fills it in.

#include <cstdint>

namespace kw {

struct EditorSelection {
    std::uint16_t groupOffset = 0;
    std::uint16_t keyIndex = 0; // 256 + ordinal for a G-key
    std::uint32_t controlId = 0;
    int macroEditMode = 0; // 1 only for G9, which the macro button opens too
    bool operator==(const EditorSelection&) const = default;
};

} // namespace kw
