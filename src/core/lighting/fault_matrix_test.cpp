// Faults at every report. Each sequence that talks to the keyboard (refresh,
// apply of one profile and of all, import, profile switch, the lighting read
// and every lighting transaction) is run once cleanly to count its reports
// and learn its outcome; then again for every report k with the keyboard
// vanishing, staying silent, or answering 0xFF or 0xFE at report k. Each
// run must end, show at most one message (exactly one for the sequences
// that talk to the user), leave every file in the data folder as the old or
// the new whole file, change no keyboard byte to anything but its old or its
// new value, and after the keyboard is back a refresh must read an image
// that survives a write and a second read unchanged.

#include "core/base/atomic_file.h"
#include "core/base/settings_store.h"
#include "core/config/config_file.h"
#include "core/config/profile_file.h"
#include "core/device/commands.h"
#include "core/lighting/key_colour_table.h"
#include "core/lighting/lighting_model.h"
#include "core/lighting/view_settings.h"
#include "core/skin/text_keys.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"
#include "core/sync/profile_transfer.h"
#include "sim/keyboard_memory.h"
#include "sim/sim_link.h"
#include "testsupport/scripted_prompter.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <mutex>

namespace kw {
namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// Short waits: a silent keyboard costs two 5 ms reads per command here.
constexpr TransportTimings kQuickTimings{20, 5, 2, 0};

enum class Fault { Vanish, Silent, Refused, Failed };
constexpr Fault kFaults[] = {Fault::Vanish, Fault::Silent, Fault::Refused, Fault::Failed};

const char* nameOf(Fault f) {
    switch (f) {
    case Fault::Vanish:
        return "vanishes";
    case Fault::Silent:
        return "times out";
    case Fault::Refused:
        return "answers 0xFF";
    case Fault::Failed:
        return "answers 0xFE";
    }
    return "?";
}

// A keyboard with macros and edited tables, connected and refreshed, with
// the configuration file on disk: what a user has before the sequence.
struct Rig {
    testing::TempDir programFolder;
    testing::TempDir dataHome;
    testing::TempDir elsewhere;
    SettingsStore settings{elsewhere / "settings.ini"};
    std::unique_ptr<Language> language;
    sim::SimLink link{startingMemory(), kQuickTimings};
    KeyboardState keyboard;
    ConfigImage config;
    DeviceImage device;
    ModifiedFlag modified;
    testing::ScriptedPrompter prompter;
    SyncContext context{link.transport,
                        keyboard,
                        config,
                        device,
                        modified,
                        prompter,
                        *language,
                        dataHome.path(),
                        programFolder.path(),
                        {}};

    static sim::KeyboardMemory startingMemory() {
        sim::KeyboardMemory memory = sim::KeyboardMemory::factory();
        memory.info.setActiveProfile(1);
        for (std::size_t p = 0; p < memory.keyColours.size(); ++p) {
            for (std::size_t i = 0; i < memory.keyColours[p].size(); ++i) {
                memory.keyColours[p][i] = static_cast<std::uint8_t>(i * 7 + p);
            }
        }
        for (std::size_t i = 0; i < memory.lighting.size(); ++i) {
            memory.lighting[i] = static_cast<std::uint8_t>(i % 5);
        }
        return memory;
    }

