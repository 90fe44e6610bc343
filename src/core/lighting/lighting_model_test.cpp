#include "core/base/atomic_file.h"
#include "core/base/ini_file.h"
#include "core/config/data_folder.h"
#include "core/lighting/lighting_block.h"
#include "core/lighting/lighting_model.h"
#include "core/lighting/sent_commands_test_support.h"
#include "core/lighting/user_mode.h"
#include "core/lighting/view_settings.h"
#include "testsupport/temp_dir.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kw {
namespace {

using sim::KeyboardMemory;
using sim::SimLink;
using testing::begin;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::end;
using ::testing::IsEmpty;
using testing::parameters;
using testing::SentCommand;

// Three distinct records; profile 1 carries values that need clamping and
// bytes this program does not interpret.
KeyboardMemory keyboardWithRecords() {
    auto memory = KeyboardMemory::factory();
    memory.lighting.fill(0);
    for (int p = 0; p < 3; ++p) {
        memory.lighting[static_cast<std::size_t>(p * 42)] = static_cast<std::uint8_t>(p + 5);
    }
    const std::array<std::uint8_t, 42> record{
        12,   3,    1,    0x00, 1,    0x10, 0x20, 0x30, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD,
        0xAE, 7,    0xB0, 9,    0xB2, 1,    0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0x40, 0x50, 0x60,
        0,    0xBD, 0x70, 0x80, 0x90, 2,    0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9};
    std::copy(record.begin(), record.end(), memory.lighting.begin() + 42);
    auto slots = memory.info.effectSlots();
    std::fill(slots.begin(), slots.end(), 0);
    slots[0] = 1;
    slots[3] = 12;
    slots[4] = 5;
    slots[9] = 17;
    return memory;
}

struct LightingFixture : ::testing::Test {
    explicit LightingFixture(KeyboardMemory memory = keyboardWithRecords())
        : link(std::move(memory), testing::quickTimings()) {}

    std::filesystem::path viewFile() const { return ViewSettingsFilePath(home.path()); }
    std::vector<SentCommand> sent() const { return testing::sentCommands(link); }

    kw::testing::TempDir home;
    SimLink link;
    LightingModel model{link.transport, ViewSettingsFilePath(home.path())};
};

TEST_F(LightingFixture, ReadDecodesTheCurrentProfilesRecord) {
    model.setProfile(1);
    ASSERT_EQ(model.ReadLighting(), 0);
    const auto& s = model.state();
    EXPECT_EQ(s.effect, 12);
    EXPECT_EQ(s.brightness, 3);
    EXPECT_EQ(s.speed, 1);
    EXPECT_EQ(s.direction, kDirectionSecond);
    EXPECT_TRUE(s.multicolour);
    EXPECT_EQ(s.colour, 0x302010u);
    EXPECT_EQ(s.reportRate, 3) << "7 shows as the last report rate";
    EXPECT_EQ(s.swatch, 0) << "9 shows as the red swatch";
    EXPECT_EQ(s.triggerMode, 1);
    EXPECT_EQ(s.colour2, 0x605040u);
    EXPECT_FALSE(s.multicolour2);
    EXPECT_EQ(s.colour3, 0x908070u);
    EXPECT_TRUE(s.multicolour3);
    EXPECT_EQ(s.area, link.keyboard.memory().lighting);
    EXPECT_THAT(model.effectSlots().codes(), ElementsAre(1, 12, 5, 17));

    const auto commands = sent();
    ASSERT_EQ(commands.size(), 6u);
    EXPECT_EQ(commands[0].command, 0x03);
    EXPECT_EQ(commands[1], begin());
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(commands[static_cast<std::size_t>(2 + p)].command, 0x05);
        EXPECT_EQ(commands[static_cast<std::size_t>(2 + p)].offset, p * 42);
    }
    EXPECT_EQ(commands[5], end());
}

TEST_F(LightingFixture, UnreadableKeyboardKeepsTheStateAndEmptiesTheEffects) {
    ASSERT_EQ(model.ReadLighting(), 0);
    const LightingState before = model.state();
    link.keyboard.unplug();
    EXPECT_EQ(model.ReadLighting(), -1);
    EXPECT_EQ(model.state().effect, before.effect);
    EXPECT_EQ(model.state().area, before.area);
    EXPECT_EQ(model.effectSlots().rows(), 0);
    EXPECT_FALSE(model.effectList().offers(1));
}

