#include "core/macros/macro_working_set.h"

#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/keys/key_names.h"
#include "core/keys/key_table.h"
#include "core/macros/decimal_text.h"
#include "core/macros/macro_bindings.h"
#include "core/skin/language.h"
#include "core/skin/text_keys.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <new>
#include <thread>

namespace kw {

namespace {

// Case folding for the name box's prefix search: ASCII and Latin-1 letters,
// enough for the names the language files give new macros.
char16_t foldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    return c;
}

bool startsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char16_t a, char16_t b) { return foldCase(a) == foldCase(b); });
}

} // namespace

std::string ActionKeyText(const MacroAction& action, const Language& language) {
    return KeyNameOf(action.keyCode, language);
}

std::string ActionDirectionText(const MacroAction& action) {
    return action.isRelease == 1 ? "  \u2191" : "\u2193";
}

std::string ActionDelayText(const MacroAction& action) {
    return std::to_string(action.delayMs);
}

MacroWorkingSet::MacroWorkingSet(ConfigImage& config, const Language& language, Prompter& prompter)
    : config_(config), language_(language), prompter_(prompter),
      retryPause_([] { std::this_thread::sleep_for(std::chrono::milliseconds(16)); }) {}

void MacroWorkingSet::LoadMacroList() {
    {
        std::lock_guard guard(config_.lock);
        macros_ = config_.macros;
    }
    for (MacroRecord& m : macros_) {
        m.pendingFlag = 0;
    }
    currentMacro_ = -1;
    rows_.clear();
    selectedRow_ = -1;
}

void MacroWorkingSet::Release() {
    macros_.clear();
    macros_.shrink_to_fit();
    rows_.clear();
    rows_.shrink_to_fit();
    currentMacro_ = -1;
    selectedRow_ = -1;
    cyclesText_ = "1";
    unappliedChanges_ = false;
}

void MacroWorkingSet::SelectMacro(int index) {
    if (index < -1 || index >= static_cast<int>(macros_.size())) {
        return;
    }
    if (currentMacro_ != -1) {
        StoreActions(currentMacro_);
    }
    currentMacro_ = index;
    showCurrentMacro();
}

void MacroWorkingSet::showCurrentMacro() {
    rows_.clear();
    selectedRow_ = -1;
    if (currentMacro() == -1) {
        return;
    }
    const MacroRecord& m = macros_[static_cast<std::size_t>(currentMacro_)];
    cyclesText_ = std::to_string(m.repeatCount);
    for (const MacroAction& a : m.usedActions()) {
        InsertAction(a, InsertOptions{.keepDelay = true});
    }
}

MacroRecord MacroWorkingSet::newRecord(std::u16string_view name) const {
    MacroRecord r;
    r.setName(name);
    r.repeatCount = 1;
    r.pendingFlag = 1;
    r.macroId = smallestFreeMacroId();
    return r;
}

std::uint16_t MacroWorkingSet::smallestFreeMacroId() const {
    for (std::uint16_t id = 1; id <= kMacroIdMax; ++id) {
        if (std::none_of(macros_.begin(), macros_.end(),
                         [id](const MacroRecord& m) { return m.macroId == id; })) {
            return id;
        }
    }
    return 0;
}

bool MacroWorkingSet::someNameStartsWith(std::u16string_view prefix) const {
    return std::any_of(macros_.begin(), macros_.end(), [&](const MacroRecord& m) {
        return startsWithIgnoreCase(m.nameView(), prefix);
    });
}