    Rig() : language(makeLanguage()) {
        keyboard.macroCapacity = link.keyboard.memory().info.macroCapacityBytes();
        KeyMatrix factory{};
        keyMatrixFromBytes(link.keyboard.memory().defaultMatrix, factory);
        keyboard.defaultMatrix.replace(factory);
        // Macros and a changed key in every profile, put on the keyboard.
        bool read = false;
        RefreshFromKeyboard(context, &read);
        EXPECT_TRUE(read);
        {
            std::lock_guard guard(config.lock);
            for (int m = 0; m < 3; ++m) {
                MacroRecord macro;
                macro.setName(u"macro" + std::u16string(1, static_cast<char16_t>(u'0' + m)));
                macro.macroId = static_cast<std::uint16_t>(m + 1);
                macro.repeatCount = 1;
                macro.actionCount = 6;
                for (int a = 0; a < 6; ++a) {
                    macro.actions[static_cast<std::size_t>(a)] = {
                        10, static_cast<std::uint16_t>(0x1E + m),
                        static_cast<std::uint16_t>(a % 2)};
                }
                config.macros.push_back(macro);
            }
            for (int p = 0; p < kProfileCount; ++p) {
                KeyEntry* e = config.entry(p, KeyIndexOf(0x1E));
                e->type = KeyEntryType::KeyMacro;
                e->value = static_cast<std::uint32_t>(p + 1);
            }
        }
        modified.setAllProfiles();
        EXPECT_EQ(ApplyConfiguration(context, nullptr), 1);
        RefreshFromKeyboard(context, &read);
        EXPECT_TRUE(read);
        prompter.messages.clear();
        link.keyboard.clearLog();
    }

    std::unique_ptr<Language> makeLanguage() {
        std::string texts = "[TEXT]\nMACRO_NEW_PREFIX=Macro\n";
        for (const auto group : text_keys::kTextGroups) {
            for (const auto key : group) {
                texts += std::string(key) + "=" + std::string(key) + "\n";
            }
        }
        EXPECT_TRUE(writeFileAtomically(programFolder / "Lang0409.ini",
                                        std::vector<std::uint8_t>(texts.begin(), texts.end())));
        return std::make_unique<Language>(programFolder.path(), settings,
                                          [] { return std::uint16_t{1033}; });
    }

    std::size_t reportsSent() const { return link.written().size(); }

    void arm(Fault fault, int k) {
        switch (fault) {
        case Fault::Vanish:
            link.keyboard.unplugAfterCommands(k);
            break;
        case Fault::Silent:
            link.keyboard.dropAnswersFrom(k, kQuickTimings.attempts);
            break;
        case Fault::Refused:
            link.keyboard.answerStatus(k, kStatusRefused);
            break;
        case Fault::Failed:
            link.keyboard.answerStatus(k, kStatusFailed);
            break;
        }
    }

    // The keyboard is back (re-plugged, or simply answering again).
    void recover() {
        link.keyboard.unplugAfterCommands(0);
        link.keyboard.dropAnswersFrom(0, 0);
        link.keyboard.dropAnswers(0);
        link.keyboard.answerStatus(0, 0);
        if (!link.keyboard.plugged()) {
            link.keyboard.plug();
        }
        link.device.close();
        link.interfaceOpen = link.openConfiguration() ? 1 : 0;
    }

    Files files() const {
        Files out;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dataHome.path())) {
            if (entry.is_regular_file()) {
                out[std::filesystem::relative(entry.path(), dataHome.path()).string()] =
                    readFileBytes(entry.path(), 1 << 20).value_or(std::vector<std::uint8_t>{});
            }
        }
        return out;
    }

    std::vector<std::uint8_t> keyboardBytes() const {
        return sim::serializeMemory(link.keyboard.memory());
    }
};

struct Sequence {
    const char* name;
    // True when the sequence reports its failures to the user itself.
    bool talksToUser;
    std::function<void(Rig&)> prepare; // what the user did first (no keyboard traffic)
    std::function<int(Rig&)> run;
};

void editKey(Rig& rig, int profile) {
    std::lock_guard guard(rig.config.lock);
    KeyEntry* e = rig.config.entry(profile, KeyIndexOf(0x30));
    e->type = KeyEntryType::KeyDisabled;
    e->value = 0;
    rig.config.macros.back().setName(u"renamed");
}

