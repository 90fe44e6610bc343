#pragma once
// The composite key editor without its window: the editor state, its macro
// working set, and every user action the dialog forwards, each answering what
// the dialog must now show. The dialog keeps no rules of its own.
//
// The entry edited lies in the profile that was active when the editor
// opened; nothing is addressed while the active profile is unknown.

#include "core/config/config_block.h"
#include "core/keyeditor/key_capture.h"
#include "core/keyeditor/show_kind.h"
#include "core/macros/macro_commit.h"
#include "core/macros/macro_recorder.h"
#include "core/macros/macro_working_set.h"

#include <cstddef>
#include <optional>

namespace kw {

struct KeyCommitResult {
    MacroCommitResult macros;
    KeyEntry entry;              // as written (mark and extra as they were)
    std::size_t entryNumber = 0; // group × 512 + keyIndex
    bool marked = false;         // the key now carries a function
};

class KeyEditorModel {
public:
    // The image, texts and questions outlive the model; `clock` times recordings.
    KeyEditorModel(ConfigImage& config, const Language& language, Prompter& prompter,
                   std::function<std::uint32_t()> clock = MillisecondTicks);

    // Opens the editor on `selection` in `profile`'s group: loads the macros,
    // reads the entry and shows its tab. nullopt (nothing opened) while the
    // profile is unknown or out of range.
    std::optional<ShowKindView> Start(const EditorSelection& selection, int profile);

    // A tab button; nullopt when the click changes nothing.
    std::optional<ShowKindView> TabClicked(EditorTab tab);
    // Clear: the single-key tab, empty, storing the key's default.
    ShowKindView ClearClicked();
    // The keyboard / mouse pair of the single-key tab.
    ShowKindView KeyboardModeClicked();
    ShowKindView MouseModeClicked();
    void MouseFunctionChosen(int position);
    void MediaFunctionChosen(int position);
    void KeyboardFunctionChosen(int position);
    // The user picked macro `index` in the name box.
    void MacroChosen(int index);
    // The cycles edit changed; returns its text after clamping.
    const std::string& CyclesEdited(std::string_view text);

    // A key event while the single-key tab captures. When the decision takes
    // the key, the key edit shows KeyNameOf(capturedCode()).
    CaptureDecision KeyEvent(const KeyStroke& stroke);

    // Record: starts or stops recording into the current macro.
    void ToggleRecording();
    bool recording() const { return recorder_.recording(); }
    MacroRecorder& recorder() { return recorder_; }

    // Apply and OK: a recording stops, then the macro list and the entry go
    // into the image.
    KeyCommitResult Commit();
    // OK, Cancel, unplug, quit: stops a recording and frees the working set;
    // the image keeps what the last commit wrote.
    void Close();

    // The current view again (after a redraw or a language change).
    ShowKindView View() const;

    const KeyEditorState& state() const { return state_; }
    bool isOpen() const { return state_.isOpen(); }
    // The Apply button is enabled exactly while this holds.
    bool unappliedChanges() const;
    MacroWorkingSet& workingSet() { return macros_; }
    const MacroWorkingSet& workingSet() const { return macros_; }

private:
    ShowKindView show(bool fromStart);
    void setMode(bool mouse);

    ConfigImage& config_;
    MacroWorkingSet macros_;
    MacroRecorder recorder_;
    KeyEditorState state_;
};

} // namespace kw
