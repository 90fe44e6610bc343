#pragma once
// The key editor's state and which tab it shows for it. ShowKind is a pure
// decision: given the state it says which page is up, which controls show,
// what the single-key tab's controls hold and which macro becomes current,
// and returns the state as the decision leaves it.

#include "core/config/macro_record.h"
#include "core/keyeditor/editor_selection.h"
#include "core/keys/key_codes.h"

#include <array>
#include <cstdint>
#include <span>

namespace kw {

// The kinds a commit stores (KeyEntryType values); anything else read from an
// entry shows the single-key tab and is stored unchanged.
inline constexpr std::uint16_t kEditDefault = 0;
inline constexpr std::uint16_t kEditSingle = 2;
inline constexpr std::uint16_t kEditMacro = 4;
inline constexpr std::uint16_t kEditMedia = 7;
inline constexpr std::uint16_t kEditFunction = 8;

enum class EditorTab { Key, Macro, Media, Function };
// The picture sets of the page area; Macro2 is the tab strip of macro-edit mode.
enum class PageSet { Key, Macro, Macro2, Media, Function };
// The control of the shown tab that gets the focus.
enum class EditorFocus { None, KeyInput, MediaList, FunctionList };

struct KeyEditorState {
    EditorSelection selection;
    int profile = -1;                      // the group the entry lies in
    std::uint16_t editKind = kEditDefault; // what a commit stores
    KeyCode capturedCode = kNoKey;         // the single-key tab's key; 0 = none
    std::uint32_t storedValue = 0;         // the entry's value at start
    int openCount = 0;
    bool unappliedChanges = false;
    bool firstMacroTabSwitch = false;
    bool mouseMode = false;
    int mousePosition = 0;    // in the mouse list, 0..4
    int mediaPosition = 0;    // 0..17
    int functionPosition = 0; // 0..10
    bool recording = false;

    bool isOpen() const { return openCount > 0; }
};

struct ShowKindView {
    EditorTab tab = EditorTab::Key;
    PageSet maskSet = PageSet::Key;
    bool captureKeys = false;   // single-key capture (and the keyboard grab) active
    bool stopRecording = false; // a running recording ends first
    // Single-key tab: which of the pair is ticked, whether the key edit shows
    // a name (of the captured code), and the mouse list's position.
    bool mouseMode = false;
    bool showKeyName = false;
    KeyCode keyNameCode = kNoKey;
    int mousePosition = 0;
    // The media and function lists' selections.
    int mediaPosition = 0;
    int functionPosition = 0;
    // The macro to make current and show (index into the list); only when
    // makeMacroCurrent, -1 then meaning none.
    bool makeMacroCurrent = false;
    int currentMacro = -1;
    // Which groups of controls show.
    bool macroControls = false;
    bool singleKeyControls = false;
    bool mediaControls = false;
    bool functionControls = false;
    // Mark flags of the tab buttons Key, Macro, Media, Function.
    std::array<bool, 4> tabMarks{};
    EditorFocus focus = EditorFocus::None;
};

struct ShowKindResult {
    KeyEditorState state;
    ShowKindView view;
};

// The tab of state.editKind. fromStart: the editor has just opened, so the
// shown controls take the entry's stored value.
ShowKindResult ShowKind(const KeyEditorState& state, bool fromStart,
                        std::span<const MacroRecord> macros);

} // namespace kw