TEST_F(LightingFixture, AnUnreadableRecordIsNotDecoded) {
    ASSERT_EQ(model.ReadLighting(), 0);
    const LightingState before = model.state();
    // Device info and begin pass; the first record read is refused.
    link.keyboard.answerStatus(3, 0xFF);
    EXPECT_EQ(model.ReadLighting(), -1);
    EXPECT_EQ(model.state().effect, before.effect);
    EXPECT_EQ(model.state().area, before.area);
    EXPECT_EQ(sent().back(), end()) << "the read sequence is still closed";
}

TEST_F(LightingFixture, StoredViewSettingCanOnlySwitchTheViewOn) {
    ASSERT_TRUE(std::filesystem::create_directories(viewFile().parent_path()));
    ASSERT_EQ(model.ReadLighting(), 0);
    EXPECT_FALSE(model.state().lightingView);

    ASSERT_TRUE(WriteLightingViewSetting(viewFile(), true));
    ASSERT_EQ(model.ReadLighting(), 0);
    EXPECT_TRUE(model.state().lightingView);

    ASSERT_TRUE(writeProfileString(viewFile(), "KEYCOLOR", "DengCheck", "0"));
    ASSERT_EQ(model.ReadLighting(), 0);
    EXPECT_TRUE(model.state().lightingView);

    ASSERT_TRUE(model.SetLightingView(false));
    EXPECT_FALSE(ReadLightingViewSetting(viewFile()));
}

TEST_F(LightingFixture, EachControlWritesItsFieldsInOneTransaction) {
    struct Case {
        const char* name;
        std::function<int(LightingModel&)> act;
        std::vector<SentCommand> writes; // between begin and end; empty: nothing sent
    };
    // Profile 2's record starts at 84; the factory record there is
    // 01 04 02 00 FF FF FF FF (brightness 4, speed 2, many colours).
    const Case cases[] = {
        {"effect with multicolour",
         [](auto& m) { return m.SelectEffect(5); },
         {parameters(84, {5}), parameters(88, {1})}},
        {"effect without multicolour",
         [](auto& m) { return m.SelectEffect(10); },
         {parameters(84, {10})}},
        {"user mode effect", [](auto& m) { return m.SelectEffect(20); }, {parameters(84, {20})}},
        {"speed slider left end",
         [](auto& m) { return m.SetSpeedPosition(0); },
         {parameters(86, {5})}},
        {"speed slider right end",
         [](auto& m) { return m.SetSpeedPosition(5); },
         {parameters(86, {0})}},
        {"speed unchanged", [](auto& m) { return m.SetSpeedPosition(3); }, {}},
        {"brightness", [](auto& m) { return m.SetBrightnessPosition(1); }, {parameters(85, {1})}},
        {"brightness unchanged", [](auto& m) { return m.SetBrightnessPosition(4); }, {}},
        {"direction already held",
         [](auto& m) { return m.SetDirection(kDirectionSecond); },
         {parameters(87, {0x00})}},
        {"first direction",
         [](auto& m) { return m.SetDirection(kDirectionFirst); },
         {parameters(87, {0xFF})}},
        {"colour",
         [](auto& m) { return m.SetColour(0x123456); },
         {parameters(88, {0}), parameters(89, {0x56, 0x34, 0x12})}},
        {"multicolour toggle",
         [](auto& m) { return m.ToggleMulticolour(); },
         {parameters(88, {0})}},
        {"swatch", [](auto& m) { return m.SetSwatch(3); }, {parameters(101, {3})}},
        {"report rate", [](auto& m) { return m.SetReportRate(3); }, {parameters(99, {3})}},
    };
    for (const auto& c : cases) {
        SimLink fresh(KeyboardMemory::factory(), testing::quickTimings());
        kw::testing::TempDir dir;
        LightingModel m(fresh.transport, ViewSettingsFilePath(dir.path()));
        m.setProfile(2);
        ASSERT_EQ(m.ReadLighting(), 0) << c.name;
        fresh.keyboard.clearLog();
        const auto before = fresh.keyboard.memory().lighting;

        EXPECT_EQ(c.act(m), 1) << c.name;

        std::vector<SentCommand> expected;
        auto after = before;
        if (!c.writes.empty()) {
            expected.push_back(begin());
            for (const auto& w : c.writes) {
                expected.push_back(w);
                std::copy(w.data.begin(), w.data.end(), after.begin() + w.offset);
            }
            expected.push_back(end());
        }
        EXPECT_THAT(testing::sentCommands(fresh), ElementsAreArray(expected)) << c.name;
        EXPECT_EQ(fresh.keyboard.memory().lighting, after) << c.name;
    }
}

