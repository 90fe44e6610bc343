#include "core/base/atomic_file.h"
#include "core/base/settings_store.h"
#include "core/config/data_folder.h"
#include "core/lighting/effect_list.h"
#include "core/lighting/lighting_model.h"
#include "core/lighting/lighting_presenter.h"
#include "core/lighting/preview_engine.h"
#include "core/lighting/sent_commands_test_support.h"
#include "core/lighting/user_mode.h"
#include "core/lighting/view_settings.h"
#include "core/skin/language.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace kw {
namespace {

using sim::KeyboardMemory;
using sim::SimLink;
using testing::begin;
using testing::colours;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::end;
using ::testing::IsEmpty;
using testing::parameters;
using testing::SentCommand;

constexpr int kA = 1058;        // colour index 61
constexpr int kRightWin = 1087; // no light
constexpr int kG6 = 1140;       // G6..G9: no light
constexpr int kG9 = 1143;

class RecordingView final : public LightingView {
public:
    void controlsChanged() override { ++controlsChanges; }
    void keyFacesReset() override { ++faceResets; }
    void keyMarksChanged(std::span<const KeyMark> m) override { marks.assign(m.begin(), m.end()); }
    void previewFrame(const PreviewFrame& f) override { frames.push_back(f); }

    std::optional<Rgb> markOf(int buttonId) const {
        for (const auto& m : marks) {
            if (m.buttonId == buttonId) {
                return m.colour;
            }
        }
        return std::nullopt;
    }

    int controlsChanges = 0;
    int faceResets = 0;
    std::vector<KeyMark> marks;
    std::vector<PreviewFrame> frames;
};

class NoRandom final : public PreviewRandom {
public:
    void seed(std::uint32_t) override {}
    std::uint32_t next() override { return 0; }
};

// The keyboard lists its effects with gaps, and one code the table does not know.
KeyboardMemory keyboardWithGaps(bool offerUserMode = true) {
    auto memory = KeyboardMemory::factory();
    auto slots = memory.info.effectSlots();
    std::fill(slots.begin(), slots.end(), 0);
    slots[0] = 1;
    slots[3] = 12;
    slots[4] = 5;
    slots[9] = 17;
    slots[10] = 19;
    slots[12] = 18;
    slots[20] = offerUserMode ? 20 : 0;
    return memory;
}

// Rows of keyboardWithGaps().
constexpr int kRowWave = 1;
constexpr int kRowSwatches = 3;
constexpr int kRowUnknown = 4;
constexpr int kRowRings = 5;
constexpr int kRowUserMode = 6;

struct LightingPresenterTest : ::testing::Test {
    LightingPresenterTest() {
        EXPECT_TRUE(ensureDataFolder(home.path(), kw::testing::programFolder()));
        presenter.setView(&view);
    }

    void connect(KeyboardMemory memory = keyboardWithGaps()) {
        link.keyboard.setMemory(std::move(memory));
        ASSERT_EQ(presenter.KeyboardFound(), 0);
        link.keyboard.clearLog();
    }
    void switchViewOn() {
        ASSERT_EQ(presenter.ToggleLightingView(), 1);
        ASSERT_TRUE(presenter.controls().lightingView);
        link.keyboard.clearLog();
    }
    std::vector<SentCommand> sent() const { return testing::sentCommands(link); }
    const LightingControls& controls() const { return presenter.controls(); }

