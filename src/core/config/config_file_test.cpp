#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/config/config_block_codec.h"
#include "core/config/config_file.h"
#include "testsupport/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

using testing::TempDir;

// An image with a launch entry in profile 1, a text entry in profile 2 and two macros.
void fillImage(ConfigImage& image) {
    image.createDefaultBlock();
    KeyEntry* launch = image.entry(1, 0x3B);
    launch->type = KeyEntryType::KeyLaunch;
    launch->mark = 0xA5A5A5A5; // carried along
    image.setString(entryNumber(1, 0x3B), u"/usr/bin/gnome-calculator");
    image.entry(2, 0x1E)->type = KeyEntryType::KeyText;
    image.setString(entryNumber(2, 0x1E), u"gg");
    image.entry(0, 0x02)->type = KeyEntryType::KeyMacro;
    image.entry(0, 0x02)->value = 7;
    image.macros.resize(2);
    image.macros[0].setName(std::u16string(249, u'n'));
    image.macros[0].macroId = 7;
    image.macros[0].actionCount = 2;
    image.macros[0].actions[0] = {50, 0x1E, 0};
    image.macros[0].actions[1] = {0, 0x1E, 1};
    image.macros[1].setName(u"second");
    image.macros[1].macroId = 8;
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    return readFileBytes(path).value_or(std::vector<std::uint8_t>{});
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    ASSERT_TRUE(writeFileAtomically(path, bytes));
}

TEST(ConfigFile, SaveThenLoadGivesTheImageBack) {
    TempDir dir;
    const auto file = dir / "$Profile0";
    writeBytes(file, {}); // a save writes only an existing file
    ConfigImage image;
    fillImage(image);
    ASSERT_EQ(SaveConfigurationFile(image, file, true), 1);

    const auto bytes = fileBytes(file);
    const std::uint32_t poolBytes = (25 + 1) * 2 + (2 + 1) * 2;
    EXPECT_EQ(bytes.size(), kConfigBlockSize + 2 * kMacroRecordSize + poolBytes);
    ConfigHeader header;
    ASSERT_TRUE(decodeConfigHeader(bytes, header));
    EXPECT_TRUE(headerIsValid(header));
    EXPECT_EQ(header.totalSize, bytes.size());

    ConfigImage back;
    ASSERT_EQ(LoadConfigurationFile(back, file), 1);
    EXPECT_EQ(*back.block, *image.block);
    EXPECT_EQ(back.macros, image.macros);
    EXPECT_EQ(back.macros[0].nameView().size(), 249u);
    EXPECT_EQ(back.strings[entryNumber(1, 0x3B)].text, u"/usr/bin/gnome-calculator");
    EXPECT_EQ(back.strings[entryNumber(2, 0x1E)].text, u"gg");
    EXPECT_EQ(back.stringBytes, poolBytes);

    // Saving what was loaded writes the same bytes.
    ASSERT_EQ(SaveConfigurationFile(back, file, true), 1);
    EXPECT_EQ(fileBytes(file), bytes);
}

TEST(ConfigFile, SaveNeedsAnExistingFileAndABlock) {
    TempDir dir;
    ConfigImage image;
    fillImage(image);
    EXPECT_EQ(SaveConfigurationFile(image, dir / "missing", true), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(WriteConfigurationFile(image, dir / "export.fwc"), 1);

    ConfigImage empty;
    EXPECT_EQ(WriteConfigurationFile(empty, dir / "nothing.fwc"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "nothing.fwc"));
}

TEST(ConfigFile, SaveIntoAMissingFolderFailsAndLeavesNothing) {
    TempDir dir;
    ConfigImage image;
    fillImage(image);
    EXPECT_EQ(WriteConfigurationFile(image, dir / "no" / "such.fwc"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Damaged files: the load fails and the image keeps what it had.
TEST(ConfigFile, DamagedFilesAreRefusedAndTheImageIsUntouched) {
    ConfigImage source;
    fillImage(source);
    const auto good = *configurationFileBytes(source);
    const std::size_t poolAt = kConfigBlockSize + 2 * kMacroRecordSize;

    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    };
    const std::vector<Case> cases = {
        {"shorter than the block", [](auto& b) { b.resize(kConfigBlockSize - 1); }},
        {"macroCount the file cannot hold", [](auto& b) { storeU16(b, 14, 60000); }},
        {"one record missing", [&](auto& b) { b.resize(poolAt - 1); }},
        {"pool cut short", [&](auto& b) { b.pop_back(); }},
        {"pool size past the end",
         [](auto& b) {
             storeU16(b, 16, 0xFFFF);
             storeU16(b, 18, 0xFFFF);
         }},
        {"record with 2001 actions",
         [](auto& b) { storeU16(b, kConfigBlockSize + kMacroActionCountOffset, 2001); }},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto bytes = good;
        c.damage(bytes);
        writeBytes(dir / "f", bytes);
        ConfigImage image;
        image.createDefaultBlock();
        image.entry(0, 1)->type = KeyEntryType::KeyDisabled;
        image.macros.resize(1);
        EXPECT_EQ(LoadConfigurationFile(image, dir / "f"), 0) << c.name;
        ASSERT_TRUE(image.block) << c.name;
        EXPECT_EQ(image.entry(0, 1)->type, KeyEntryType::KeyDisabled) << c.name;
        EXPECT_EQ(image.macroCount(), 1) << c.name;
    }
}

TEST(ConfigFile, LoadTrustsTheHeaderWhereItCanDoNoHarm) {
    // Loading does not validate again: a wrong checksum loads, trailing bytes are ignored,
    // and a string offset past the pool leaves the string empty.
    ConfigImage source;
    fillImage(source);
    auto bytes = *configurationFileBytes(source);
    bytes[31] ^= 0xFF;
    bytes.insert(bytes.end(), {1, 2, 3});
    const std::size_t launchValue = 64 + entryNumber(1, 0x3B) * kKeyEntrySize + 4;
    storeU16(bytes, launchValue, 0x7000);

    TempDir dir;
    writeBytes(dir / "f", bytes);
    ConfigImage image;
    ASSERT_EQ(LoadConfigurationFile(image, dir / "f"), 1);
    EXPECT_EQ(image.macroCount(), 2);
    EXPECT_TRUE(image.strings[entryNumber(1, 0x3B)].empty());
    EXPECT_EQ(image.strings[entryNumber(2, 0x1E)].text, u"gg");
}

TEST(ConfigFile, MissingFileOrFolderDoesNotLoad) {
    TempDir dir;
    ConfigImage image;
    EXPECT_EQ(LoadConfigurationFile(image, dir / "missing"), 0);
    EXPECT_EQ(LoadConfigurationFile(image, dir.path()), 0); // a folder
    EXPECT_FALSE(image.block);
}

TEST(ConfigFile, ReadOnlyFileDoesNotLoad) {
    TempDir dir;
    ConfigImage image;
    ConfigImage source;
    fillImage(source);
    writeBytes(dir / "ro", *configurationFileBytes(source));
    std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_read);
    if (openableForReadWrite(dir / "ro")) {
        GTEST_SKIP() << "running with rights that ignore file modes";
    }
    EXPECT_EQ(LoadConfigurationFile(image, dir / "ro"), 0);
    EXPECT_FALSE(image.block);
}

} // namespace
} // namespace kw