TEST_F(LightingFixture, UnknownEffectsAndOutOfRangeChoicesSendNothing) {
    ASSERT_EQ(model.ReadLighting(), 0);
    link.keyboard.clearLog();
    EXPECT_EQ(model.SelectEffect(19), 0);
    EXPECT_EQ(model.SelectEffect(21), 0);
    EXPECT_EQ(model.SetReportRate(4), -201);
    EXPECT_EQ(model.SetSwatch(-1), -201);
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(LightingFixture, ARefusedWriteSkipsTheRestButClosesTheSequence) {
    ASSERT_EQ(model.ReadLighting(), 0);
    link.keyboard.clearLog();
    link.keyboard.answerStatus(2, 0xFE);
    EXPECT_EQ(model.SetColour(0x0000FF), -103);
    EXPECT_THAT(sent(), ElementsAre(begin(), parameters(4, {0}), end()));
}

struct RestoreDefaults : LightingFixture {
    RestoreDefaults() : LightingFixture(KeyboardMemory::factory()) {}

    // Profile 1 holds odd values everywhere, so the default write shows.
    void prepare(bool offerUserMode) {
        auto memory = KeyboardMemory::factory();
        std::fill(memory.lighting.begin() + 42, memory.lighting.begin() + 84, 0x5A);
        auto slots = memory.info.effectSlots();
        slots[19] = offerUserMode ? 20 : 0;
        link.keyboard.setMemory(memory);
        ASSERT_TRUE(ensureDataFolder(home.path(), kw::testing::programFolder()));
        ASSERT_TRUE(writeFileAtomically(userFile(), std::string_view("[MODENAME]\n0=mine\n")));
        model.setProfile(1);
        ASSERT_EQ(model.ReadLighting(), 0);
        link.keyboard.clearLog();
    }
    std::filesystem::path userFile() const { return userLightingFilePath(home.path(), 1); }
    std::string userFileText() const {
        const auto bytes = readFileBytes(userFile());
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }

    UserModeModel userModes{link.transport, home.path()};
};

TEST_F(RestoreDefaults, WritesTheThirtyFiveDefaultBytes) {
    prepare(false);
    userModes.setProfile(1);
    EXPECT_EQ(model.RestoreDefaultLighting(&userModes,
                                           defaultUserLightingFile(kw::testing::programFolder())),
              1);

    std::vector<std::uint8_t> block{0x01, 0x04, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    block.resize(35, 0);
    EXPECT_THAT(sent(), ElementsAre(begin(), parameters(42, {1}), parameters(46, {1}), end(),
                                    begin(), parameters(42, block), end()))
        << "effect 1 is selected first with the kept multicolour flag";
    const auto lighting = link.keyboard.memory().lighting;
    EXPECT_TRUE(std::equal(block.begin(), block.end(), lighting.begin() + 42));
    EXPECT_TRUE(std::all_of(lighting.begin() + 77, lighting.begin() + 84, [](std::uint8_t b) {
        return b == 0x5A;
    })) << "bytes past the default ones are the keyboard's";
    EXPECT_EQ(userFileText(), "[MODENAME]\n0=mine\n") << "no user mode: the file stays";

    const auto& s = model.state();
    EXPECT_EQ(s.effect, 1);
    EXPECT_EQ(s.brightness, 4);
    EXPECT_EQ(s.speed, 2);
    EXPECT_EQ(s.direction, kDirectionSecond);
    EXPECT_TRUE(s.multicolour);
    EXPECT_EQ(s.colour, 0xFFFFFFu);
    EXPECT_EQ(s.reportRate, 0);
}

TEST_F(RestoreDefaults, ReplacesTheUserLightingFileWhenTheUserModeIsOffered) {
    prepare(true);
    userModes.setProfile(1);
    const auto defaultFile = defaultUserLightingFile(kw::testing::programFolder());
    EXPECT_EQ(model.RestoreDefaultLighting(&userModes, defaultFile), 1);

    const auto expected = readFileBytes(defaultFile);
    ASSERT_TRUE(expected);
    EXPECT_EQ(userFileText(), std::string(expected->begin(), expected->end()));
    const auto commands = sent();
    const auto colourWrites = std::count_if(commands.begin(), commands.end(),
                                            [](const auto& c) { return c.command == 0x11; });
    EXPECT_EQ(colourWrites, 8) << "the restored mode's colours go to the keyboard";
    EXPECT_EQ(commands.back(), end());
    EXPECT_EQ(commands[commands.size() - 2].data.size(), 35u);
}

} // namespace
} // namespace kw