    kw::testing::TempDir home;
    kw::testing::TempDir config;
    SettingsStore settings{config / "settings.ini"};
    Language language{kw::testing::programFolder(), settings, [] { return std::uint16_t{1033}; }};
    SimLink link{keyboardWithGaps(), testing::quickTimings()};
    LightingModel lighting{link.transport, ViewSettingsFilePath(home.path())};
    UserModeModel userModes{link.transport, home.path()};
    PreviewEngine preview{[] { return std::int64_t{0}; }, std::make_unique<NoRandom>()};
    int profileSteps = 0;
    int profileAnswer = 1;
    RecordingView view;
    LightingPresenter presenter{lighting,
                                userModes,
                                preview,
                                language,
                                [this] {
                                    ++profileSteps;
                                    return profileAnswer;
                                },
                                defaultUserLightingFile(kw::testing::programFolder())};
};

TEST_F(LightingPresenterTest, SelectorListsTheOfferedEffectsWithoutGaps) {
    connect();
    EXPECT_THAT(controls().selectorTexts,
                ElementsAre("Wave", "Vertical Wave", "Breathing", "Preset Color", "Extra Effect",
                            "Color Rings", "Per-Key Colors"));
    EXPECT_EQ(controls().selectorRow, 0) << "the factory record plays effect 1";

    switchViewOn();
    ASSERT_EQ(presenter.SelectEffectRow(kRowWave), 1);
    EXPECT_THAT(sent(), ElementsAre(begin(), parameters(0, {12}), end()));
    EXPECT_EQ(controls().selectorRow, kRowWave);
    EXPECT_EQ(controls().effect, 12);
    EXPECT_EQ(controls().directionPlacement.first, "CONTROL_BLFXLStaPic3");

    link.keyboard.clearLog();
    EXPECT_EQ(presenter.SelectEffectRow(7), 0) << "a row past the list";
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(controls().effect, 12);
}

TEST_F(LightingPresenterTest, ControlsWriteTheirFieldsAndShowTheNewValues) {
    struct Case {
        const char* name;
        std::function<int(LightingPresenter&)> act;
        std::vector<SentCommand> writes; // between begin and end; empty: nothing sent
        std::function<void(const LightingControls&)> check;
        bool controlsChange = true; // the view hears of it
    };
    // The factory record of profile 0: effect 1, brightness 4, speed 2,
    // direction 0 (second), many colours, white.
    const Case cases[] = {
        {"brightness",
         [](auto& p) { return p.SliderMoved(kBrightnessSlider, 1); },
         {parameters(1, {1})},
         [](const auto& c) {
             EXPECT_EQ(c.brightnessPosition, 1);
             EXPECT_EQ(c.brightnessFace, "1.bmp");
         }},
        {"brightness unchanged",
         [](auto& p) { return p.SliderMoved(kBrightnessSlider, 4); },
         {},
         [](const auto& c) { EXPECT_EQ(c.brightnessFace, "4.bmp"); }},
        {"speed slider left end",
         [](auto& p) { return p.SliderMoved(kSpeedSlider, 0); },
         {parameters(2, {5})},
         [](const auto& c) { EXPECT_EQ(c.speedFace, "6.bmp"); }},
        {"speed slider right end",
         [](auto& p) { return p.SliderMoved(kSpeedSlider, 5); },
         {parameters(2, {0})},
         [](const auto& c) { EXPECT_EQ(c.speedFace, "11.bmp"); }},
        {"speed unchanged",
         [](auto& p) { return p.SliderMoved(kSpeedSlider, 3); },
         {},
         [](const auto& c) { EXPECT_EQ(c.speedFace, "9.bmp"); }},
        {"another slider id",
         [](auto& p) { return p.SliderMoved(kEffectSelector, 2); },
         {},
         [](const auto& c) { EXPECT_EQ(c.brightnessPosition, 4); },
         false},
        {"direction already selected",
         [](auto& p) { return p.DirectionClicked(kSecondDirectionPicture); },
         {parameters(3, {0x00})},
         [](const auto& c) {
             EXPECT_EQ(c.firstDirectionPicture, "leftup.bmp");
             EXPECT_EQ(c.secondDirectionPicture, "rightdown.bmp");
         }},
        {"first direction",
         [](auto& p) { return p.DirectionClicked(kFirstDirectionPicture); },
         {parameters(3, {0xFF})},
         [](const auto& c) {
             EXPECT_EQ(c.firstDirectionPicture, "leftdown.bmp");
             EXPECT_EQ(c.secondDirectionPicture, "rightup.bmp");
         }},
        {"colour",
         [](auto& p) { return p.ColourChosen(0x123456); },
         {parameters(4, {0}), parameters(5, {0x56, 0x34, 0x12})},
         [](const auto& c) {
             EXPECT_EQ(c.colour, 0x123456u);
             EXPECT_EQ(c.multicolourPicture, "sjsup.bmp");
         }},
        {"multicolour off",
         [](auto& p) { return p.MulticolourClicked(); },
         {parameters(4, {0})},
         [](const auto& c) { EXPECT_EQ(c.multicolourPicture, "sjsup.bmp"); }},
        {"swatch",
         [](auto& p) { return p.SwatchClicked(kGreenSwatch); },
         {parameters(17, {2})},
         [](const auto& c) {
             EXPECT_THAT(c.swatchPictures,
                         ElementsAre("hong.bmp", "huang.bmp", "lvok.bmp", "lan.bmp"));
         }},
        {"report rate",
         [](auto& p) { return p.ReportRateClicked(2); },
         {parameters(15, {2})},
         [](const auto& c) { EXPECT_EQ(c.reportRate, 2); }},
        {"effect with the multicolour flag",
         [](auto& p) { return p.SelectEffectRow(2); },
         {parameters(0, {5}), parameters(4, {1})},
         [](const auto& c) {
             EXPECT_TRUE(c.shown(kGeneralColourButton));
             EXPECT_FALSE(c.shown(kFirstDirectionPicture));
         }},
        {"spread and gather",
         [](auto& p) { return p.SelectEffectRow(kRowRings); },
         {parameters(0, {18})},
         [](const auto& c) {
             EXPECT_EQ(c.firstDirectionPicture, "kuosan.bmp");
             EXPECT_EQ(c.secondDirectionPicture, "julongdown.bmp");
             EXPECT_EQ(c.directionPlacement.caption, "CONTROL_BLFXStatic");
             EXPECT_FALSE(c.shown(kSpeedSlider));
         }},
        {"a code the table does not know",
         [](auto& p) { return p.SelectEffectRow(kRowUnknown); },
         {},
         [](const auto& c) {
             EXPECT_EQ(c.selectorRow, kRowUnknown);
             EXPECT_TRUE(c.shown(kEffectSelector));
             EXPECT_TRUE(c.shown(kBrightnessSlider));
             EXPECT_FALSE(c.shown(kSpeedSlider));
             EXPECT_FALSE(c.shown(kGeneralColourButton));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimLink fresh(keyboardWithGaps(false), testing::quickTimings());
        kw::testing::TempDir dir;
        LightingModel model(fresh.transport, ViewSettingsFilePath(dir.path()));
        UserModeModel modes(fresh.transport, dir.path());
        PreviewEngine engine;
        RecordingView watcher;
        LightingPresenter p(model, modes, engine, language, [] { return 1; }, {});
        p.setView(&watcher);
        ASSERT_EQ(p.KeyboardFound(), 0);
        ASSERT_EQ(p.ToggleLightingView(), 1);
        fresh.keyboard.clearLog();
        const int changesBefore = watcher.controlsChanges;

        const int result = c.act(p);
        if (!c.writes.empty()) {
            EXPECT_EQ(result, 1);
        }
        std::vector<SentCommand> expected;
        if (!c.writes.empty()) {
            expected.push_back(begin());
            expected.insert(expected.end(), c.writes.begin(), c.writes.end());
            expected.push_back(end());
        }
        EXPECT_THAT(testing::sentCommands(fresh), ElementsAreArray(expected));
        c.check(p.controls());
        EXPECT_EQ(watcher.controlsChanges > changesBefore, c.controlsChange);
    }
}

TEST_F(LightingPresenterTest, ValueEditClampsTheTextAndSendsNothing) {
    connect();
    EXPECT_EQ(presenter.ValueEdited("300"), std::optional<std::string>("255"));
    EXPECT_EQ(presenter.ValueEdited("128"), std::nullopt);
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(LightingPresenterTest, AnOddSwatchByteShowsRedAndKeepsZero) {
    auto memory = keyboardWithGaps();
    memory.lighting[17] = 9;
    connect(memory);
    EXPECT_EQ(lighting.state().swatch, 0);
    EXPECT_THAT(controls().swatchPictures,
                ElementsAre("hongok.bmp", "huang.bmp", "lv.bmp", "lan.bmp"));
}

TEST_F(LightingPresenterTest, SwitchingTheViewAsksForTheProfileFirst) {
    connect();
    const auto viewFile = ViewSettingsFilePath(home.path());

    profileAnswer = 0;
    EXPECT_EQ(presenter.ToggleLightingView(), 0);
    EXPECT_EQ(profileSteps, 1);
    EXPECT_FALSE(controls().lightingView);
    EXPECT_FALSE(std::filesystem::exists(viewFile)) << "a refused switch stores nothing";
    EXPECT_EQ(view.faceResets, 0);

    profileAnswer = 1;
    EXPECT_EQ(presenter.ToggleLightingView(), 1);
    EXPECT_TRUE(controls().lightingView);
    EXPECT_TRUE(ReadLightingViewSetting(viewFile));
    EXPECT_EQ(controls().viewPicture, "dengdown.bmp");
    EXPECT_TRUE(controls().shown(kSpeedSlider));
    EXPECT_EQ(view.faceResets, 1);

    EXPECT_EQ(presenter.ToggleLightingView(), 1);
    EXPECT_EQ(profileSteps, 2) << "switching off asks nothing";
    EXPECT_FALSE(ReadLightingViewSetting(viewFile));
    EXPECT_EQ(controls().viewPicture, "dengup.bmp");
    EXPECT_FALSE(controls().shown(kEffectSelector));
    EXPECT_FALSE(controls().shown(kBrightnessSlider));
    EXPECT_TRUE(controls().shown(kLightingViewToggle));
    EXPECT_EQ(view.faceResets, 2);
    EXPECT_THAT(sent(), IsEmpty()) << "the view is the window's own matter";
}

TEST_F(LightingPresenterTest, PreviewRunsOnlyWhileTheViewIsOn) {
    connect();
    presenter.PreviewTick();
    EXPECT_THAT(view.frames, IsEmpty());

    switchViewOn();
    presenter.PreviewTick();
    ASSERT_EQ(view.frames.size(), 1u);
    EXPECT_TRUE(view.frames[0][0].marked) << "effect 1 colours the keys";

    presenter.SelectEffectRow(kRowUnknown);
    presenter.PreviewTick();
    ASSERT_EQ(view.frames.size(), 2u);
    for (const auto& face : view.frames[1]) {
        EXPECT_FALSE(face.marked) << "no rule: the keys keep their normal faces";
    }
}

TEST_F(LightingPresenterTest, KeyClicksPaintOnlyWithTheViewOnAndTheUserMode) {
    connect();
    EXPECT_FALSE(presenter.KeyClicked(kA)) << "view off: the key editor opens";
    EXPECT_THAT(sent(), IsEmpty());

    switchViewOn();
    EXPECT_TRUE(presenter.KeyClicked(kA)) << "effect 1: taken, but nothing changes";
    EXPECT_THAT(sent(), IsEmpty());

    ASSERT_EQ(presenter.SelectEffectRow(kRowUserMode), 1);
    EXPECT_TRUE(controls().shown(kUserModeSelector));
    EXPECT_TRUE(controls().shown(kColourToolPicture));
    EXPECT_EQ(view.markOf(kA), (Rgb{255, 0, 0})) << "the user mode's colours are shown";
    ASSERT_TRUE(presenter.PaintColourChosen(0x00FF00));
    link.keyboard.clearLog();

    EXPECT_TRUE(presenter.KeyClicked(kA));
    EXPECT_THAT(sent(), ElementsAre(begin(), colours(61 * 3, {0, 255, 0}), end()));
    EXPECT_EQ(view.markOf(kA), (Rgb{0, 255, 0}));
    presenter.PreviewTick();
    EXPECT_THAT(view.frames, IsEmpty()) << "the preview leaves the user mode's colours alone";
}

TEST_F(LightingPresenterTest, KeysWithoutALightNeverTakeAColour) {
    connect();
    switchViewOn();
    ASSERT_EQ(presenter.SelectEffectRow(kRowUserMode), 1);
    for (int tool : {kColourToolPicture, kBaseColourToolPicture}) {
        ASSERT_TRUE(presenter.ToolClicked(tool));
        link.keyboard.clearLog();
        for (int id : {kRightWin, kG6, 1141, 1142, kG9}) {
            EXPECT_TRUE(presenter.KeyClicked(id));
        }
        EXPECT_THAT(sent(), IsEmpty());
    }
    ASSERT_EQ(presenter.BaseColourChosen(0x0000FF), 1);
    for (int id : {kRightWin, kG6, kG9}) {
        EXPECT_FALSE(view.markOf(id)) << id;
    }
}

TEST_F(LightingPresenterTest, UserModeControlsFollowSelectionRenameAndTool) {
    connect();
    switchViewOn();
    ASSERT_EQ(presenter.SelectEffectRow(kRowUserMode), 1);
    EXPECT_EQ(controls().userModeRow, 0);

    EXPECT_EQ(presenter.UserModeSelected(3), 1);
    EXPECT_EQ(controls().userModeRow, 3);
    EXPECT_TRUE(presenter.UserModeRenamed("Night"));
    EXPECT_EQ(controls().userModeNames[3], "Night");
    EXPECT_TRUE(presenter.UserModeRenamed(""));
    EXPECT_EQ(controls().userModeNames[3], "") << "an empty name is a name";

    ASSERT_TRUE(presenter.ToolClicked(kBaseColourToolPicture));
    EXPECT_EQ(controls().colourToolPicture, "user1up.bmp");
    EXPECT_EQ(controls().baseColourToolPicture, "user2down.bmp");
    EXPECT_FALSE(presenter.ToolClicked(kA));

    ASSERT_EQ(presenter.BaseColourChosen(0x00FFFF), 1);
    EXPECT_EQ(controls().baseColour, 0x00FFFFu);
    link.keyboard.clearLog();
    EXPECT_EQ(presenter.BaseColourChosen(0x00FFFF), 1);
    EXPECT_THAT(sent(), IsEmpty()) << "the base colour it already has";
}

TEST_F(LightingPresenterTest, WithoutTheUserModeOfferedItsControlsNeverShow) {
    auto memory = keyboardWithGaps(false);
    memory.lighting[0] = 20; // the keyboard plays it all the same
    connect(memory);
    switchViewOn();
    EXPECT_FALSE(controls().shown(kUserModeSelector));
    EXPECT_TRUE(controls().shown(kEffectSelector));
    EXPECT_TRUE(presenter.KeyClicked(kA));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(view.marks, IsEmpty());
}

TEST_F(LightingPresenterTest, RestoringDefaultsNeedsTheView) {
    auto memory = keyboardWithGaps();
    std::fill(memory.lighting.begin(), memory.lighting.begin() + 42, 0x03);
    connect(memory);
    const auto before = link.keyboard.memory().lighting;

    EXPECT_EQ(presenter.RestoreDefaults(), 0);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(link.keyboard.memory().lighting, before);
    EXPECT_EQ(controls().brightnessFace, "3.bmp");

    switchViewOn();
    EXPECT_EQ(presenter.RestoreDefaults(), 1);
    std::vector<std::uint8_t> block{0x01, 0x04, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    block.resize(35, 0);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), link.keyboard.memory().lighting.begin()));
    const auto& c = controls();
    EXPECT_EQ(c.selectorRow, 0);
    EXPECT_EQ(c.brightnessPosition, 4);
    EXPECT_EQ(c.brightnessFace, "4.bmp");
    EXPECT_EQ(c.speedPosition, 3);
    EXPECT_EQ(c.speedFace, "9.bmp");
    EXPECT_EQ(c.firstDirectionPicture, "leftup.bmp");
    EXPECT_EQ(c.secondDirectionPicture, "rightdown.bmp");
    EXPECT_EQ(c.colour, 0xFFFFFFu);
    EXPECT_EQ(c.multicolourPicture, "sjsdown.bmp");
    EXPECT_EQ(c.reportRate, 0);
    EXPECT_EQ(c.directionPlacement.first, "CONTROL_BLFXLStaPic2");
}

TEST_F(LightingPresenterTest, AnUnreadableKeyboardEmptiesTheSelectorButKeepsTheValues) {
    connect();
    switchViewOn();
    presenter.SliderMoved(kBrightnessSlider, 2);
    link.keyboard.unplug();
    EXPECT_EQ(presenter.KeyboardChangedLighting(), -1);
    EXPECT_THAT(controls().selectorTexts, IsEmpty());
    EXPECT_EQ(controls().selectorRow, -1);
    EXPECT_EQ(controls().brightnessFace, "2.bmp");
    EXPECT_TRUE(controls().shown(kEffectSelector));
    EXPECT_TRUE(controls().shown(kBrightnessSlider));
}

TEST_F(LightingPresenterTest, ProfileSwitchShowsAndEditsThatProfilesLighting) {
    auto memory = keyboardWithGaps();
    memory.lighting[42] = 17;
    memory.lighting[42 + 17] = 2;
    connect(memory);
    switchViewOn();
    ASSERT_TRUE(
        writeFileAtomically(userLightingFilePath(home.path(), 1),
                            std::string_view("[PRESENTMODE]\nmode=2\n[MODENAME]\n2=Two\n")));

    ASSERT_EQ(presenter.ProfileSwitched(1), 0);
    EXPECT_EQ(controls().effect, 17);
    EXPECT_TRUE(controls().shown(kRedSwatch));
    EXPECT_THAT(controls().swatchPictures,
                ElementsAre("hong.bmp", "huang.bmp", "lvok.bmp", "lan.bmp"));
    EXPECT_EQ(controls().userModeRow, 2);
    EXPECT_EQ(controls().userModeNames[2], "Two");
    const auto commands = sent();
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [](const SentCommand& c) {
        return c.command == 0x11 && c.offset >= 512 && c.offset < 1024;
    })) << "the user mode's colours go to profile 1's page";

