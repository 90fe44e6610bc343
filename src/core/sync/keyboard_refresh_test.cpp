#include "core/config/macro_area.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/sync_test_fixture.h"

#include <algorithm>
#include <filesystem>

namespace kw {
namespace {

constexpr KeyCode kEscape = 0x01;

class RefreshTest : public testing::SyncTest {
protected:
    // Puts an area into the keyboard's macro memory (the rest stays as it was).
    void storeMacroArea(const std::vector<std::uint8_t>& area) {
        auto memory = link.keyboard.memory();
        std::copy(area.begin(), area.end(), memory.macroArea.begin());
        link.keyboard.setMemory(memory);
    }

    void storeKeyTableEntry(int profile, std::size_t slot, MatrixEntry entry) {
        auto memory = link.keyboard.memory();
        std::copy(entry.begin(), entry.end(),
                  memory.keyTables[static_cast<std::size_t>(profile)].begin() + slot * 3);
        link.keyboard.setMemory(memory);
    }

    std::size_t slotOf(KeyCode code) const {
        const KeyMatrix defaults = factoryMatrix();
        for (std::size_t s = 0; s < kMatrixSlots; ++s) {
            if (slotKeyCode(defaults[s]) == code) {
                return s;
            }
        }
        return 0;
    }

    std::uintmax_t fileSize() const { return std::filesystem::file_size(context.configFile()); }
};

TEST_F(RefreshTest, MacrosAndKeyTablesBecomeTheFileAndTheImage) {
    MacroRecord m;
    m.actionCount = 4;
    const std::vector<MacroRecord> two = {m, m};
    ASSERT_EQ(macroAreaSizes(two).minimal, 60u);
    storeMacroArea(buildMacroArea(two, 60, false));
    storeKeyTableEntry(1, slotOf(kEscape), {0x05, 0x01, 0x01});
    modified.set();

    bool fromKeyboard = false;
    EXPECT_EQ(RefreshFromKeyboard(context, &fromKeyboard), 1);

    EXPECT_TRUE(fromKeyboard);
    EXPECT_EQ(fileSize(), 32832u + 2u * 16512u);
    ASSERT_EQ(config.macros.size(), 2u);
    EXPECT_EQ(config.macros[0].macroId, 1);
    EXPECT_EQ(config.macros[1].macroId, 2);
    EXPECT_EQ(config.macros[1].nameView(), u"Macro2");
    const KeyEntry* escape = config.entry(1, KeyIndexOf(kEscape));
    EXPECT_EQ(escape->type, KeyEntryType::KeyMacro);
    EXPECT_EQ(escape->value, 2u);
    EXPECT_EQ(config.entry(0, KeyIndexOf(kEscape))->type, KeyEntryType::KeyDefault);
    EXPECT_FALSE(modified.isSet());
    EXPECT_EQ(keyRedraws, 1);
}

TEST_F(RefreshTest, AnAreaWithoutTheMagicHoldsNoMacros) {
    storeMacroArea({0x12, 0x34, 60, 0, 2, 0});
    EXPECT_EQ(ReadConfigurationFromKeyboard(context, context.configFile()), 1);
    EXPECT_EQ(fileSize(), 32832u);
}

TEST_F(RefreshTest, LaunchAndTextAssignmentsGoBackToTheKeyboardsState) {
    RefreshFromKeyboard(context);
    {
        std::lock_guard guard(config.lock);
        config.entry(0, KeyIndexOf(kEscape))->type = KeyEntryType::KeyLaunch;
        config.setString(entryNumber(0, KeyIndexOf(kEscape)), u"/usr/bin/true");
    }
    ASSERT_EQ(SaveConfigurationFile(config, context.configFile(), true), 1);

    RefreshFromKeyboard(context);

    EXPECT_EQ(config.entry(0, KeyIndexOf(kEscape))->type, KeyEntryType::KeyDefault);
    EXPECT_EQ(config.stringBytes, 0u);
}

TEST_F(RefreshTest, AnUnreadableKeyboardGivesTheDefaultBlockAndKeepsTheFile) {
    struct Case {
        const char* name;
        std::function<void()> fault;
    } cases[] = {
        {"unplugged", [this] { link.keyboard.unplug(); }},
        {"silent after the profile", [this] { link.keyboard.dropAnswers(1000); }},
        {"refuses a key table", [this] { link.keyboard.answerStatus(4, kStatusRefused); }},
    };
    storeKeyTableEntry(0, slotOf(kEscape), {0, 0, 0});
    RefreshFromKeyboard(context);
    const auto before = readFileBytes(context.configFile());
    ASSERT_TRUE(before);
    for (const auto& c : cases) {
        keyboard.currentProfile = 0;
        c.fault();
        modified.set();

        bool fromKeyboard = true;
        EXPECT_EQ(RefreshFromKeyboard(context, &fromKeyboard), 1);

        EXPECT_FALSE(fromKeyboard) << c.name;
        EXPECT_EQ(config.entry(0, KeyIndexOf(kEscape))->type, KeyEntryType::KeyDefault) << c.name;
        EXPECT_TRUE(config.macros.empty());
        EXPECT_EQ(readFileBytes(context.configFile()), before) << c.name;
        EXPECT_FALSE(modified.isSet());
        link.keyboard.plug();
        link.keyboard.dropAnswers(0);
        ASSERT_TRUE(link.openConfiguration());
    }
}

TEST_F(RefreshTest, AnUnknownActiveProfileIsReadFirst) {
    auto memory = link.keyboard.memory();
    memory.info.setActiveProfile(2);
    link.keyboard.setMemory(memory);

    EXPECT_EQ(ReadConfigurationFromKeyboard(context, context.configFile()), 1);
    EXPECT_EQ(keyboard.currentProfile, 2);

    keyboard.currentProfile = kProfileUnknown;
    link.keyboard.dropAnswers(1000);
    EXPECT_EQ(ReadConfigurationFromKeyboard(context, dataHome / "other"), 0);
    EXPECT_FALSE(std::filesystem::exists(dataHome / "other"));
}

TEST_F(RefreshTest, AnActiveProfileOutsideTheThreeStaysUnknown) {
    for (const std::uint8_t reported : {3, 7, 255}) {
        auto memory = link.keyboard.memory();
        memory.info.setActiveProfile(reported);
        link.keyboard.setMemory(memory);
        keyboard.currentProfile = kProfileUnknown;

        EXPECT_EQ(ReadConfigurationFromKeyboard(context, dataHome / "other"), 0) << +reported;
        EXPECT_EQ(keyboard.currentProfile, kProfileUnknown) << +reported;
        EXPECT_FALSE(std::filesystem::exists(dataHome / "other")) << +reported;
    }
}

} // namespace
} // namespace kw
