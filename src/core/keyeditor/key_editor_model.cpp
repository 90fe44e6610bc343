#include "core/keyeditor/key_editor_model.h"

#include "core/keyeditor/mouse_functions.h"
#include "core/keys/media_keys.h"
#include "core/macros/decimal_text.h"

#include <mutex>

namespace kw {
namespace {

std::uint16_t editKindOfTab(EditorTab tab) {
    switch (tab) {
    case EditorTab::Key:
        return kEditSingle;
    case EditorTab::Macro:
        return kEditMacro;
    case EditorTab::Media:
        return kEditMedia;
    case EditorTab::Function:
        return kEditFunction;
    }
    return kEditSingle;
}

} // namespace

KeyEditorModel::KeyEditorModel(ConfigImage& config, const Language& language, Prompter& prompter,
                               std::function<std::uint32_t()> clock)
    : config_(config), macros_(config, language, prompter), recorder_(macros_, std::move(clock)) {}

std::optional<ShowKindView> KeyEditorModel::Start(const EditorSelection& selection, int profile) {
    const int group = profile + selection.groupOffset;
    if (profile < 0 || group >= kProfileCount) {
        return std::nullopt;
    }
    state_ = KeyEditorState{};
    state_.selection = selection;
    state_.profile = group;
    state_.openCount = 1;
    macros_.LoadMacroList();
    macros_.clearUnappliedChanges();
    state_.firstMacroTabSwitch = true;
    {
        std::lock_guard guard(config_.lock);
        if (const KeyEntry* entry = config_.entry(group, selection.keyIndex)) {
            state_.editKind = static_cast<std::uint16_t>(entry->type);
            state_.storedValue = entry->value;
        }
    }
    if (selection.macroEditMode) {
        state_.editKind = kEditMacro;
    }
    state_.capturedCode = kNoKey;
    ShowKindView view = show(true);
    state_.unappliedChanges = false;
    return view;
}

ShowKindView KeyEditorModel::show(bool fromStart) {
    ShowKindResult result = ShowKind(state_, fromStart, macros_.macros());
    state_ = result.state;
    if (result.view.stopRecording) {
        recorder_.Stop();
        state_.recording = false;
    }
    if (result.view.makeMacroCurrent) {
        macros_.SelectMacro(result.view.currentMacro);
    }
    return result.view;
}

ShowKindView KeyEditorModel::View() const {
    return ShowKind(state_, false, macros_.macros()).view;
}

std::optional<ShowKindView> KeyEditorModel::TabClicked(EditorTab tab) {
    const std::uint16_t kind = editKindOfTab(tab);
    // The key tab is already up for the default and for kinds this editor
    // does not edit; only another tab's kind switches to it.
    if (tab == EditorTab::Key &&
        (state_.editKind == kEditDefault || state_.editKind == kEditSingle)) {
        return std::nullopt;
    }
    if (state_.editKind == kind) {
        return std::nullopt;
    }
    state_.editKind = kind;
    state_.unappliedChanges = true;
    return show(false);
}

ShowKindView KeyEditorModel::ClearClicked() {
    TabClicked(EditorTab::Key);
    if (state_.editKind == kEditSingle) {
        state_.capturedCode = kNoKey;
        state_.editKind = kEditDefault;
        state_.mouseMode = false;
        // The key will get its default back: that is a change to apply.
        state_.unappliedChanges = true;
    }
    return show(false);
}

void KeyEditorModel::setMode(bool mouse) {
    // Choosing the other half of the pair changes what a commit stores.
    if (state_.mouseMode != mouse || state_.editKind != kEditSingle) {
        state_.unappliedChanges = true;
    }
    state_.mouseMode = mouse;
    state_.editKind = kEditSingle;
}

ShowKindView KeyEditorModel::KeyboardModeClicked() {
    setMode(false);
    return show(false);
}

ShowKindView KeyEditorModel::MouseModeClicked() {
    setMode(true);
    return show(false);
}

void KeyEditorModel::MouseFunctionChosen(int position) {
    if (position >= 0 && position < kMouseFunctionCount && position != state_.mousePosition) {
        state_.mousePosition = position;
        state_.unappliedChanges = true;
    }
}

void KeyEditorModel::MediaFunctionChosen(int position) {
    if (position >= 0 && position < kMediaKeyCount && position != state_.mediaPosition) {
        state_.mediaPosition = position;
        state_.unappliedChanges = true;
    }
}

void KeyEditorModel::KeyboardFunctionChosen(int position) {
    if (position >= 0 && position < kFunctionKeyCount && position != state_.functionPosition) {
        state_.functionPosition = position;
        state_.unappliedChanges = true;
    }
}

void KeyEditorModel::MacroChosen(int index) {
    if (index == macros_.currentMacro()) {
        return;
    }
    macros_.SelectMacro(index);
    state_.unappliedChanges = true;
}

const std::string& KeyEditorModel::CyclesEdited(std::string_view text) {
    return macros_.SetCycles(text);
}

CaptureDecision KeyEditorModel::KeyEvent(const KeyStroke& stroke) {
    const CaptureDecision decision = DecideCapture(stroke, state_.mouseMode);
    if (decision.take) {
        state_.capturedCode = stroke.code;
        state_.editKind = kEditSingle;
        state_.unappliedChanges = true;
    }
    return decision;
}

void KeyEditorModel::ToggleRecording() {
    recorder_.Toggle();
    state_.recording = recorder_.recording();
}

KeyCommitResult KeyEditorModel::Commit() {
    KeyCommitResult result;
    recorder_.Stop();
    state_.recording = false;
    result.macros = CommitMacroList(macros_);

    const int keyIndex = state_.selection.keyIndex;
    const std::size_t number = entryNumber(state_.profile, keyIndex);
    KeyEntry entry;
    entry.type = static_cast<KeyEntryType>(state_.editKind);
    entry.keyId = gKeyIdentity(keyIndex);
    entry.value = 0;
    switch (state_.editKind) {
    case kEditSingle:
        if (state_.mouseMode) {
            entry.value = MouseCodeOfPosition(state_.mousePosition);
        } else {
            entry.value = state_.capturedCode;
            // A key given its own code is simply the key again.
            if (state_.capturedCode == kNoKey || KeyIndexOf(state_.capturedCode) == keyIndex) {
                entry.type = KeyEntryType::KeyDefault;
            }
        }
        break;
    case kEditMacro:
        if (macros_.macros().empty()) {
            entry.type = KeyEntryType::KeyDefault;
        } else {
            const int current = macros_.currentMacro();
            entry.value =
                current < 0 ? 0 : macros_.macros()[static_cast<std::size_t>(current)].macroId;
            // A macro key's keyId is its cycle count (a G-key's identity gives way).
            entry.keyId =
                static_cast<std::uint16_t>(ParseDecimal(macros_.cyclesText()).value_or(1));
        }
        break;
    case kEditMedia:
        entry.value = static_cast<std::uint32_t>(state_.mediaPosition);
        break;
    case kEditFunction:
        entry.value = static_cast<std::uint32_t>(state_.functionPosition);
        break;
    default:
        break;
    }
    {
        std::lock_guard guard(config_.lock);
        config_.clearString(number);
        if (KeyEntry* target = config_.entry(state_.profile, keyIndex)) {
            target->type = entry.type;
            target->keyId = entry.keyId;
            target->value = entry.value;
            entry.mark = target->mark;
            entry.extra = target->extra;
        }
    }
    result.entry = entry;
    result.entryNumber = number;
    result.marked = entry.type != KeyEntryType::KeyDefault;
    state_.unappliedChanges = false;
    macros_.clearUnappliedChanges();
    return result;
}

void KeyEditorModel::Close() {
    if (!state_.isOpen()) {
        return;
    }
    recorder_.Stop();
    state_.recording = false;
    state_.unappliedChanges = false;
    macros_.Release();
    state_.openCount -= 1;
}

bool KeyEditorModel::unappliedChanges() const {
    return state_.unappliedChanges || macros_.unappliedChanges();
}

} // namespace kw
