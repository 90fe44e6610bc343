#include "sim/keyboard_memory.h"

#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/config/key_matrix.h"
#include "core/keys/device_codes.h"
#include "core/keys/key_buttons.h"

#include <algorithm>
#include <string_view>

namespace kw::sim {

namespace {

constexpr std::string_view kMagic = "KWSIMKB1";
constexpr std::uint8_t kFactoryMacroUnits = 0x20; // 4096 bytes
constexpr std::uint16_t kFactoryFirmware = 0x0105;

MatrixEntry entryForKey(KeyCode code) {
    for (const auto& bit : kModifierBits) {
        if (bit.code == code) {
            return {0x02, 0x01, bit.mask};
        }
    }
    const DeviceCode device = DeviceCodeOf(code);
    if (device.category == kDeviceKeyboard && device.value != 0) {
        return {0x02, 0x02, static_cast<std::uint8_t>(device.value)};
    }
    return {0, 0, 0};
}

void writeEmptyMacroArea(std::vector<std::uint8_t>& area) {
    std::fill(area.begin(), area.end(), 0);
    storeU16(area, 0, 0x55AA);
    storeU16(area, 2, 16);
}

} // namespace

std::array<std::uint8_t, kKeyTableBytes> factoryDefaultMatrix() {
    KeyMatrix matrix = kBuiltInDefaultMatrix;
    std::size_t next = 64;
    const auto covered = [&](KeyCode code) {
        return std::any_of(matrix.begin(), matrix.begin() + static_cast<std::ptrdiff_t>(next),
                           [&](const MatrixEntry& e) { return slotKeyCode(e) == code; });
    };
    for (const auto& button : KeyButtonTable()) {
        const MatrixEntry entry = entryForKey(button.code);
        if (next < kMatrixSlots && entry[0] != 0 && !covered(button.code)) {
            matrix[next++] = entry;
        }
    }
    for (int n = 1; n <= kGKeyCount && next < kMatrixSlots; ++n) {
        matrix[next++] = {0x06, 0xA2, static_cast<std::uint8_t>(n)};
    }
    return keyMatrixBytes(matrix);
}

KeyboardMemory KeyboardMemory::factory() {
    KeyboardMemory m;
    const std::array<std::uint8_t, 8> head{'K', 'W', 0x01, 0x00, 0x5A, 0xA5, 0x00, 0x00};
    std::copy(head.begin(), head.end(), m.info.bytes.begin());
    m.info.setFirmwareVersion(kFactoryFirmware);
    m.info.setActiveProfile(0);
    auto effects = m.info.effectSlots();
    for (std::size_t i = 0; i < 20; ++i) {
        effects[i] = static_cast<std::uint8_t>(i + 1);
    }
    m.setMacroCapacityUnits(kFactoryMacroUnits);
    // Effect 1, brightness 4, speed 2, direction 0, many colours, white.
    const std::array<std::uint8_t, 8> lighting{0x01, 0x04, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    for (std::size_t p = 0; p < kProfiles; ++p) {
        std::copy(lighting.begin(), lighting.end(),
                  m.lighting.begin() + static_cast<std::ptrdiff_t>(p * 42));
    }
    m.defaultMatrix = factoryDefaultMatrix();
    for (auto& table : m.keyTables) {
        table = m.defaultMatrix;
    }
    for (auto& colours : m.keyColours) {
        colours.fill(0xFF);
    }
    return m;
}

void KeyboardMemory::setMacroCapacityUnits(std::uint8_t units) {
    info.setMacroCapacityUnits(units);
    macroArea.assign(static_cast<std::size_t>(units) * kMacroCapacityUnit, 0);
    if (macroArea.size() >= 16) {
        writeEmptyMacroArea(macroArea);
    }
}

std::vector<std::uint8_t> serializeMemory(const KeyboardMemory& memory) {
    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    w.bytes({reinterpret_cast<const std::uint8_t*>(kMagic.data()), kMagic.size()});
    w.bytes(memory.info.bytes);
    w.bytes(memory.lighting);
    w.bytes(memory.defaultMatrix);
    for (const auto& t : memory.keyTables) {
        w.bytes(t);
    }
    for (const auto& c : memory.keyColours) {
        w.bytes(c);
    }
    w.u16(static_cast<std::uint16_t>(memory.macroArea.size()));
    w.bytes(memory.macroArea);
    return out;
}

std::optional<KeyboardMemory> deserializeMemory(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    const auto magic = r.take(kMagic.size());
    if (!r.ok() || !std::equal(magic.begin(), magic.end(), kMagic.begin())) {
        return std::nullopt;
    }
    KeyboardMemory m;
    const auto copy = [&](auto& target) {
        const auto src = r.take(target.size());
        if (r.ok()) {
            std::copy(src.begin(), src.end(), target.begin());
        }
    };
    copy(m.info.bytes);
    copy(m.lighting);
    copy(m.defaultMatrix);
    for (auto& t : m.keyTables) {
        copy(t);
    }
    for (auto& c : m.keyColours) {
        copy(c);
    }
    const std::size_t macroBytes = r.u16();
    if (!r.ok() || macroBytes != static_cast<std::size_t>(m.info.macroCapacityBytes()) ||
        r.remaining() != macroBytes) {
        return std::nullopt;
    }
    const auto area = r.take(macroBytes);
    m.macroArea.assign(area.begin(), area.end());
    return m;
}

bool saveMemory(const std::filesystem::path& path, const KeyboardMemory& memory) {
    return writeFileAtomically(path, serializeMemory(memory));
}

std::optional<KeyboardMemory> loadMemory(const std::filesystem::path& path) {
    const auto bytes = readFileBytes(path, 1u << 20);
    if (!bytes) {
        return std::nullopt;
    }
    return deserializeMemory(*bytes);
}

} // namespace kw::sim