std::vector<Sequence> sequences() {
    std::vector<Sequence> list;
    list.push_back({"refresh", true, [](Rig&) {},
                    [](Rig& r) {
                        bool read = false;
                        RefreshFromKeyboard(r.context, &read);
                        return read ? 1 : 0;
                    }});
    list.push_back({"apply active profile", true,
                    [](Rig& r) {
                        editKey(r, 1);
                        r.modified.set();
                    },
                    [](Rig& r) { return ApplyConfiguration(r.context, nullptr); }});
    list.push_back({"apply all profiles", true,
                    [](Rig& r) {
                        editKey(r, 0);
                        editKey(r, 2);
                        r.modified.setAllProfiles();
                    },
                    [](Rig& r) { return ApplyConfiguration(r.context, nullptr); }});
    list.push_back(
        {"import", true,
         [](Rig& r) {
             ConfigImage other;
             other.createDefaultBlock();
             MacroRecord macro;
             macro.setName(u"imported");
             macro.macroId = 9;
             macro.repeatCount = 2;
             macro.actionCount = 2;
             macro.actions[0] = {10, 0x2C, 0};
             macro.actions[1] = {10, 0x2C, 1};
             other.macros.push_back(macro);
             std::lock_guard guard(other.lock);
             ASSERT_EQ(WriteProfileFile(other, r.elsewhere / "saved.fwc"), 1);
         },
         [](Rig& r) { return ImportProfileFile(r.context, r.elsewhere / "saved.fwc"); }});
    list.push_back({"profile switch", false, [](Rig&) {},
                    [](Rig& r) {
                        ProfileSwitcher switcher(r.context, {});
                        switcher.SelectProfile(2);
                        return r.keyboard.currentProfile.load() == 2 ? 1 : 0;
                    }});
    const auto lighting = [](Rig& r) {
        return LightingModel(r.link.transport, ViewSettingsFilePath(r.dataHome.path()));
    };
    list.push_back({"lighting read", false, [](Rig&) {},
                    [lighting](Rig& r) { return lighting(r).ReadLighting() == 0 ? 1 : 0; }});
    list.push_back({"lighting effect", false, [](Rig&) {},
                    [lighting](Rig& r) { return lighting(r).SelectEffect(2); }});
    list.push_back({"lighting colour", false, [](Rig&) {},
                    [lighting](Rig& r) { return lighting(r).SetColour(0x123456); }});
    list.push_back({"lighting field", false, [](Rig&) {},
                    [lighting](Rig& r) { return lighting(r).SetSwatch(3); }});
    list.push_back({"lighting defaults", false, [](Rig&) {},
                    [lighting](Rig& r) {
                        auto model = lighting(r);
                        if (model.ReadLighting() != 0) {
                            return 0;
                        }
                        return model.RestoreDefaultLighting(nullptr, {});
                    }});
    list.push_back({"key colours of a profile", false, [](Rig&) {},
                    [](Rig& r) {
                        KeyColourTable table;
                        for (int i = 0; i < 140; ++i) {
                            table.setColour(1, i, Rgb{static_cast<std::uint8_t>(i), 9, 200});
                        }
                        return WriteProfileKeyColours(r.link.transport, 1, table);
                    }});
    list.push_back({"one key colour", false, [](Rig&) {},
                    [](Rig& r) {
                        return WriteOneKeyColour(r.link.transport, 2, 17, Rgb{1, 2, 3});
                    }});
    return list;
}

// What a fault-free run leaves behind.
struct Outcome {
    std::size_t reports = 0;
    Files files;
    std::vector<std::uint8_t> keyboard;
};

Outcome cleanRun(const Sequence& sequence, Files& before, std::vector<std::uint8_t>& keyboard) {
    Rig rig;
    sequence.prepare(rig);
    before = rig.files();
    keyboard = rig.keyboardBytes();
    rig.link.keyboard.clearLog();
    EXPECT_EQ(sequence.run(rig), 1) << sequence.name;
    EXPECT_TRUE(rig.prompter.messages.empty()) << sequence.name;
    return {rig.reportsSent(), rig.files(), rig.keyboardBytes()};
}

