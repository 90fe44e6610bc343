#pragma once
// One macro as the configuration image and its files hold it: a fixed-size
// record (16512 bytes in files) so that the n-th macro sits at n * 16512.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kw {

inline constexpr std::size_t kMacroNameChars = 250; // terminator included
inline constexpr std::size_t kMacroActionsMax = 2000;
inline constexpr std::size_t kMacroActionSize = 8;
inline constexpr std::size_t kMacroHeaderSize = 512;
inline constexpr std::size_t kMacroActionCountOffset = 508;
inline constexpr std::size_t kMacroRecordSize =
    kMacroHeaderSize + kMacroActionsMax * kMacroActionSize; // 16512
// The most macros a valid profile file holds.
inline constexpr std::uint16_t kMacroCountMax = 100;

struct MacroAction {
    std::uint32_t delayMs = 0;   // pause after this action
    std::uint16_t keyCode = 0;   // key code, mouse buttons and wheel included
    std::uint16_t isRelease = 0; // 0 press, 1 release

    bool operator==(const MacroAction&) const = default;
};

struct MacroRecord {
    std::array<char16_t, kMacroNameChars> name{}; // NUL-terminated
    std::uint8_t repeatCount = 0;
    std::uint8_t reserved501 = 0;
    std::uint16_t pendingFlag = 0;
    std::uint16_t playMode = 0;
    std::uint16_t macroId = 0;
    std::uint16_t actionCount = 0; // at most kMacroActionsMax
    std::uint16_t reserved510 = 0;
    std::array<MacroAction, kMacroActionsMax> actions{};

    bool operator==(const MacroRecord&) const = default;

    // The name up to its terminator (all 250 characters when a file left it out).
    std::u16string_view nameView() const;
    // Stores at most 249 characters, never half a surrogate pair, and terminates.
    void setName(std::u16string_view text);
    // The actions in use; never more than the record holds.
    std::span<const MacroAction> usedActions() const;
};

// Position of the first record with `macroId` in the list; 0 when there is none.
std::uint16_t macroPositionIn(std::span<const MacroRecord> macros, std::uint16_t macroId);

} // namespace kw
