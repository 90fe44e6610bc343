#include "core/keyeditor/show_kind.h"

#include "core/keyeditor/mouse_functions.h"
#include "core/keys/media_keys.h"

namespace kw {
namespace {

int macroIndexOfId(std::span<const MacroRecord> macros, std::uint16_t macroId) {
    for (std::size_t i = 0; i < macros.size(); ++i) {
        if (macros[i].macroId == macroId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int clampedPosition(std::uint32_t value, int count) {
    return value < static_cast<std::uint32_t>(count) ? static_cast<int>(value) : 0;
}

void showMacroTab(KeyEditorState& s, ShowKindView& v, bool fromStart,
                  std::span<const MacroRecord> macros) {
    v.tab = EditorTab::Macro;
    v.maskSet = PageSet::Macro;
    v.macroControls = true;
    if (fromStart) {
        if (macros.empty()) {
            return;
        }
        const auto id = static_cast<std::uint16_t>(s.storedValue & 0xFFFF);
        const int index = s.storedValue == 0 ? -1 : macroIndexOfId(macros, id);
        v.makeMacroCurrent = true;
        v.currentMacro = index < 0 ? 0 : index;
    } else if (s.firstMacroTabSwitch) {
        // Spent even on an empty list: macros added meanwhile must not lose
        // their selection to the first one on a later switch.
        s.firstMacroTabSwitch = false;
        if (s.storedValue == 0 && !macros.empty()) {
            v.makeMacroCurrent = true;
            v.currentMacro = 0;
        }
    }
}

void showSingleKeyTab(KeyEditorState& s, ShowKindView& v, bool fromStart) {
    v.tab = EditorTab::Key;
    v.maskSet = PageSet::Key;
    v.stopRecording = true;
    v.captureKeys = true;
    v.singleKeyControls = true;
    v.focus = EditorFocus::KeyInput;
    if (fromStart) {
        s.capturedCode = static_cast<KeyCode>(s.storedValue);
        if (s.editKind == kEditSingle) {
            const int mouse = MousePositionOfCode(s.capturedCode);
            s.mouseMode = mouse >= 0;
            if (mouse >= 0) {
                s.mousePosition = mouse;
            }
        } else {
            // Any other kind's value is no key code: the key edit starts empty.
            s.mouseMode = false;
            s.capturedCode = kNoKey;
        }
    }
    v.mouseMode = s.mouseMode;
    v.showKeyName = !s.mouseMode && s.capturedCode != kNoKey;
    v.keyNameCode = v.showKeyName ? s.capturedCode : kNoKey;
}

} // namespace

ShowKindResult ShowKind(const KeyEditorState& state, bool fromStart,
                        std::span<const MacroRecord> macros) {
    ShowKindResult result{state, {}};
    KeyEditorState& s = result.state;
    ShowKindView& v = result.view;
    switch (s.editKind) {
    case kEditMacro:
        showMacroTab(s, v, fromStart, macros);
        break;
    case kEditMedia:
        v.tab = EditorTab::Media;
        v.maskSet = PageSet::Media;
        v.stopRecording = true;
        v.mediaControls = true;
        v.focus = EditorFocus::MediaList;
        if (fromStart) {
            s.mediaPosition = clampedPosition(s.storedValue, kMediaKeyCount);
        }
        break;
    case kEditFunction:
        v.tab = EditorTab::Function;
        v.maskSet = PageSet::Function;
        v.stopRecording = true;
        v.functionControls = true;
        v.focus = EditorFocus::FunctionList;
        if (fromStart) {
            s.functionPosition = clampedPosition(s.storedValue, kFunctionKeyCount);
        }
        break;
    default:
        showSingleKeyTab(s, v, fromStart);
        break;
    }
    v.mousePosition = s.mousePosition;
    v.mediaPosition = s.mediaPosition;
    v.functionPosition = s.functionPosition;
    v.tabMarks[static_cast<std::size_t>(v.tab)] = true;
    if (s.recording && v.stopRecording) {
        s.recording = false;
    }
    return result;
}

} // namespace kw