int MacroWorkingSet::AddMacro() {
    const std::u16string prefix = utf8ToUtf16(language_.text(text_keys::MACRO_NEW_PREFIX));
    std::u16string name;
    for (;;) {
        if (macros_.size() >= kMacroListMax) {
            prompter_.showMessage(Language::formatWithNumber(
                language_.text(text_keys::MACRO_ERR_MAX), kMacroListMax));
            return 0;
        }
        if (macros_.empty()) {
            newMacroCounter_ = 0;
        }
        ++newMacroCounter_;
        name = prefix + utf8ToUtf16(std::to_string(newMacroCounter_));
        // A name that begins an existing one ("Macro 1" before "Macro 10") is
        // skipped; the counter keeps rising, so this ends.
        if (!someNameStartsWith(name)) {
            break;
        }
        retryPause_();
    }
    try {
        MacroRecord record = newRecord(name);
        StoreActions(currentMacro());
        macros_.push_back(std::move(record));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    currentMacro_ = static_cast<int>(macros_.size()) - 1;
    showCurrentMacro();
    unappliedChanges_ = true;
    return 1;
}

void MacroWorkingSet::RenameMacro(std::u16string_view text) {
    if (!macros_.empty()) {
        if (currentMacro_ >= 0) {
            macros_[static_cast<std::size_t>(currentMacro_)].setName(text);
        }
    } else {
        macros_.push_back(newRecord(text));
        currentMacro_ = 0;
        showCurrentMacro();
    }
    unappliedChanges_ = true;
}

bool MacroWorkingSet::ConfirmMacroDelete(const MacroRecord& record) {
    if (record.pendingFlag == 1) {
        return true;
    }
    bool bound = false;
    {
        std::lock_guard guard(config_.lock);
        bound = config_.block && MacroHasBoundKeys(*config_.block, record.macroId);
    }
    return !bound || prompter_.askYesNo(language_.text(text_keys::MACRO_DELETE_CONFIRM_OF_KEYS));
}

int MacroWorkingSet::DeleteMacro() {
    const int index = currentMacro();
    if (index == -1) {
        return 0;
    }
    if (!ConfirmMacroDelete(macros_[static_cast<std::size_t>(index)])) {
        return 0;
    }
    macros_.erase(macros_.begin() + index);
    currentMacro_ = macros_.empty() ? -1 : std::max(index - 1, 0);
    showCurrentMacro();
    unappliedChanges_ = true;
    return 1;
}

void MacroWorkingSet::StoreActions(int index) {
    if (macros_.empty() || index < 0 || index >= static_cast<int>(macros_.size())) {
        return;
    }
    MacroRecord& m = macros_[static_cast<std::size_t>(index)];
    m.repeatCount = static_cast<std::uint8_t>(ParseDecimal(cyclesText_).value_or(0) & 0xFF);
    m.actionCount = static_cast<std::uint16_t>(rows_.size());
    std::copy(rows_.begin(), rows_.end(), m.actions.begin());
    // Slots past the count are not part of the macro; clear what a longer list left there.
    std::fill(m.actions.begin() + static_cast<std::ptrdiff_t>(rows_.size()), m.actions.end(),
              MacroAction{});
}

bool MacroWorkingSet::InsertAction(const MacroAction& given, InsertOptions options) {
    if (currentMacro() == -1 || rows_.size() >= kMacroActionsMax) {
        return false;
    }
    MacroAction action = given;
    if (action.isRelease > 1) {
        action.isRelease = 0;
    }
    std::size_t at = rows_.size();
    if (options.afterSelection && selectedRow_ >= 0) {
        at = static_cast<std::size_t>(selectedRow_) + 1;
    }
    if (!options.keepDelay) {
        // A delay is the pause after its row: the row before takes the offered
        // pause and hands its own trailing pause to the new row.
        if (at == 0) {
            action.delayMs = 0;
        } else {
            std::swap(action.delayMs, rows_[at - 1].delayMs);
        }
    }
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), action);
    if (options.grey) {
        selectedRow_ = static_cast<int>(at);
    } else if (selectedRow_ >= static_cast<int>(at)) {
        ++selectedRow_; // the selection stays on its row
    }
    if (options.markChanged) {
        unappliedChanges_ = true;
    }
    return true;
}

void MacroWorkingSet::SelectRow(int row) {
    if (row >= -1 && row < static_cast<int>(rows_.size())) {
        selectedRow_ = row;
    }
}

