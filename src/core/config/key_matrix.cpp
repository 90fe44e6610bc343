#include "core/config/key_matrix.h"

#include "core/base/bytes.h"
#include "core/keys/device_codes.h"
#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"

#include <algorithm>

namespace kw {

namespace {

constexpr MatrixEntry kNone{0x00, 0x00, 0x00};

constexpr KeyMatrix makeBuiltInDefaultMatrix() {
    // Slots 0..63, eight to a line; "0" marks an empty slot.
    constexpr std::uint32_t rows[64] = {
        0x050000, 0x050000, 0x050000, 0x050000, 0x050000, 0x050000, 0,        0,
        0x020229, 0x020235, 0x02022B, 0x020239, 0x020102, 0x020101, 0,        0,
        0x02023A, 0x02021E, 0x020214, 0x020204, 0x02021D, 0x020108, 0,        0,
        0x02023B, 0x02021F, 0x02021A, 0x020216, 0x02021B, 0x020104, 0,        0,
        0x02023C, 0x020220, 0x020208, 0x020207, 0x020206, 0x02022C, 0x020246, 0,
        0x02023D, 0x020221, 0x020215, 0x020209, 0x020219, 0x020140, 0x020247, 0,
        0x02023E, 0x020222, 0x020217, 0x02020A, 0x020205, 0x050202, 0x02022E, 0,
        0x02023F, 0x020223, 0x02021C, 0x02020B, 0x020211, 0x020265, 0x020248, 0,
    };
    KeyMatrix m{};
    for (std::size_t i = 0; i < 64; ++i) {
        m[i] = {static_cast<std::uint8_t>(rows[i] >> 16), static_cast<std::uint8_t>(rows[i] >> 8),
                static_cast<std::uint8_t>(rows[i])};
    }
    return m;
}

struct MouseEntry {
    KeyCode code;
    MatrixEntry entry;
};
constexpr std::array<MouseEntry, 5> kMouseEntries{{
    {0x171, {0x01, 0x01, 0x01}}, // left button
    {0x172, {0x01, 0x01, 0x02}}, // right button
    {0x173, {0x01, 0x01, 0x04}}, // middle button
    {0x161, {0x01, 0x05, 0x01}}, // wheel up
    {0x162, {0x01, 0x05, 0xFF}}, // wheel down
}};

KeyCode mouseCodeOf(const MatrixEntry& e) {
    for (const auto& m : kMouseEntries) {
        if (m.entry == e) {
            return m.code;
        }
    }
    return kNoKey;
}

MatrixEntry encodeSingleKey(std::uint32_t value) {
    if (value > 0xFFFF) {
        return {0x02, 0x02, 0x00}; // no such key code
    }
    const auto code = static_cast<KeyCode>(value);
    for (const auto& bit : kModifierBits) {
        if (bit.code == code) {
            return {0x02, 0x01, bit.mask};
        }
    }
    for (const auto& m : kMouseEntries) {
        if (m.code == code) {
            return m.entry;
        }
    }
    const DeviceCode device = DeviceCodeOf(code);
    const auto usage =
        static_cast<std::uint8_t>(device.category == kDeviceKeyboard ? device.value : 0);
    return {0x02, 0x02, usage};
}

void decodeSlot(const MatrixEntry& e, KeyEntry& out) {
    out.type = KeyEntryType::KeyDisabled;
    out.value = 0;
    auto single = [&out](KeyCode code) {
        if (code != kNoKey) {
            out.type = KeyEntryType::KeySingle;
            out.value = code;
        }
    };
    switch (e[0]) {
    case 0x05:
        if (e[1] == 0x01) {
            out.type = KeyEntryType::KeyMacro;
            out.value = e[2] + 1u;
        } else if (e[1] == 0x02) {
            out.type = KeyEntryType::KeySpecial;
        } else if (e[1] == 0x05) {
            out.type = KeyEntryType::KeyFunction;
            out.value = e[2];
        }
        break;
    case 0x03:
        if (const int media =
                MediaIndexOfConsumerUsage(static_cast<std::uint16_t>(e[1] | e[2] << 8));
            media >= 0) {
            out.type = KeyEntryType::KeyMedia;
            out.value = static_cast<std::uint32_t>(media);
        }
        break;
    case 0x01:
        // The program writes no other mouse sub-values; any other stays disabled.
        single(mouseCodeOf(e));
        break;
    case 0x02:
        if (e[1] == 0x02) {
            single(KeyCodeOfDeviceCode({kDeviceKeyboard, e[2]}));
        } else if (e[1] == 0x01) {
            single(KeyCodeOfModifierMask(e[2]));
        }
        break;
    default:
        break;
    }
}

} // namespace

// Constant-initialized, so a DefaultMatrix made during static initialization sees it.
constinit const KeyMatrix kBuiltInDefaultMatrix = makeBuiltInDefaultMatrix();

KeyMatrix DefaultMatrix::get() const {
    std::lock_guard guard(mutex_);
    return matrix_;
}

void DefaultMatrix::replace(const KeyMatrix& matrix) {
    std::lock_guard guard(mutex_);
    matrix_ = matrix;
}

void DefaultMatrix::reset() {
    replace(kBuiltInDefaultMatrix);
}

std::array<std::uint8_t, kKeyMatrixSize> keyMatrixBytes(const KeyMatrix& matrix) {
    std::array<std::uint8_t, kKeyMatrixSize> bytes{};
    for (std::size_t i = 0; i < kMatrixSlots; ++i) {
        std::copy(matrix[i].begin(), matrix[i].end(), bytes.begin() + 3 * i);
    }
    return bytes;
}

bool keyMatrixFromBytes(std::span<const std::uint8_t> bytes, KeyMatrix& matrix) {
    if (bytes.size() < kKeyMatrixSize) {
        return false;
    }
    for (std::size_t i = 0; i < kMatrixSlots; ++i) {
        matrix[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
    }
    return true;
}

KeyCode slotKeyCode(const MatrixEntry& e) {
    const auto word = static_cast<std::uint16_t>(e[1] | e[2] << 8);
    switch (e[0]) {
    case 0x01:
        return mouseCodeOf(e);
    case 0x02:
        return e[1] == 0x02 ? KeyCodeOfDeviceCode({kDeviceKeyboard, e[2]})
                            : KeyCodeOfModifierMask(e[2]);
    case 0x03:
        // Usage 0 is no consumer function, even though the unused table rows hold 0.
        return word == 0 ? kNoKey : KeyCodeOfDeviceCode({kDeviceConsumer, word});
    case 0x04:
        return word >= 0x81 && word <= 0x83 ? KeyCodeOfDeviceCode({kDeviceSystemControl, word})
                                            : kNoKey;
    case 0x06:
        // G-key n is 06 A2 n (n from 1); there is no G-key 0.
        return e[1] == 0xA2 && e[2] != 0 ? static_cast<KeyCode>(0x1FF + e[2]) : kNoKey;
    default:
        return kNoKey;
    }
}

MatrixEntry encodeEntry(const KeyEntry& entry, const MatrixEntry& slotDefault,
                        std::span<const MacroRecord> macros) {
    switch (entry.type) {
    case KeyEntryType::KeyDisabled:
    case KeyEntryType::KeyText:
        return kNone;
    case KeyEntryType::KeySingle:
        return encodeSingleKey(entry.value);
    case KeyEntryType::KeyMacro: {
        const std::uint16_t position =
            entry.value > 0xFFFF ? 0
                                 : macroPositionIn(macros, static_cast<std::uint16_t>(entry.value));
        return {0x05, 0x01, static_cast<std::uint8_t>(position)};
    }
    case KeyEntryType::KeySpecial:
        return {0x05, 0x02, 0x00};
    case KeyEntryType::KeyMedia:
        if (entry.value < MediaKeyTable().size()) {
            const std::uint16_t usage = MediaKeyTable()[entry.value].consumerUsage;
            return {0x03, static_cast<std::uint8_t>(usage & 0xFF),
                    static_cast<std::uint8_t>(usage >> 8)};
        }
        return slotDefault; // no such media function: the key keeps its own
    case KeyEntryType::KeyFunction:
        return {0x05, 0x05, static_cast<std::uint8_t>(entry.value & 0xFF)};
    case KeyEntryType::KeyDefault:
    case KeyEntryType::KeyLaunch:
    default: // a type only a damaged file holds
        return slotDefault;
    }
}

KeyMatrix encodeKeyMatrix(std::span<const KeyEntry, kEntriesPerGroup> group,
                          const KeyMatrix& defaults, std::span<const MacroRecord> macros) {
    KeyMatrix out = defaults;
    for (std::size_t s = 0; s < kMatrixSlots; ++s) {
        const KeyCode code = slotKeyCode(defaults[s]);
        if (code == kNoKey) {
            continue;
        }
        out[s] = encodeEntry(group[KeyIndexOf(code)], defaults[s], macros);
    }
    return out;
}

void decodeKeyMatrix(const KeyMatrix& keyboard, const KeyMatrix& defaults,
                     std::span<KeyEntry, kEntriesPerGroup> group) {
    std::fill(group.begin(), group.end(), KeyEntry{});
    for (int k = kFirstGKeyIndex; k < kFirstGKeyIndex + kGKeyIndexCount; ++k) {
        group[static_cast<std::size_t>(k)].keyId = gKeyIdentity(k);
    }
    for (std::size_t s = 0; s < kMatrixSlots; ++s) {
        if (keyboard[s] == defaults[s]) {
            continue;
        }
        const std::uint16_t k = KeyIndexOf(slotKeyCode(defaults[s]));
        if (k == 0) {
            continue;
        }
        decodeSlot(keyboard[s], group[k]);
    }
}

std::span<KeyEntry, kEntriesPerGroup> groupEntries(ConfigBlock& block, int group) {
    return std::span<KeyEntry, kEntriesPerGroup>(block.entries.data() + entryNumber(group, 0),
                                                 kEntriesPerGroup);
}

std::span<const KeyEntry, kEntriesPerGroup> groupEntries(const ConfigBlock& block, int group) {
    return std::span<const KeyEntry, kEntriesPerGroup>(block.entries.data() + entryNumber(group, 0),
                                                       kEntriesPerGroup);
}

} // namespace kw
