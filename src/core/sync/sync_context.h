#pragma once
// What the refresh, the apply and the profile operations work on: the link to
// the keyboard and what the connection learnt about it, both configuration
// images, the window's modified flag and undo history, the user's answers and
// the texts.

#include "core/base/prompter.h"
#include "core/config/config_image.h"
#include "core/device/keyboard_state.h"
#include "core/device/transport.h"
#include "core/skin/language.h"
#include "core/sync/modified_flag.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace kw {

class EditHistory;

struct SyncContext {
    Transport& transport;
    KeyboardState& keyboard;
    ConfigImage& config;
    DeviceImage& device;
    ModifiedFlag& modified;
    Prompter& prompter;
    const Language& language;
    std::filesystem::path dataHome;
    std::filesystem::path programFolder;
    // Redraws the window's key buttons from the image; empty when there is no window.
    std::function<void()> refreshKeyButtons;
    // The window's undo history; null when there is no window.
    EditHistory* history = nullptr;

    // The configuration file (making sure the data folder exists).
    std::filesystem::path configFile() const;
    void showText(std::string_view key) const { prompter.showMessage(language.text(key)); }
    // "KEYBOARD_BUSY", naming who kept the keyboard when that is known.
    void showKeyboardBusy(const std::string& holder) const;
    void redrawKeys() const {
        if (refreshKeyButtons) {
            refreshKeyButtons();
        }
    }
    // One committed edit becomes an undo step.
    void recordEdit() const;
    // The image now matches the keyboard or a file: earlier steps no longer apply.
    void forgetEdits() const;
};

} // namespace kw
