#include "core/config/macro_area.h"

#include "core/base/bytes.h"
#include "core/config/key_matrix.h"
#include "core/keys/device_codes.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace kw {

namespace {

constexpr std::uint16_t kPressBit = 0x8000;
constexpr std::uint16_t kDelayMask = 0x0FFF;
constexpr std::uint16_t kKindKeyboard = 0x2000;
constexpr std::uint16_t kKindMouse = 0x1000;
constexpr std::uint16_t kKindSystem = 0x4000;
constexpr std::size_t kMacroHead = 4;  // actionCount, repeatCount, nameLength
constexpr std::size_t kActionSize = 4; // word and two bytes
constexpr std::size_t kNameLengthMax = 0xFF;

std::size_t storedNameLength(const MacroRecord& m) {
    return std::min(m.nameView().size(), kNameLengthMax);
}

// The kind bits and the two bytes of an action's key.
struct ActionKey {
    std::uint16_t kind = 0;
    std::uint8_t b0 = 0;
    std::uint8_t b1 = 0;
};

ActionKey actionKeyOf(KeyCode code) {
    const DeviceCode device = DeviceCodeOf(code);
    switch (device.category) {
    case kDeviceSystemControl:
        return {kKindSystem, static_cast<std::uint8_t>(device.value & 0xFF),
                static_cast<std::uint8_t>(device.value >> 8)};
    case kDeviceMouse: {
        // The matrix form of the mouse function is 01 b0 b1.
        const MatrixEntry m = encodeEntry({KeyEntryType::KeySingle, 0, code, 0, 0}, {}, {});
        return m[0] == 0x01 ? ActionKey{kKindMouse, m[1], m[2]} : ActionKey{};
    }
    case kDeviceKeyboard:
        for (const auto& bit : kModifierBits) {
            if (bit.code == code) {
                return {kKindKeyboard, 0x01, bit.mask};
            }
        }
        return {kKindKeyboard, 0x02, static_cast<std::uint8_t>(device.value)};
    default:
        return {};
    }
}

MacroRecord decodeOneMacro(std::span<const std::uint8_t> area, std::size_t offset,
                           std::size_t number, std::u16string_view namePrefix) {
    MacroRecord m;
    m.macroId = static_cast<std::uint16_t>(number);
    ByteReader in(area);
    in.seek(offset);
    const std::uint16_t declaredActions = in.u16();
    m.repeatCount = in.u8();
    const std::uint8_t nameLength = in.u8();
    if (in.ok()) {
        const std::size_t fit = in.remaining() / kActionSize;
        const std::size_t count = std::min({std::size_t{declaredActions}, kMacroActionsMax, fit});
        for (std::size_t a = 0; a < count; ++a) {
            const std::uint16_t word = in.u16();
            const std::uint8_t b0 = in.u8();
            const std::uint8_t b1 = in.u8();
            MacroAction& action = m.actions[a];
            action.delayMs = (word & kDelayMask) * 10u;
            action.isRelease = (word & kPressBit) ? 0 : 1;
            action.keyCode = slotKeyCode({static_cast<std::uint8_t>((word >> 12) & 7), b0, b1});
        }
        m.actionCount = static_cast<std::uint16_t>(count);
        // The name follows all the actions the macro declares, taken or not.
        in.seek(offset + kMacroHead + std::size_t{declaredActions} * kActionSize);
        std::u16string name;
        for (std::size_t c = 0; c < nameLength && in.has(2); ++c) {
            name.push_back(static_cast<char16_t>(in.u16()));
        }
        m.setName(name);
    }
    if (m.nameView().empty()) {
        std::u16string name(namePrefix);
        for (char digit : std::to_string(number)) {
            name.push_back(static_cast<char16_t>(digit));
        }
        m.setName(name);
    }
    return m;
}

} // namespace

MacroAreaSizes macroAreaSizes(std::span<const MacroRecord> macros) {
    MacroAreaSizes sizes;
    sizes.minimal = kMacroAreaHeaderSize + 2 * macros.size();
    std::size_t names = 0;
    for (const MacroRecord& m : macros) {
        sizes.minimal += kMacroHead + kActionSize * m.usedActions().size();
        names += 2 * storedNameLength(m);
    }
    sizes.full = sizes.minimal + names;
    return sizes;
}

std::vector<std::uint8_t> buildMacroArea(std::span<const MacroRecord> macros, std::size_t size,
                                         bool namesIncluded) {
    std::vector<std::uint8_t> area(size, 0);
    storeU16(area, 0, kMacroAreaMagic);
    storeU16(area, 2, static_cast<std::uint16_t>(size));
    storeU16(area, 4, static_cast<std::uint16_t>(macros.size()));
    storeU16(area, 6, namesIncluded ? 1 : 0);
    std::size_t at = kMacroAreaHeaderSize + 2 * macros.size();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        const MacroRecord& m = macros[i];
        const auto actions = m.usedActions();
        const std::size_t nameLength = namesIncluded ? storedNameLength(m) : 0;
        storeU16(area, kMacroAreaHeaderSize + 2 * i, static_cast<std::uint16_t>(at));
        storeU16(area, at, static_cast<std::uint16_t>(actions.size()));
        if (at + 4 <= area.size()) {
            area[at + 2] = m.repeatCount;
            area[at + 3] = static_cast<std::uint8_t>(nameLength);
        }
        at += kMacroHead;
        for (const MacroAction& a : actions) {
            const ActionKey key = actionKeyOf(a.keyCode);
            std::uint16_t word = static_cast<std::uint16_t>((a.delayMs / 10) & kDelayMask);
            word |= key.kind;
            if (a.isRelease != 1) {
                word |= kPressBit;
            }
            storeU16(area, at, word);
            storeU16(area, at + 2, static_cast<std::uint16_t>(key.b0 | key.b1 << 8));
            at += kActionSize;
        }
        const auto name = m.nameView().substr(0, nameLength);
        for (char16_t c : name) {
            storeU16(area, at, static_cast<std::uint16_t>(c));
            at += 2;
        }
    }
    return area;
}

std::vector<std::uint8_t> buildMacroArea(const DeviceImage& image, std::size_t size,
                                         bool namesIncluded) {
    std::lock_guard guard(image.lock);
    return buildMacroArea(image.macros, size, namesIncluded);
}

std::vector<MacroRecord> decodeMacroArea(std::span<const std::uint8_t> area,
                                         std::uint16_t macroCount, std::u16string_view namePrefix) {
    // Only macros whose offset the area holds, and no more than a list may hold.
    const std::size_t tableRoom =
        area.size() > kMacroAreaHeaderSize ? (area.size() - kMacroAreaHeaderSize) / 2 : 0;
    const std::size_t count =
        std::min({std::size_t{macroCount}, std::size_t{kMacroCountMax}, tableRoom});
    std::vector<MacroRecord> macros;
    macros.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t offset = loadU16(area, kMacroAreaHeaderSize + 2 * i);
        macros.push_back(decodeOneMacro(area, offset, i + 1, namePrefix));
    }
    return macros;
}

} // namespace kw
