#include "core/base/atomic_file.h"
#include "core/config/data_folder.h"
#include "core/keys/key_buttons.h"
#include "core/lighting/effect_list.h"
#include "core/lighting/sent_commands_test_support.h"
#include "core/lighting/user_mode.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>

namespace kw {
namespace {

using sim::KeyboardMemory;
using sim::SimLink;
using testing::begin;
using testing::colours;
using ::testing::ElementsAre;
using testing::end;
using ::testing::IsEmpty;

constexpr int kA = 1058;        // colour index 61
constexpr int kEsc = 1022;      // colour index 0
constexpr int kRightWin = 1087; // no light
constexpr int kG1 = 1000;       // colour index 74
constexpr int kG6 = 1140;       // no light

const Rgb kRed{255, 0, 0};
const Rgb kBlack{0, 0, 0};

struct UserModeFixture : ::testing::Test {
    UserModeFixture() {
        // The folder exists (it is made at start-up); the profile files do not.
        std::filesystem::create_directories(dataFolderPath(home.path()));
        auto memory = KeyboardMemory::factory();
        for (auto& page : memory.keyColours) {
            page.fill(0x11);
        }
        link.keyboard.setMemory(memory);
        model.setProfile(2);
    }

    std::filesystem::path file() const { return userLightingFilePath(home.path(), 2); }
    std::string fileText() const {
        const auto bytes = readFileBytes(file());
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
    }
    std::vector<testing::SentCommand> sent() const { return testing::sentCommands(link); }
    Rgb keyboardColour(int index) const {
        const auto page = link.keyboard.memory().keyColours[2];
        const auto at = static_cast<std::size_t>(index) * 3;
        return Rgb{page[at], page[at + 1], page[at + 2]};
    }
    Rgb tableColour(int controlId) const {
        return model.colours().colour(2, ColourIndexOfButton(controlId));
    }

    kw::testing::TempDir home;
    SimLink link{KeyboardMemory::factory(), testing::quickTimings()};
    UserModeModel model{link.transport, home.path()};
};

TEST_F(UserModeFixture, FirstRunWithoutAFileLightsEveryKeyRed) {
    EXPECT_EQ(model.LoadUserModeNames(), 1);

    for (const auto& name : model.names()) {
        EXPECT_EQ(name, "0");
    }
    EXPECT_EQ(model.selectedMode(), 0);
    EXPECT_EQ(model.settings(), (UserModeSettings{kColourTool, 0, 0}));
    for (int button : LitButtons()) {
        const int index = ColourIndexOfButton(button);
        EXPECT_EQ(model.colours().colour(2, index), kRed) << button;
        EXPECT_TRUE(model.followsBase(2, index)) << button;
        EXPECT_EQ(keyboardColour(index), kRed) << button;
    }
    // Grid positions without a key are sent as they are held (black).
    EXPECT_EQ(keyboardColour(1), kBlack);
    EXPECT_EQ(keyboardColour(17), kBlack);
    EXPECT_FALSE(std::filesystem::exists(file())) << "reading creates nothing";

    EXPECT_EQ(model.PaintKey(kA, kUserModeEffect), 1);
    EXPECT_TRUE(std::filesystem::exists(file())) << "painting creates the file";
}

TEST_F(UserModeFixture, AProfilesColoursGoOutEighteenKeysAtATime) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    const auto commands = sent();
    ASSERT_EQ(commands.size(), 10u);
    EXPECT_EQ(commands.front(), begin());
    EXPECT_EQ(commands.back(), end());
    for (std::size_t chunk = 0; chunk < 8; ++chunk) {
        const auto& c = commands[chunk + 1];
        EXPECT_EQ(c.command, 0x11);
        EXPECT_EQ(c.offset, 2 * 512 + chunk * 54) << chunk;
        EXPECT_EQ(c.data.size(), chunk < 7 ? 54u : 42u) << chunk;
    }
}

TEST_F(UserModeFixture, KeysWithoutALightNeverTakeAColour) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    model.SelectTool(kBaseColourTool);
    link.keyboard.clearLog();
    const auto before = fileText();
    for (int button : {kRightWin, kG6, 1143, 4242}) {
        EXPECT_EQ(model.PaintKey(button, kUserModeEffect), 0) << button;
    }
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(fileText(), before);
    EXPECT_FALSE(HasLight(ColourIndexOfButton(kRightWin)));
    EXPECT_EQ(std::count(LitButtons().begin(), LitButtons().end(), kG6), 0);
}

TEST_F(UserModeFixture, PaintingNeedsTheUserModeEffect) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    link.keyboard.clearLog();
    EXPECT_EQ(model.PaintKey(kA, 5), 0);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(UserModeFixture, ThePaintToolDetachesAKeyFromTheBaseColour) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    ASSERT_TRUE(model.SetPaintColour(0xFF8000)); // blue FF, green 80
    link.keyboard.clearLog();

    EXPECT_EQ(model.PaintKey(kA, kUserModeEffect), 1);
    EXPECT_THAT(sent(), ElementsAre(begin(), colours(2 * 512 + 61 * 3, {0x00, 0x80, 0xFF}), end()));
    EXPECT_EQ(keyboardColour(61), (Rgb{0, 0x80, 0xFF}));
    EXPECT_FALSE(model.followsBase(2, 61));
    EXPECT_EQ(ReadKeyEntry(model.file().load(), 0, 61, {}),
              (KeyColourEntry{Rgb{0, 0x80, 0xFF}, false}));

    // The base colour now reaches every key but A.
    ASSERT_EQ(model.SetBaseColour(0x00FF00), 1);
    EXPECT_EQ(tableColour(kA), (Rgb{0, 0x80, 0xFF}));
    EXPECT_EQ(tableColour(kEsc), (Rgb{0, 0xFF, 0}));
    EXPECT_EQ(tableColour(kFnButton), (Rgb{0, 0xFF, 0}));
    EXPECT_EQ(keyboardColour(0), (Rgb{0, 0xFF, 0}));
    EXPECT_EQ(keyboardColour(61), (Rgb{0, 0x80, 0xFF}));
    const auto doc = model.file().load();
    EXPECT_EQ(ReadKeyEntry(doc, 0, 0, {}), (KeyColourEntry{Rgb{0, 0xFF, 0}, true}));
    EXPECT_EQ(ReadModeSettings(doc, 0, {}).baseColour, 0x00FF00u);
}

