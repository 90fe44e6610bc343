#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/base/prompter.h"
#include "core/base/settings_store.h"
#include "core/config/config_block_codec.h"
#include "core/config/config_file.h"
#include "core/config/profile_file.h"
#include "core/skin/language.h"
#include "testsupport/scripted_prompter.h"
#include "testsupport/temp_dir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

using testing::TempDir;

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeFileAtomically(programFolder / "Lang0409.ini",
                                        "[TEXT]\nPROFILE_FORMAT_ERROR=Not a profile file: %s\n"));
    }

    // A valid file with `macros` records and a 6-byte pool, then `damage`d.
    std::filesystem::path
    profileFile(std::uint16_t macros,
                const std::function<void(std::vector<std::uint8_t>&)>& damage) {
        ConfigImage image;
        image.createDefaultBlock();
        image.macros.resize(macros);
        image.entry(0, 5)->type = KeyEntryType::KeyText;
        image.setString(entryNumber(0, 5), u"ab");
        auto bytes = *configurationFileBytes(image);
        damage(bytes);
        const auto path = files / ("p" + std::to_string(count++) + ".fwc");
        EXPECT_TRUE(writeFileAtomically(path, bytes));
        return path;
    }

    int validate(const std::filesystem::path& file) {
        return ValidateProfileFile(file, prompter, language);
    }

    TempDir programFolder;
    TempDir settingsFolder;
    TempDir files;
    SettingsStore settings{settingsFolder / "settings.ini"};
    Language language{programFolder.path(), settings, [] { return std::uint16_t{1033}; }};
    testing::ScriptedPrompter prompter;
    int count = 0;
};

// Changes a header field and puts the checksum right again, so only that field is wrong.
std::function<void(std::vector<std::uint8_t>&)> withField(std::size_t at, std::uint32_t value,
                                                          int width) {
    return [=](std::vector<std::uint8_t>& b) {
        for (int i = 0; i < width; ++i) {
            b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
        ConfigHeader h;
        decodeConfigHeader(b, h);
        b[31] = headerChecksum(h);
    };
}

TEST_F(ProfileFileTest, ValidityRulesWithTheirResultsAndMessages) {
    const auto keep = [](std::vector<std::uint8_t>&) {};
    struct Case {
        const char* name;
        std::uint16_t macros;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        int result;
        bool message;
    };
    const std::vector<Case> cases = {
        {"valid", 2, keep, kProfileValid, false},
        {"valid with trailing bytes", 0, [](auto& b) { b.push_back(0); }, kProfileValid, false},
        {"100 macros", 100, keep, kProfileValid, false},
        {"101 macros", 101, keep, kProfileInvalid, true},
        {"checksum off by one", 0, [](auto& b) { b[31] += 1; }, kProfileInvalid, true},
        {"flag 2", 0, withField(30, 2, 1), kProfileInvalid, true},
        {"flag 1", 0, withField(30, 1, 1), kProfileValid, false},
        {"magic", 0, withField(0, 0x4447, 2), kProfileInvalid, true},
        {"headerSize", 0, withField(2, 31, 2), kProfileInvalid, true},
        {"formatA", 0, withField(4, 4, 2), kProfileInvalid, true},
        {"formatB", 0, withField(6, 2, 2), kProfileInvalid, true},
        {"entryCount", 0, withField(12, 2049, 2), kProfileInvalid, true},
        // totalSize 2 bytes short of the counts, the file cut to match it.
        {"totalSize disagrees with the counts", 0,
         [](auto& b) {
             withField(8, static_cast<std::uint32_t>(b.size() - 2), 4)(b);
             b.erase(b.end() - 2, b.end());
         },
         kProfileInvalid, true},
        {"shorter than its header declares", 1, [](auto& b) { b.pop_back(); }, kProfileInvalid,
         true},
        {"record holding 2001 actions", 1,
         [](auto& b) { storeU16(b, kConfigBlockSize + kMacroActionCountOffset, 2001); },
         kProfileInvalid, true},
        {"32831 bytes", 0, [](auto& b) { b.resize(kConfigBlockSize - 1); }, kProfileInvalid, false},
    };
    for (const auto& c : cases) {
        prompter.messages.clear();
        const auto file = profileFile(c.macros, c.damage);
        EXPECT_EQ(validate(file), c.result) << c.name;
        if (c.message) {
            ASSERT_EQ(prompter.messages.size(), 1u) << c.name;
            EXPECT_EQ(prompter.messages[0], "Not a profile file: " + file.string()) << c.name;
        } else {
            EXPECT_TRUE(prompter.messages.empty()) << c.name;
        }
    }
}

TEST_F(ProfileFileTest, AbsentAndUnopenableFilesGiveNoMessage) {
    EXPECT_EQ(validate(files / "missing.fwc"), kProfileInvalid);
    EXPECT_EQ(validate(files.path()), kProfileUnopenable); // a folder cannot be opened as a file
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProfileFileTest, ReadOnlyFileCannotBeOpened) {
    const auto file = profileFile(0, [](auto&) {});
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    if (openableForReadWrite(file)) {
        GTEST_SKIP() << "running with rights that ignore file modes";
    }
    EXPECT_EQ(validate(file), kProfileUnopenable);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProfileFileTest, FileLargerThanTheProgramHoldsIsOutOfMemory) {
    const auto file = files / "huge.fwc";
    EXPECT_TRUE(writeFileAtomically(file, std::string_view{}));
    std::filesystem::resize_file(file, kConfigurationFileMax + 1); // sparse: no disk used
    EXPECT_EQ(validate(file), kProfileOutOfMemory);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProfileFileTest, NewProfileFileIsAValidDefaultBlock) {
    const auto file = files / "new.fwc";
    ASSERT_EQ(WriteNewProfileFile(file), 1);
    EXPECT_EQ(std::filesystem::file_size(file), kConfigBlockSize);
    EXPECT_EQ(validate(file), kProfileValid);
    ConfigImage image;
    ASSERT_EQ(LoadConfigurationFile(image, file), 1);
    EXPECT_EQ(*image.block, *makeDefaultBlock());
    EXPECT_EQ(image.macroCount(), 0);
}

TEST_F(ProfileFileTest, ExportedFileValidatesAndLoads) {
    ConfigImage image;
    image.createDefaultBlock();
    image.macros.resize(5);
    image.macros[4].setName(std::u16string(249, u'x'));
    const auto file = files / "backup.fwc";
    ASSERT_EQ(WriteProfileFile(image, file), 1);
    EXPECT_EQ(validate(file), kProfileValid);
    ConfigImage back;
    ASSERT_EQ(LoadConfigurationFile(back, file), 1);
    EXPECT_EQ(back.macroCount(), 5);
    EXPECT_EQ(back.macros[4].nameView(), std::u16string(249, u'x'));
}

} // namespace
} // namespace kw
