#pragma once
// The effects the keyboard offers (32 slots of its information block, 0 for
// an empty slot), the selector rows built from them, and what choosing an
// effect writes.

#include "core/device/device_info.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kw {

inline constexpr std::uint8_t kUserModeEffect = 20;

struct EffectList {
    std::array<std::uint8_t, kEffectSlots> slots{};

    static EffectList fromDeviceInfo(const DeviceInfo& info);
    bool offers(std::uint8_t code) const;

    friend bool operator==(const EffectList&, const EffectList&) = default;
};

// Selector row -> effect code, for the nonzero slots in slot order; gaps in
// the keyboard's list leave no empty rows.
class EffectSlotTable {
public:
    EffectSlotTable() = default;
    explicit EffectSlotTable(const EffectList& list);

    int rows() const { return static_cast<int>(codes_.size()); }
    // The code of a row; 0 for a row that does not exist.
    std::uint8_t codeOfRow(int row) const;
    // The first row holding `code`, or -1.
    int rowOfCode(std::uint8_t code) const;
    std::span<const std::uint8_t> codes() const { return codes_; }

private:
    std::vector<std::uint8_t> codes_;
};

// Codes the keyboard's effect table has (1..18 and 20). Choosing any other
// code writes nothing.
bool IsKnownEffect(std::uint8_t code);
// Choosing these also writes the multicolour flag the window keeps.
bool EffectWritesMulticolour(std::uint8_t code);

} // namespace kw