TEST_F(UserModeFixture, TheBaseToolAttachesAKeyAgain) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    model.SetPaintColour(0x0000FF);
    model.PaintKey(kG1, kUserModeEffect);
    EXPECT_FALSE(model.followsBase(2, 74));

    ASSERT_TRUE(model.SelectTool(kBaseColourTool));
    ASSERT_EQ(model.PaintKey(kG1, kUserModeEffect), 1);
    EXPECT_TRUE(model.followsBase(2, 74));
    EXPECT_EQ(tableColour(kG1), kBlack) << "the base colour is still black";

    ASSERT_EQ(model.SetBaseColour(0xFFFFFF), 1);
    EXPECT_EQ(tableColour(kG1), (Rgb{255, 255, 255}));
    EXPECT_EQ(keyboardColour(74), (Rgb{255, 255, 255}));
}

TEST_F(UserModeFixture, TheSameBaseColourAgainWritesNothing) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    ASSERT_EQ(model.SetBaseColour(0x0000FF), 1);
    const auto before = fileText();
    link.keyboard.clearLog();
    EXPECT_EQ(model.SetBaseColour(0x0000FF), 1);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(fileText(), before);
}

TEST_F(UserModeFixture, SelectingAModeLoadsItsColoursAndSettings) {
    ASSERT_TRUE(writeFileAtomically(file(), std::string_view("[MODENAME]\n3=Night\n"
                                                             "[Mode3]\ntool=1\njcolor=0,0,255\n"
                                                             "color=1,2,3\n61=9,8,7,0\n")));
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    EXPECT_EQ(model.names()[3], "Night");
    EXPECT_EQ(model.selectedMode(), 0);

    ASSERT_EQ(model.SelectUserMode(3), 1);
    EXPECT_EQ(model.selectedMode(), 3);
    EXPECT_EQ(ReadPresentMode(model.file().load()), 3);
    EXPECT_EQ(model.settings(), (UserModeSettings{kBaseColourTool, 0xFF0000, 0x030201}));
    EXPECT_EQ(keyboardColour(61), (Rgb{9, 8, 7}));
    EXPECT_FALSE(model.followsBase(2, 61));
    EXPECT_EQ(keyboardColour(0), kRed);

    EXPECT_EQ(model.SelectUserMode(10), 0);
    EXPECT_EQ(model.selectedMode(), 3);
}

TEST_F(UserModeFixture, RenamingStoresTheTextEvenWhenEmpty) {
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    ASSERT_TRUE(model.RenameUserMode(0, "Evening"));
    ASSERT_TRUE(model.RenameUserMode(0, ""));
    EXPECT_EQ(model.names()[0], "");
    EXPECT_EQ(ReadModeName(model.file().load(), 0), "");
    EXPECT_FALSE(model.RenameUserMode(0, "two\nlines"));
    EXPECT_EQ(model.names()[0], "");

    const std::string longName(300, 'n');
    ASSERT_TRUE(model.RenameUserMode(0, longName));
    EXPECT_EQ(model.names()[0].size(), 259u);
}

TEST_F(UserModeFixture, AModeOutsideTheSelectorCannotBeRenamed) {
    ASSERT_TRUE(writeFileAtomically(file(), std::string_view("[PRESENTMODE]\nmode=12\n")));
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    EXPECT_EQ(model.selectedMode(), 12);
    EXPECT_FALSE(model.RenameUserMode(model.selectedMode(), "x"));
}

TEST_F(UserModeFixture, BaseMarksFollowTheColoursInEveryProfile) {
    // Profile 0: every key red; profile 2: every key the base colour but A.
    model.setProfile(0);
    ASSERT_EQ(model.LoadUserModeNames(), 1);
    model.setProfile(2);
    std::string keys = "[Mode0]\njcolor=0,0,255\n";
    for (int button : LitButtons()) {
        const int index = ColourIndexOfButton(button);
        keys += std::to_string(index) + (index == 61 ? "=0,0,254,1\n" : "=0,0,255,0\n");
    }
    ASSERT_TRUE(writeFileAtomically(file(), keys));
    ASSERT_EQ(model.LoadUserModeNames(), 1);

    model.RecomputeBaseMarks();
    EXPECT_TRUE(model.followsBase(2, 0));
    EXPECT_FALSE(model.followsBase(2, 61));
    EXPECT_FALSE(model.followsBase(0, 0)) << "red is not the base colour";
    EXPECT_FALSE(model.followsBase(1, 0)) << "a profile never loaded holds black";
}

} // namespace
} // namespace kw
