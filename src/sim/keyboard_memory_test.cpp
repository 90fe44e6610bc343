#include "core/base/atomic_file.h"
#include "core/config/key_matrix.h"
#include "core/keys/key_buttons.h"
#include "sim/keyboard_memory.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <set>

namespace kw::sim {
namespace {

KeyMatrix factoryMatrix() {
    KeyMatrix matrix{};
    const auto bytes = factoryDefaultMatrix();
    EXPECT_TRUE(keyMatrixFromBytes(bytes, matrix));
    return matrix;
}

TEST(FactoryKeyTable, KeepsTheBuiltInSlotsAndCoversEveryKey) {
    const KeyMatrix matrix = factoryMatrix();
    for (std::size_t slot = 0; slot < 64; ++slot) {
        EXPECT_EQ(matrix[slot], kBuiltInDefaultMatrix[slot]) << "slot " << slot;
    }
    std::set<KeyCode> covered;
    for (const auto& entry : matrix) {
        const KeyCode code = slotKeyCode(entry);
        if (code != 0) {
            EXPECT_TRUE(covered.insert(code).second) << "key 0x" << std::hex << code << " twice";
        }
    }
    for (const auto& button : KeyButtonTable()) {
        EXPECT_TRUE(covered.count(button.code))
            << "button " << button.controlId << " (" << button.label << ")";
    }
    for (int n = 1; n <= kGKeyCount; ++n) {
        EXPECT_TRUE(covered.count(GKeyCode(n))) << "G" << n;
    }
}

TEST(KeyboardMemoryFile, RoundTripAndDamagedFiles) {
    testing::TempDir dir;
    auto memory = KeyboardMemory::factory();
    memory.lighting[5] = 0x12;
    memory.macroArea[100] = 0x34;
    memory.info.setActiveProfile(2);
    ASSERT_TRUE(saveMemory(dir / "kbd.state", memory));
    const auto loaded = loadMemory(dir / "kbd.state");
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(*loaded == memory);

    EXPECT_FALSE(loadMemory(dir / "missing.state"));
    auto bytes = serializeMemory(memory);
    const std::pair<const char*, std::vector<std::uint8_t>> damaged[] = {
        {"cut short", {bytes.begin(), bytes.end() - 1}},
        {"trailing bytes",
         [&] {
             auto b = bytes;
             b.push_back(0);
             return b;
         }()},
        {"not ours",
         [&] {
             auto b = bytes;
             b[0] = 'X';
             return b;
         }()},
        {"capacity disagrees with the area",
         [&] {
             auto b = bytes;
             b[8 + 11] = 0x21;
             return b;
         }()},
    };
    for (const auto& [name, content] : damaged) {
        EXPECT_FALSE(deserializeMemory(content)) << name;
    }
}

} // namespace
} // namespace kw::sim
