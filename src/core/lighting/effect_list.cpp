#include "core/lighting/effect_list.h"

#include <algorithm>

namespace kw {

EffectList EffectList::fromDeviceInfo(const DeviceInfo& info) {
    EffectList list;
    const auto slots = info.effectSlots();
    std::copy(slots.begin(), slots.end(), list.slots.begin());
    return list;
}

bool EffectList::offers(std::uint8_t code) const {
    return code != 0 && std::find(slots.begin(), slots.end(), code) != slots.end();
}

EffectSlotTable::EffectSlotTable(const EffectList& list) {
    for (std::uint8_t code : list.slots) {
        if (code != 0) {
            codes_.push_back(code);
        }
    }
}

std::uint8_t EffectSlotTable::codeOfRow(int row) const {
    return row >= 0 && row < rows() ? codes_[static_cast<std::size_t>(row)] : 0;
}

int EffectSlotTable::rowOfCode(std::uint8_t code) const {
    const auto it = std::find(codes_.begin(), codes_.end(), code);
    return it == codes_.end() ? -1 : static_cast<int>(it - codes_.begin());
}

bool IsKnownEffect(std::uint8_t code) {
    return (code >= 1 && code <= 18) || code == kUserModeEffect;
}

bool EffectWritesMulticolour(std::uint8_t code) {
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 7:
    case 8:
    case 9:
    case 13:
    case 14:
    case 15:
        return true;
    default:
        return false;
    }
}

} // namespace kw