    link.keyboard.clearLog();
    ASSERT_EQ(presenter.SliderMoved(kBrightnessSlider, 0), 1);
    EXPECT_THAT(sent(), ElementsAre(begin(), parameters(43, {0}), end()));
}

TEST_F(LightingPresenterTest, StoredViewAndUserModeShowTheKeyColoursAtConnection) {
    ASSERT_TRUE(WriteLightingViewSetting(ViewSettingsFilePath(home.path()), true));
    auto memory = keyboardWithGaps();
    memory.lighting[0] = 20;
    connect(memory);
    EXPECT_EQ(profileSteps, 0);
    EXPECT_TRUE(controls().lightingView);
    EXPECT_TRUE(controls().shown(kUserModeSelector));
    EXPECT_FALSE(controls().shown(kSpeedSlider));
    EXPECT_EQ(controls().selectorRow, kRowUserMode);
    EXPECT_EQ(view.markOf(kA), (Rgb{255, 0, 0}));
    EXPECT_FALSE(view.markOf(kRightWin));
}

TEST_F(LightingPresenterTest, RestoringDefaultsReloadsTheUserModes) {
    connect();
    switchViewOn();
    ASSERT_EQ(presenter.SelectEffectRow(kRowUserMode), 1);
    ASSERT_EQ(presenter.UserModeSelected(4), 1);
    ASSERT_TRUE(presenter.UserModeRenamed("mine"));

    EXPECT_EQ(presenter.RestoreDefaults(), 1);
    EXPECT_EQ(controls().userModeRow, 0);
    EXPECT_EQ(controls().userModeNames[4], "5") << "the default file's name";
    EXPECT_FALSE(controls().shown(kUserModeSelector)) << "effect 1 again";
}

TEST_F(LightingPresenterTest, EffectNamesFollowTheLanguage) {
    connect();
    ASSERT_TRUE(settings.writeDword("LANGUAGE", 1046));
    presenter.LanguageChanged();
    ASSERT_FALSE(controls().selectorTexts.empty());
    EXPECT_EQ(controls().selectorTexts.front(), "Onda");
}

} // namespace
} // namespace kw