MacroAction* MacroWorkingSet::selectedAction() {
    if (selectedRow_ < 0 || selectedRow_ >= static_cast<int>(rows_.size())) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(selectedRow_)];
}

void MacroWorkingSet::DeleteAction() {
    if (selectedAction() == nullptr) {
        return;
    }
    rows_.erase(rows_.begin() + selectedRow_);
    selectedRow_ = -1;
    unappliedChanges_ = true;
}

void MacroWorkingSet::ClearActions() {
    if (rows_.empty()) {
        return;
    }
    if (!prompter_.askYesNo(language_.text(text_keys::MACRO_ACTION_CLEAR_CONFIRM))) {
        return;
    }
    rows_.clear();
    selectedRow_ = -1;
    unappliedChanges_ = true;
}

void MacroWorkingSet::MoveAction(MoveTarget target) {
    if (selectedAction() == nullptr) {
        return;
    }
    const int from = selectedRow_;
    const int last = static_cast<int>(rows_.size()) - 1;
    int to = from;
    switch (target) {
    case MoveTarget::Top:
        to = 0;
        break;
    case MoveTarget::Up:
        to = from - 1;
        break;
    case MoveTarget::Down:
        to = from + 1;
        break;
    case MoveTarget::Bottom:
        to = last;
        break;
    }
    to = std::clamp(to, 0, last);
    const MacroAction moved = rows_[static_cast<std::size_t>(from)];
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, moved);
    selectedRow_ = to;
    unappliedChanges_ = true;
}

bool MacroWorkingSet::BeginCellEdit(int column) {
    if (column < 0 || column > 2) {
        prompter_.showMessage(language_.text(text_keys::MACRO_ACTION_ERR_MODIFY));
        return false;
    }
    return selectedAction() != nullptr;
}

bool MacroWorkingSet::EditKeyCell(int listPosition) {
    MacroAction* action = selectedAction();
    if (action == nullptr || listPosition < 0 || listPosition >= kKeyListSize ||
        listPosition == ListPositionOf(action->keyCode)) {
        return false;
    }
    action->keyCode = KeyCodeOfListPosition(static_cast<std::uint16_t>(listPosition));
    unappliedChanges_ = true;
    return true;
}

bool MacroWorkingSet::EditDirectionCell(int choice) {
    MacroAction* action = selectedAction();
    if (action == nullptr || (choice != 0 && choice != 1) || choice == action->isRelease) {
        return false;
    }
    action->isRelease = static_cast<std::uint16_t>(choice);
    unappliedChanges_ = true;
    return true;
}

bool MacroWorkingSet::EditDelayCell(std::string_view text) {
    MacroAction* action = selectedAction();
    const std::optional<long long> typed = ParseDecimal(text);
    if (action == nullptr || !typed) {
        return false; // an empty (or garbled) text changes nothing
    }
    long long value = *typed;
    if (value < 0 || value > kTypedDelayMaxMs) {
        prompter_.showMessage(Language::formatWithNumber(
            language_.text(text_keys::MACRO_ACTION_ERR_DELAY_MAX), kTypedDelayMaxMs));
        value = kTypedDelayMaxMs;
    }
    action->delayMs = static_cast<std::uint32_t>(value - value % kTypedDelayStepMs);
    unappliedChanges_ = true;
    return true;
}

const std::string& MacroWorkingSet::SetCycles(std::string_view text) {
    const long long n = ParseDecimal(text).value_or(0);
    if (n <= 0 || n > kCyclesMax) {
        cyclesText_ = std::to_string(std::clamp<long long>(n, 1, kCyclesMax));
    } else {
        cyclesText_.assign(text);
    }
    unappliedChanges_ = true;
    return cyclesText_;
}

void MacroWorkingSet::markCommitted() {
    for (MacroRecord& m : macros_) {
        m.pendingFlag = 0;
    }
}

} // namespace kw
