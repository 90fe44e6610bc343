#pragma once
// What every configuration command needs: the keyboard opened from the
// global options and connected as the program connects it (factory key
// table, macro capacity, the configuration refreshed from the keyboard),
// both configuration images, the language texts, and a prompter that prints
// the core's messages on stderr and answers its questions with --yes or No.
// The simulated keyboard's state file is saved when the session ends.

#include "cli/cli.h"
#include "cli/device_session.h"
#include "core/base/prompter.h"
#include "core/base/settings_store.h"
#include "core/config/config_image.h"
#include "core/device/keyboard_state.h"
#include "core/skin/language.h"
#include "core/sync/modified_flag.h"
#include "core/sync/sync_context.h"

#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw::cli {

// Messages go to stderr; a question is printed with the answer it gets.
class CliPrompter : public Prompter {
public:
    CliPrompter(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}
    bool askYesNo(const std::string& text) override;
    void showMessage(const std::string& text) override;

    // Every message shown, in order.
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::ostream& err_;
    bool answerYes_;
    std::vector<std::string> messages_;
};

// Keeps the core's messages instead of printing them and answers No, so a
// command can end with one line that says why it stopped.
class CollectingPrompter : public Prompter {
public:
    bool askYesNo(const std::string& text) override {
        messages.push_back(text);
        return false;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Removes every `flag` from `args`; true when there was one.
bool takeFlag(std::vector<std::string>& args, std::string_view flag);

class CliSession {
public:
    CliSession(Context& context, bool answerYes);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Opens the keyboard and runs the connection sequence; with `refresh` the
    // configuration is then read from the keyboard into the configuration file
    // and the image. kExitOk, or the exit code after a line on stderr.
    int connect(bool refresh = true);

    SyncContext& sync() { return sync_; }
    Transport& transport() { return devices_.transport(); }
    KeyboardState& keyboard() { return keyboard_; }
    ConfigImage& config() { return *config_; }
    DeviceImage& device() { return *device_; }
    ModifiedFlag& modified() { return modified_; }
    const Language& language() const { return language_; }
    CliPrompter& prompter() { return prompter_; }

    // The window's Apply: saves the configuration file and writes the active
    // profile and the macros when the image was modified. kExitOk when done,
    // else a line on stderr and kExitNegative.
    int apply();
    // Saves the configuration file and writes all three profiles and the
    // macros: an edit of a profile that is not active must reach the keyboard
    // too, or the next refresh would take it back. Same results as apply().
    int applyAllProfiles();
    // Saves the simulated keyboard's state file now; false when it cannot be written.
    bool saveState() { return devices_.saveState(); }

private:
    Context& context_;
    DeviceSession devices_;
    SettingsStore settings_;
    Language language_;
    CliPrompter prompter_;
    KeyboardState keyboard_;
    std::unique_ptr<ConfigImage> config_;
    std::unique_ptr<DeviceImage> device_;
    ModifiedFlag modified_;
    SyncContext sync_;
};

} // namespace kw::cli