// Every file is the old or the new one, whole; none is left half-written beside them.
void expectWholeFiles(const Files& now, const Files& before, const Files& after) {
    for (const auto& [name, bytes] : now) {
        const auto old = before.find(name);
        const auto fresh = after.find(name);
        const bool isOld = old != before.end() && old->second == bytes;
        const bool isNew = fresh != after.end() && fresh->second == bytes;
        EXPECT_TRUE(isOld || isNew) << name << " is neither the old nor the new file";
    }
    for (const auto& [name, bytes] : before) {
        EXPECT_TRUE(now.count(name) || !after.count(name)) << name << " was lost";
    }
}

// One test per sequence, so each stays well inside the per-test limit under
// the sanitizers and they run side by side.
class FaultMatrix : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FaultMatrix, EveryReportEveryFault) {
    std::size_t cases = 0;
    std::size_t positions = 0;
    const auto list = sequences();
    {
        const Sequence& sequence = list.at(GetParam());
        Files filesBefore;
        std::vector<std::uint8_t> keyboardBefore;
        const Outcome clean = cleanRun(sequence, filesBefore, keyboardBefore);
        ASSERT_GT(clean.reports, 0u) << sequence.name;
        positions += clean.reports;
        for (int k = 1; k <= static_cast<int>(clean.reports); ++k) {
            for (const Fault fault : kFaults) {
                SCOPED_TRACE(std::string(sequence.name) + ", keyboard " + nameOf(fault) +
                             " at report " + std::to_string(k));
                ++cases;
                Rig rig;
                sequence.prepare(rig);
                rig.arm(fault, k);
                const int result = sequence.run(rig);
                rig.recover();

                // Success is only told when everything was done (a read whose
                // closing report failed still has all its data).
                if (result == 1) {
                    EXPECT_EQ(rig.keyboardBytes(), clean.keyboard) << "reported done, but is not";
                }
                const auto& messages = rig.prompter.messages;
                EXPECT_LE(messages.size(), 1u) << (messages.empty() ? "" : messages.back());
                if (sequence.talksToUser && result != 1) {
                    EXPECT_EQ(messages.size(), 1u);
                }
                expectWholeFiles(rig.files(), filesBefore, clean.files);

                const auto keyboardNow = rig.keyboardBytes();
                ASSERT_EQ(keyboardNow.size(), keyboardBefore.size());
                for (std::size_t i = 0; i < keyboardNow.size(); ++i) {
                    // A byte the sequence was not asked to change keeps its value.
                    if (keyboardNow[i] != keyboardBefore[i] &&
                        clean.keyboard[i] == keyboardBefore[i]) {
                        ADD_FAILURE() << "keyboard byte " << i << " changed, but was not asked to";
                        break;
                    }
                }

                // Back again: the keyboard reads as one image that a write and a
                // second read leave as it is.
                rig.prompter.messages.clear();
                bool read = false;
                RefreshFromKeyboard(rig.context, &read);
                ASSERT_TRUE(read);
                const auto config1 = readFileBytes(rig.context.configFile(), 1 << 20);
                {
                    std::lock_guard guard(rig.config.lock);
                    ASSERT_EQ(BuildDeviceImage(rig.context, true), 1);
                }
                RefreshFromKeyboard(rig.context, &read);
                ASSERT_TRUE(read);
                EXPECT_EQ(readFileBytes(rig.context.configFile(), 1 << 20), config1);
                EXPECT_TRUE(rig.prompter.messages.empty());
            }
        }
    }
    std::cout << "fault matrix, " << list.at(GetParam()).name << ": " << positions
              << " report positions x " << std::size(kFaults) << " fault kinds = " << cases
              << " cases\n";
    ::testing::Test::RecordProperty("cases", static_cast<int>(cases));
}

INSTANTIATE_TEST_SUITE_P(EverySequence, FaultMatrix,
                         ::testing::Range<std::size_t>(0, sequences().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& sequence) {
                             std::string name = sequences().at(sequence.param).name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

} // namespace
} // namespace kw
