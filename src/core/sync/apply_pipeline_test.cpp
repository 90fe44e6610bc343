#include "core/config/macro_area.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/sync_test_fixture.h"

#include <condition_variable>
#include <gmock/gmock.h>
#include <mutex>
#include <string>

namespace kw {
namespace {

using ::testing::ElementsAre;
using testing::SentReport;

constexpr KeyCode kEscape = 0x01;
constexpr KeyCode kKeyA = 0x1E;
constexpr KeyCode kKeyB = 0x30;

// A macro of `actions` presses and a name of `nameChars` characters.
MacroRecord macroOf(int actions, std::size_t nameChars, std::uint16_t id) {
    MacroRecord m;
    m.setName(std::u16string(nameChars, u'm'));
    m.macroId = id;
    m.repeatCount = 1;
    m.actionCount = static_cast<std::uint16_t>(actions);
    for (int i = 0; i < actions; ++i) {
        m.actions[static_cast<std::size_t>(i)] = {10, kKeyA, static_cast<std::uint16_t>(i % 2)};
    }
    return m;
}

class ApplyTest : public testing::SyncTest {
protected:
    ApplyTest() {
        config.createDefaultBlock();
        keyboard.currentProfile = 0;
    }

    // The slot of a key in the keyboard's factory table.
    std::size_t slotOf(KeyCode code) const {
        const KeyMatrix defaults = factoryMatrix();
        for (std::size_t s = 0; s < kMatrixSlots; ++s) {
            if (slotKeyCode(defaults[s]) == code) {
                return s;
            }
        }
        ADD_FAILURE() << "no slot for key " << code;
        return 0;
    }

    MatrixEntry keyboardEntry(int profile, KeyCode code) const {
        // memory() is a snapshot: keep it alive while its table is read.
        const sim::KeyboardMemory memory = link.keyboard.memory();
        const auto& table = memory.keyTables[static_cast<std::size_t>(profile)];
        const std::size_t at = slotOf(code) * 3;
        return {table[at], table[at + 1], table[at + 2]};
    }

    void edit(KeyCode code, KeyEntryType type, std::uint32_t value, int group = 0) {
        KeyEntry* e = config.entry(group, KeyIndexOf(code));
        e->type = type;
        e->value = value;
        modified.set();
    }

