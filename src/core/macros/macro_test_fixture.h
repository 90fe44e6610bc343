#pragma once
// An editor's surroundings for the macro tests: a configuration image with a
// default block, language texts that say which message was shown, and a user
// whose answers are scripted.

#include "core/base/prompter.h"
#include "core/base/settings_store.h"
#include "core/base/text.h"
#include "core/config/config_image.h"
#include "core/macros/macro_working_set.h"
#include "core/skin/language.h"
#include "testsupport/scripted_prompter.h"
#include "testsupport/temp_dir.h"

#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw::testing {

// A stored macro as the image holds it after a load or a commit.
inline MacroRecord StoredMacro(std::u16string_view name, std::uint16_t id,
                               std::vector<MacroAction> actions = {}) {
    MacroRecord m;
    m.setName(name);
    m.macroId = id;
    m.repeatCount = 1;
    m.actionCount = static_cast<std::uint16_t>(actions.size());
    std::copy(actions.begin(), actions.end(), m.actions.begin());
    return m;
}

class MacroTest : public ::testing::Test {
protected:
    MacroTest() {
        std::ofstream(folder / "Lang0409.ini", std::ios::binary)
            << "[TEXT]\n"
               "MACRO_NEW_PREFIX=\"Macro \"\n"
               "MACRO_ERR_MAX=at most %d macros\n"
               "MACRO_ACTION_ERR_DELAY_MAX=at most %d ms\n"
               "MACRO_DELETE_CONFIRM_OF_KEYS=MACRO_DELETE_CONFIRM_OF_KEYS\n"
               "MACRO_ACTION_CLEAR_CONFIRM=MACRO_ACTION_CLEAR_CONFIRM\n"
               "MACRO_ACTION_ERR_MODIFY=MACRO_ACTION_ERR_MODIFY\n"
               "IDS_KEYBOARD_A=A\n";
        config.createDefaultBlock();
        set.setRetryPause([this] { ++retryPauses; });
    }

    void bindKey(int group, int keyIndex, std::uint32_t macroId) {
        KeyEntry& e = *config.entry(group, keyIndex);
        e.type = KeyEntryType::KeyMacro;
        e.value = macroId;
    }

    std::vector<std::u16string> names() const {
        std::vector<std::u16string> out;
        for (const MacroRecord& m : set.macros()) {
            out.emplace_back(m.nameView());
        }
        return out;
    }

    TempDir folder;
    SettingsStore settings{folder / "settings.ini"};
    Language language{folder.path(), settings, [] { return std::uint16_t{1033}; }};
    ScriptedPrompter user;
    ConfigImage config;
    MacroWorkingSet set{config, language, user};
    int retryPauses = 0;
};

} // namespace kw::testing
