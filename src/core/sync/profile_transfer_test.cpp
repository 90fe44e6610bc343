#include "core/config/profile_file.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_transfer.h"
#include "core/sync/sync_test_fixture.h"

#include <gmock/gmock.h>

namespace kw {
namespace {

using ::testing::ElementsAre;

constexpr KeyCode kEscape = 0x01;

class ProfileTransferTest : public testing::SyncTest {
protected:
    ProfileTransferTest() { RefreshFromKeyboard(context); }

    // A profile file with `count` macros and the Escape key of profile 2 bound to the last.
    std::filesystem::path profileWithMacros(int count) {
        ConfigImage image;
        image.createDefaultBlock();
        for (int i = 0; i < count; ++i) {
            MacroRecord m;
            m.setName(u"macro " + std::u16string(1, static_cast<char16_t>(u'a' + i)));
            m.macroId = static_cast<std::uint16_t>(i + 1);
            m.repeatCount = 1;
            m.actionCount = 2;
            m.actions[0] = {10, 0x1E, 0};
            m.actions[1] = {10, 0x1E, 1};
            image.macros.push_back(m);
        }
        image.entry(2, KeyIndexOf(kEscape))->type = KeyEntryType::KeyMacro;
        image.entry(2, KeyIndexOf(kEscape))->value = static_cast<std::uint32_t>(count);
        const auto file = files / "five.fwc";
        EXPECT_EQ(ExportProfileFile(image, file), 1);
        return file;
    }

    testing::TempDir files;
};

TEST_F(ProfileTransferTest, ImportWritesEveryProfileAndTheMacros) {
    const auto file = profileWithMacros(5);
    modified.set();
    link.keyboard.clearLog();

    EXPECT_EQ(ImportProfileFile(context, file), 1);

    EXPECT_EQ(config.macros.size(), 5u);
    std::vector<std::uint16_t> starts;
    for (const auto& r : sent()) {
        if (r.command == kCmdWriteKeyMatrix && r.offset % 0x200 == 0) {
            starts.push_back(r.offset);
        }
    }
    EXPECT_THAT(starts, ElementsAre(0x0000, 0x0200, 0x0400));
    const auto area = payloadOf(kCmdWriteMacroArea);
    ASSERT_GE(area.size(), 6u);
    EXPECT_EQ(area[4], 5); // macro count
    EXPECT_EQ(link.keyboard.memory().macroArea[4], 5);
    EXPECT_EQ(readFileBytes(context.configFile()), readFileBytes(file));
    EXPECT_FALSE(modified.isSet());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_GE(keyRedraws, 2);
}

TEST_F(ProfileTransferTest, UnusableFilesLeaveEverythingAsItWas) {
    const auto invalid = files / "invalid.fwc";
    auto bytes = *readFileBytes(profileWithMacros(1));
    bytes[31] ^= 1; // checksum
    ASSERT_TRUE(writeFileAtomically(invalid, bytes));
    struct Case {
        std::filesystem::path file;
        std::vector<std::string> messages;
    } cases[] = {
        {files / "absent.fwc", {"MAIN_PROMPT_INPORT"}},
        {invalid, {"PROFILE_FORMAT_ERROR", "MAIN_PROMPT_INPORT"}},
    };
    const auto configBefore = readFileBytes(context.configFile());
    for (const auto& c : cases) {
        prompter.messages.clear();
        link.keyboard.clearLog();

        EXPECT_EQ(ImportProfileFile(context, c.file), 0);

        EXPECT_EQ(prompter.messages, c.messages) << c.file;
        EXPECT_TRUE(sent().empty());
        EXPECT_TRUE(config.macros.empty());
        EXPECT_EQ(readFileBytes(context.configFile()), configBefore);
    }
}

TEST_F(ProfileTransferTest, AKeyboardThatDoesNotTakeTheImportLeavesItUnapplied) {
    const auto file = profileWithMacros(2);
    link.keyboard.unplug();
    EXPECT_EQ(ImportProfileFile(context, file), 0);
    EXPECT_EQ(config.macros.size(), 2u);
    EXPECT_TRUE(modified.isSet());
}

TEST_F(ProfileTransferTest, ExportKeepsALongMacroNameWhole) {
    MacroRecord m;
    m.setName(std::u16string(249, u'n'));
    m.macroId = 1;
    config.macros = {m};
    const auto file = files / "backup.fwc";

    ASSERT_EQ(ExportProfileFile(config, file), 1);

    ConfigImage back;
    ASSERT_EQ(LoadConfigurationFile(back, file), 1);
    EXPECT_EQ(back.macros.at(0).nameView(), std::u16string(249, u'n'));
    EXPECT_EQ(ValidateProfileFile(file, prompter, language), kProfileValid);
}

} // namespace
} // namespace kw