    int apply() { return ApplyConfiguration(context, nullptr); }
};

TEST_F(ApplyTest, NoMacrosWriteASixteenByteAreaInOneChunk) {
    saveConfigurationFile();
    edit(kEscape, KeyEntryType::KeySingle, kKeyA);

    EXPECT_EQ(apply(), 1);

    EXPECT_THAT(commands(), ElementsAre(kCmdBeginTransfer, kCmdWriteMacroArea, kCmdWriteKeyMatrix,
                                        kCmdWriteKeyMatrix, kCmdWriteKeyMatrix, kCmdWriteKeyMatrix,
                                        kCmdWriteKeyMatrix, kCmdWriteKeyMatrix, kCmdWriteKeyMatrix,
                                        kCmdWriteKeyMatrix, kCmdEndTransfer));
    EXPECT_THAT(payloadOf(kCmdWriteMacroArea),
                ElementsAre(0xAA, 0x55, 16, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(keyboardEntry(0, kEscape), (MatrixEntry{0x02, 0x02, 0x04}));
    EXPECT_FALSE(modified.isSet());
    EXPECT_TRUE(prompter.messages.empty());
}

struct CapacityCase {
    const char* name;
    int capacity;
    std::size_t minimal;
    std::size_t full;
    bool written;
    std::size_t areaSent;
    std::vector<std::string> messages;
};

void PrintTo(const CapacityCase& c, std::ostream* os) {
    *os << c.name;
}

class ApplyCapacityTest : public ApplyTest, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(ApplyCapacityTest, MacroAreaAgainstTheKeyboardsCapacity) {
    const CapacityCase& c = GetParam();
    // Two macros of equal size reach the wanted sizes: 28 header bytes plus 4 per action,
    // 2 per name character.
    const int actionsEach = static_cast<int>((c.minimal - 28) / 8);
    const std::size_t nameEach = (c.full - c.minimal) / 4;
    config.macros = {macroOf(actionsEach, nameEach, 1), macroOf(actionsEach, nameEach, 2)};
    const MacroAreaSizes sizes = macroAreaSizes(config.macros);
    ASSERT_EQ(sizes.minimal, c.minimal);
    ASSERT_EQ(sizes.full, c.full);
    keyboard.macroCapacity = c.capacity;
    saveConfigurationFile();
    edit(kEscape, KeyEntryType::KeyMacro, 2);

    EXPECT_EQ(apply(), c.written ? 1 : 0);

    EXPECT_EQ(prompter.messages, c.messages);
    EXPECT_EQ(modified.isSet(), !c.written);
    if (!c.written) {
        EXPECT_TRUE(sent().empty());
        return;
    }
    const auto area = payloadOf(kCmdWriteMacroArea);
    ASSERT_EQ(area.size(), c.areaSent);
    EXPECT_EQ(area[2] | area[3] << 8, static_cast<int>(c.areaSent));
    EXPECT_EQ(area[6], c.areaSent == c.full ? 1 : 0); // names included
    EXPECT_EQ(keyboardEntry(0, kEscape), (MatrixEntry{0x05, 0x01, 0x01}));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ApplyCapacityTest,
    ::testing::Values(
        CapacityCase{"TooLongEvenWithoutNames", 256, 260, 300, false, 0, {"EXTRA_MACRO_TOO_LONG"}},
        CapacityCase{"FitsWithNames", 384, 260, 300, true, 300, {}},
        CapacityCase{
            "FitsOnlyWithoutNames", 384, 300, 400, true, 300, {"EXTRA_PROFILE_SPACE_TIGHT"}},
        CapacityCase{"ExactlyFull", 400, 300, 400, true, 400, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ApplyTest, EntriesTheKeyboardCannotHoldGoOutAsTheirFallbacks) {
    struct Case {
        KeyCode key;
        KeyEntryType type;
        std::uint32_t value;
        MatrixEntry expected;
    } cases[] = {
        {kEscape, KeyEntryType::KeyLaunch, 0, {}}, // expected: the slot's factory entry
        {kKeyA, KeyEntryType::KeyText, 0, {0x00, 0x00, 0x00}},
        {kKeyB, KeyEntryType::KeyMacro, 77, {0x05, 0x01, 0x00}}, // no macro has id 77
    };
    cases[0].expected = factoryMatrix()[slotOf(kEscape)];
    saveConfigurationFile();
    config.entry(0, KeyIndexOf(kEscape))->type = KeyEntryType::KeyLaunch;
    config.setString(entryNumber(0, KeyIndexOf(kEscape)), u"/usr/bin/true");
    config.entry(0, KeyIndexOf(kKeyA))->type = KeyEntryType::KeyText;
    config.setString(entryNumber(0, KeyIndexOf(kKeyA)), u"hello");
    edit(kKeyB, KeyEntryType::KeyMacro, 77);

    ASSERT_EQ(apply(), 1);

    for (const auto& c : cases) {
        EXPECT_EQ(keyboardEntry(0, c.key), c.expected) << "key " << c.key;
    }
    // The strings travel in the device image's pool, not to the keyboard.
    EXPECT_EQ(device.stringBytes(), config.stringBytes);
}

TEST_F(ApplyTest, WritesTheKeyTableOfTheActiveProfile) {
    struct Case {
        int cached;
        std::uint8_t keyboardActive;
        std::uint16_t base;
    } cases[] = {{1, 0, 0x0200}, {0, 2, 0x0000}, {-1, 2, 0x0400}};
    for (const auto& c : cases) {
        auto memory = link.keyboard.memory();
        memory.info.setActiveProfile(c.keyboardActive);
        link.keyboard.setMemory(memory);
        link.keyboard.clearLog();
        keyboard.currentProfile = c.cached;
        saveConfigurationFile();
        edit(kEscape, KeyEntryType::KeyDisabled, 0, c.base / 0x200);

        EXPECT_EQ(apply(), 1);

        std::vector<std::uint16_t> offsets;
        for (const SentReport& r : sent()) {
            if (r.command == kCmdWriteKeyMatrix) {
                offsets.push_back(r.offset);
            }
        }
        std::vector<std::uint16_t> expected;
        for (std::uint16_t at = 0; at < 420; at += 56) {
            expected.push_back(static_cast<std::uint16_t>(c.base + at));
        }
        EXPECT_EQ(offsets, expected) << "cached " << c.cached;
        EXPECT_EQ(keyboardEntry(c.base / 0x200, kEscape), (MatrixEntry{0, 0, 0}));
    }
}

TEST_F(ApplyTest, UnmodifiedApplySendsNothing) {
    saveConfigurationFile();
    EXPECT_EQ(apply(), 1);
    EXPECT_TRUE(sent().empty());
}

TEST_F(ApplyTest, UnknownActiveProfileThatCannotBeReadSendsNothing) {
    saveConfigurationFile();
    keyboard.currentProfile = kProfileUnknown;
    link.keyboard.dropAnswers(1000);
    edit(kEscape, KeyEntryType::KeyDisabled, 0);

    EXPECT_EQ(apply(), 0);

    EXPECT_THAT(commands(), ::testing::Each(kCmdReadDeviceInfo));
    EXPECT_TRUE(modified.isSet());
}

TEST_F(ApplyTest, FailuresKeepTheConfigurationModified) {
    // The keyboard is gone: nothing cleared, and the user is told once.
    saveConfigurationFile();
    edit(kEscape, KeyEntryType::KeyDisabled, 0);
    link.keyboard.unplug();
    EXPECT_EQ(apply(), 0);
    EXPECT_TRUE(modified.isSet());
    EXPECT_EQ(prompter.messages.size(), 1u);

    // The configuration file is missing: the keyboard is still written.
    link.keyboard.plug();
    ASSERT_TRUE(link.openConfiguration());
    std::filesystem::remove(context.configFile());
    EXPECT_EQ(apply(), 0);
    EXPECT_EQ(keyboardEntry(0, kEscape), (MatrixEntry{0, 0, 0}));
    EXPECT_TRUE(modified.isSet());
    EXPECT_FALSE(std::filesystem::exists(context.configFile()));
}

TEST_F(ApplyTest, AnotherProgramsWriteIsNotTakenBackUnasked) {
    ASSERT_EQ(RefreshFromKeyboard(context), 1);
    // Another program on the same keyboard (its lock, so its count, is shared)
    // reads it, gives B the function of A and applies.
    KeyboardState otherKeyboard;
    otherKeyboard.defaultMatrix.replace(factoryMatrix());
    otherKeyboard.macroCapacity = keyboard.macroCapacity.load();
    ConfigImage otherConfig;
    DeviceImage otherDevice;
    ModifiedFlag otherModified;
    testing::ScriptedPrompter otherPrompter;
    testing::TempDir otherData;
    SyncContext other{link.transport, otherKeyboard,    otherConfig,
                      otherDevice,    otherModified,    otherPrompter,
                      language,       otherData.path(), programFolder.path()};
    ASSERT_EQ(RefreshFromKeyboard(other), 1);
    otherConfig.entry(0, KeyIndexOf(kKeyB))->type = KeyEntryType::KeySingle;
    otherConfig.entry(0, KeyIndexOf(kKeyB))->value = kKeyA;
    otherModified.set();
    ASSERT_EQ(ApplyConfiguration(other, nullptr), 1);
    const MatrixEntry otherChange = keyboardEntry(0, kKeyB);
    link.keyboard.clearLog();

    // This program's image is older: its Apply writes nothing and says why.
    edit(kEscape, KeyEntryType::KeySingle, kKeyA);
    EXPECT_EQ(apply(), 0);
    EXPECT_THAT(commands(), ::testing::Not(::testing::Contains(kCmdBeginTransfer)));
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"KEYBOARD_CHANGED_NOT_APPLIED"});
    EXPECT_EQ(keyboardEntry(0, kKeyB), otherChange);
    EXPECT_TRUE(modified.isSet());

    // Told once: applying again writes the edits over it, as the user chose.
    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(keyboardEntry(0, kEscape), keyboardEntry(0, kKeyA));
    EXPECT_FALSE(modified.isSet());
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(ApplyTest, AllProfilesWriteThreeKeyTablesAfterTheMacroArea) {
    config.macros = {macroOf(2, 3, 1)};
    edit(kEscape, KeyEntryType::KeyMacro, 1, 2);
    std::lock_guard guard(config.lock);

    EXPECT_EQ(BuildDeviceImage(context, true), 1);

    std::vector<std::uint16_t> tableStarts;
    for (const SentReport& r : sent()) {
        if (r.command == kCmdWriteKeyMatrix && r.offset % 0x200 == 0) {
            tableStarts.push_back(r.offset);
        }
    }
    EXPECT_THAT(tableStarts, ElementsAre(0x0000, 0x0200, 0x0400));
    EXPECT_EQ(commands().front(), kCmdBeginTransfer);
    EXPECT_EQ(commands()[1], kCmdWriteMacroArea);
    EXPECT_EQ(commands().back(), kCmdEndTransfer);
    EXPECT_EQ(keyboardEntry(2, kEscape), (MatrixEntry{0x05, 0x01, 0x00}));
}

TEST_F(ApplyTest, MovedMacrosMakeTheNextApplyWriteEveryProfileOnce) {
    saveConfigurationFile();
    keyboard.currentProfile = 1;
    const auto tableStarts = [this] {
        std::vector<std::uint16_t> starts;
        for (const SentReport& r : sent()) {
            if (r.command == kCmdWriteKeyMatrix && r.offset % 0x200 == 0) {
                starts.push_back(r.offset);
            }
        }
        return starts;
    };
    modified.setAllProfiles();
    EXPECT_EQ(apply(), 1);
    EXPECT_THAT(tableStarts(), ElementsAre(0x0000, 0x0200, 0x0400));
    EXPECT_FALSE(modified.isSet());

    // Written once: the next edit writes the active profile alone again.
    link.keyboard.clearLog();
    edit(kEscape, KeyEntryType::KeyDisabled, 0, 1);
    EXPECT_EQ(apply(), 1);
    EXPECT_THAT(tableStarts(), ElementsAre(0x0200));
}

TEST_F(ApplyTest, FirstRefusalEndsTheWritesAndTheSequenceIsStillClosed) {
    config.createDefaultBlock();
    std::lock_guard guard(config.lock);
    // The macro area's only chunk is refused: no key table may follow that
    // names macros the keyboard does not hold.
    link.keyboard.answerStatus(2, kStatusRefused);
    EXPECT_EQ(BuildDeviceImage(context, true), 0);
    EXPECT_THAT(commands(), ElementsAre(kCmdBeginTransfer, kCmdWriteMacroArea, kCmdEndTransfer));
    EXPECT_EQ(prompter.messages.size(), 1u);

    // A refused chunk of the last key table fails the write, and the end still goes out.
    link.keyboard.clearLog();
    link.keyboard.answerStatus(1 + 1 + 16 + 3, kStatusFailed);
    EXPECT_EQ(BuildDeviceImage(context, true), 0);
    EXPECT_EQ(commands().back(), kCmdEndTransfer);

    // So does a refused end: the keyboard may not have kept what came before.
    link.keyboard.clearLog();
    link.keyboard.answerStatus(1 + 1 + 24 + 1, kStatusRefused);
    EXPECT_EQ(BuildDeviceImage(context, true), 0);
}

// A view whose calls the test can wait for, and that can be made to hang.
class RecordingView : public BusyIndicatorView {
public:
    void showBusy() override {
        std::unique_lock lock(mutex);
        ++shown;
        changed.notify_all();
        changed.wait(lock, [&] { return !stuck; });
    }
    void hideBusy() override {
        std::lock_guard lock(mutex);
        ++hidden;
        changed.notify_all();
    }
    bool waitHidden(int count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return hidden >= count; });
    }
    void release() {
        std::lock_guard lock(mutex);
        stuck = false;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    int shown = 0;
    int hidden = 0;
    bool stuck = false;
};

constexpr BusyIndicatorTimings kQuick{std::chrono::milliseconds(1000), std::chrono::milliseconds(0),
                                      std::chrono::milliseconds(0)};

TEST_F(ApplyTest, IndicatorShowsAndHidesForEveryApply) {
    auto view = std::make_shared<RecordingView>();
    BusyIndicator indicator(view, kQuick);
    saveConfigurationFile();

    EXPECT_EQ(ApplyConfiguration(context, &indicator), 1); // unmodified
    ASSERT_TRUE(view->waitHidden(1));
    edit(kEscape, KeyEntryType::KeyDisabled, 0);
    EXPECT_EQ(ApplyConfiguration(context, &indicator), 1);
    ASSERT_TRUE(view->waitHidden(2));

    std::lock_guard lock(view->mutex);
    EXPECT_EQ(view->shown, 2);
}

TEST_F(ApplyTest, AHangingIndicatorDoesNotHoldTheApply) {
    auto view = std::make_shared<RecordingView>();
    view->stuck = true;
    {
        BusyIndicator indicator(view, kQuick);
        saveConfigurationFile();
        edit(kEscape, KeyEntryType::KeyDisabled, 0);
        EXPECT_EQ(ApplyConfiguration(context, &indicator), 1);
    }
    EXPECT_EQ(keyboardEntry(0, kEscape), (MatrixEntry{0, 0, 0}));
    view->release();
    EXPECT_TRUE(view->waitHidden(1));
}

} // namespace
} // namespace kw
