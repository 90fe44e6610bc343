#pragma once
// A simulated keyboard connected in-process, both images, a scripted user
// and language texts that are their own keys: what the sync tests start from.

#include "core/base/atomic_file.h"
#include "core/base/prompter.h"
#include "core/base/settings_store.h"
#include "core/config/config_file.h"
#include "core/device/commands.h"
#include "core/sync/sync_context.h"
#include "sim/sim_link.h"
#include "testsupport/scripted_prompter.h"
#include "testsupport/temp_dir.h"

#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw::testing {

// One command report as the keyboard received it.
struct SentReport {
    std::uint8_t command = 0;
    std::uint8_t length = 0;
    std::uint16_t offset = 0;
    std::vector<std::uint8_t> payload;
};

class SyncTest : public ::testing::Test {
protected:
    SyncTest() {
        // Each text is its own key, so tests see which message was shown.
        std::string texts = "[TEXT]\nMACRO_NEW_PREFIX=Macro\n";
        for (const char* key :
             {"EXTRA_MACRO_TOO_LONG", "EXTRA_PROFILE_SPACE_TIGHT", "PROFILE_SELECT_PROMPT",
              "PROFILE_SEELCT_PROMPT2", "MAIN_PROMPT_INPORT", "PROFILE_FORMAT_ERROR",
              "KEYBOARD_CHANGED_NOT_APPLIED"}) {
            texts += std::string(key) + "=" + key + "\n";
        }
        EXPECT_TRUE(writeFileAtomically(programFolder / "Lang0409.ini", texts));
        keyboard.defaultMatrix.replace(factoryMatrix());
        keyboard.macroCapacity = link.keyboard.memory().info.macroCapacityBytes();
    }

    KeyMatrix factoryMatrix() const {
        KeyMatrix matrix{};
        keyMatrixFromBytes(link.keyboard.memory().defaultMatrix, matrix);
        return matrix;
    }

    // Creates the configuration file from the image, as a refresh would have.
    void saveConfigurationFile() {
        ASSERT_EQ(WriteConfigurationFile(config, context.configFile()), 1);
    }

    std::vector<SentReport> sent() const {
        std::vector<SentReport> reports;
        for (const auto& bytes : link.written()) {
            SentReport r;
            r.command = bytes[3];
            r.length = bytes[4];
            r.offset = static_cast<std::uint16_t>(bytes[5] | bytes[6] << 8);
            r.payload.assign(bytes.begin() + 8,
                             bytes.begin() + 8 + std::min<std::size_t>(r.length, 56));
            reports.push_back(std::move(r));
        }
        return reports;
    }

    std::vector<std::uint8_t> commands() const {
        std::vector<std::uint8_t> codes;
        for (const auto& r : sent()) {
            codes.push_back(r.command);
        }
        return codes;
    }

    // The bytes the keyboard received for one command, in order of their offsets.
    std::vector<std::uint8_t> payloadOf(std::uint8_t command) const {
        std::vector<std::uint8_t> bytes;
        for (const auto& r : sent()) {
            if (r.command == command) {
                bytes.insert(bytes.end(), r.payload.begin(), r.payload.end());
            }
        }
        return bytes;
    }

    TempDir programFolder;
    TempDir dataHome;
    TempDir settingsFolder;
    SettingsStore settings{settingsFolder / "settings.ini"};
    Language language{programFolder.path(), settings, [] { return std::uint16_t{1033}; }};
    sim::SimLink link{sim::KeyboardMemory::factory(), TransportTimings{200, 100, 2, 0}};
    KeyboardState keyboard;
    ConfigImage config;
    DeviceImage device;
    ModifiedFlag modified;
    ScriptedPrompter prompter;
    int keyRedraws = 0;
    SyncContext context{link.transport,
                        keyboard,
                        config,
                        device,
                        modified,
                        prompter,
                        language,
                        dataHome.path(),
                        programFolder.path(),
                        [this] { ++keyRedraws; }};
};

} // namespace kw::testing
