#include "core/profiles/profile_manager.h"

#include "core/base/ini_file.h"
#include "core/base/text.h"
#include "core/config/config_block.h"
#include "core/config/profile_file.h"
#include "core/skin/text_keys.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "core/sync/profile_switch.h"

#include <charconv>
#include <string>

namespace kw {

namespace {

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// "PROFILE" followed by the number, at least two digits.
std::string entryName(int number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 2) {
        digits.insert(0, 2 - digits.size(), '0');
    }
    return std::string(kProfileListPrefix) + digits;
}

// The number of a list entry, or -1 for a key that is not one.
int entryNumber(std::string_view key) {
    if (key.size() <= kProfileListPrefix.size() ||
        !equalsIgnoreCase(key.substr(0, kProfileListPrefix.size()), kProfileListPrefix)) {
        return -1;
    }
    const std::string_view digits = key.substr(kProfileListPrefix.size());
    int number = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return ec == std::errc() && end == digits.data() + digits.size() ? number : -1;
}

} // namespace

ProfileManagerModel::ProfileManagerModel(SyncContext& context, SettingsStore& settings)
    : context_(context), settings_(settings) {}

void ProfileManagerModel::Open() {
    rows_.assign(kProfileCount, context_.configFile());
    const int profile = context_.keyboard.currentProfile.load();
    activeRow_ = validRow(profile) ? profile : -1;
    unapplied_ = false;
}

int ProfileManagerModel::New(const std::filesystem::path& file) {
    if (WriteNewProfileFile(file) != 1) {
        return 0;
    }
    rows_.push_back(file);
    unapplied_ = true;
    return 1;
}

void ProfileManagerModel::Load(const std::filesystem::path& file) {
    rows_.push_back(file);
    unapplied_ = true;
}

void ProfileManagerModel::Delete(int row) {
    if (!validRow(row)) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (activeRow_ == row) {
        activeRow_ = -1;
    } else if (activeRow_ > row) {
        --activeRow_;
    }
    unapplied_ = true;
}

void ProfileManagerModel::MarkActive(int row) {
    if ((row != -1 && !validRow(row)) || row == activeRow_) {
        return;
    }
    activeRow_ = row;
    unapplied_ = true;
}

int ProfileManagerModel::Apply() {
    // Mends a fault in the dialog's design: the re-read below replaces the
    // image with the keyboard's and silently dropped the window's unapplied
    // edits. The user now decides first, as a profile switch asks.
    const bool ask = context_.modified.isSet();
    const bool applyEdits =
        ask && context_.prompter.askYesNo(context_.language.text(text_keys::PROFILE_SELECT_PROMPT));
    // Apply, switch and re-read are one sequence, taken after the question.
    KeyboardLockGuard held(context_.transport.sequenceLock());
    if (!held.held()) {
        context_.showKeyboardBusy(held.holder());
        return 0;
    }
    if (ask) {
        if (applyEdits) {
            if (ApplyConfiguration(context_, nullptr) != 1) {
                return 0; // the edits are not on the keyboard yet: keep them
            }
        } else {
            DiscardUnappliedEdits(context_);
        }
    }
    writeStoredList();
    if (activeRow_ >= 0 && activeRow_ < kProfileCount) {
        SetActiveProfile(context_.transport, context_.keyboard, activeRow_);
    }
    bool fromKeyboard = false;
    RefreshFromKeyboard(context_, &fromKeyboard); // redraws the keys
    unapplied_ = false;
    context_.modified.clear();
    return fromKeyboard ? 1 : 0;
}

void ProfileManagerModel::ProfileSelected(int profile) {
    activeRow_ = validRow(profile) ? profile : -1;
    unapplied_ = false;
}

ProfileRowText ProfileManagerModel::rowText(int row) const {
    if (!validRow(row)) {
        return {};
    }
    const std::filesystem::path& file = rows_[static_cast<std::size_t>(row)];
    return {utf8(file.stem()), utf8(file.parent_path())};
}

void ProfileManagerModel::writeStoredList() {
    const int count = rowCount();
    for (int i = 0; i < count; ++i) {
        settings_.writeProfileString(kProfileListSection, entryName(i + 1),
                                     utf8(rows_[static_cast<std::size_t>(i)]));
    }
    settings_.writeProfileString(kProfileListSection, entryName(0), std::to_string(count));
    // An earlier, longer list would otherwise still name rows that were deleted.
    const auto keys = IniDocument::load(settings_.file()).keys(kProfileListSection);
    for (const std::string& key : keys) {
        if (entryNumber(key) > count) {
            deleteProfileKey(settings_.file(), kProfileListSection, key);
        }
    }
}

} // namespace kw
