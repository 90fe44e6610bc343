#pragma once
// The macro editor's private copy of the macros and every operation on it:
// the macro list with its current macro, the action rows of that macro, the
// cycles edit and the "unapplied changes" state that enables the editor's
// Apply button. The configuration image is only read here (at load and for
// the delete question); CommitMacroList writes the copy back.
//
// The state is plain so that any front end can draw it: a window binds its
// name box to macros(), its action list to rows() and selectedRow(), its
// seven action buttons to actionControlsEnabled() and Apply to
// unappliedChanges(). The owner keeps its controls from echoing the model's
// own changes back as user edits.

#include "core/config/config_image.h"
#include "core/config/macro_record.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

class Language;
class Prompter;

inline constexpr int kMacroListMax = 100;
inline constexpr std::uint16_t kMacroIdMax = 100;
inline constexpr std::uint32_t kTypedDelayMaxMs = 40000;
inline constexpr std::uint32_t kTypedDelayStepMs = 10;
inline constexpr int kCyclesMax = 255;

enum class MoveTarget { Top, Up, Down, Bottom };

// How InsertAction places a row (recording passes grey, markChanged and
// afterSelection; showing a macro passes keepDelay only).
struct InsertOptions {
    bool grey = false;           // the new row becomes the only selected row
    bool markChanged = false;    // sets unappliedChanges
    bool afterSelection = false; // after the selected row instead of at the end
    bool keepDelay = false;      // the row keeps its own delay (no hand-over to the row before)
};

// The three column texts of an action row: key name, direction, delay in ms.
std::string ActionKeyText(const MacroAction& action, const Language& language);
std::string ActionDirectionText(const MacroAction& action); // "↓" or "  ↑"
std::string ActionDelayText(const MacroAction& action);

class MacroWorkingSet {
public:
    // The image, texts and questions outlive the working set.
    MacroWorkingSet(ConfigImage& config, const Language& language, Prompter& prompter);

    // What AddMacro waits before trying the next new name (16 ms unless replaced).
    void setRetryPause(std::function<void()> pause) { retryPause_ = std::move(pause); }

    // Copies the image's macros (under its lock) with pendingFlag 0; no macro is current.
    void LoadMacroList();
    // Frees every copy and row (the editor closed); the image is not touched.
    void Release();
    // Stores the rows into the old current macro and shows macro `index` (-1: none).
    void SelectMacro(int index);
    // A new empty macro at the end, made current. 1 added; 0 at the limit
    // ("MACRO_ERR_MAX" shown) or when memory ran out.
    int AddMacro();
    // Renames the current macro (cut to 249 characters), or creates the first
    // macro with that name when the list is empty.
    void RenameMacro(std::u16string_view text);
    // Removes the current macro after ConfirmMacroDelete. 1 removed, 0 not.
    int DeleteMacro();
    // True when `record` may go: it is new, or no key is bound to it, or the
    // user said Yes to "MACRO_DELETE_CONFIRM_OF_KEYS".
    bool ConfirmMacroDelete(const MacroRecord& record);
    // Writes the cycles edit and the rows into macro `index` (nothing for -1).
    void StoreActions(int index);

    // One row; false when there is no current macro or it already has 2000 rows.
    bool InsertAction(const MacroAction& action, InsertOptions options);
    void DeleteAction();
    // Removes every row after "MACRO_ACTION_CLEAR_CONFIRM" is answered Yes.
    void ClearActions();
    void MoveAction(MoveTarget target);
    void SelectRow(int row); // -1: none

    // In-place editing of the selected row. BeginCellEdit says whether column
    // (0 key, 1 direction, 2 delay) has an editor; any other shows
    // "MACRO_ACTION_ERR_MODIFY". Each edit returns true when the row changed.
    bool BeginCellEdit(int column);
    bool EditKeyCell(int listPosition); // a position of the 111-entry key list
    bool EditDirectionCell(int choice); // 0 press, 1 release
    bool EditDelayCell(std::string_view text);
    // The cycles edit after a change: clamped to 1..255; returns the edit's text.
    const std::string& SetCycles(std::string_view text);

    const std::vector<MacroRecord>& macros() const { return macros_; }
    // -1 when none (always -1 for an empty list).
    int currentMacro() const { return macros_.empty() ? -1 : currentMacro_; }
    const std::vector<MacroAction>& rows() const { return rows_; }
    int selectedRow() const { return selectedRow_; }
    const std::string& cyclesText() const { return cyclesText_; }
    int newMacroCounter() const { return newMacroCounter_; }
    // Record, Delete and Clear (actions), Top, Up, Down and Bottom.
    bool actionControlsEnabled() const { return currentMacro() != -1; }
    bool unappliedChanges() const { return unappliedChanges_; }
    void clearUnappliedChanges() { unappliedChanges_ = false; }

    ConfigImage& config() { return config_; }
    // After a commit: every macro of the list counts as stored (pendingFlag 0).
    void markCommitted();

private:
    // Shows the current macro: its rows and cycles; no row is selected.
    void showCurrentMacro();
    MacroRecord newRecord(std::u16string_view name) const;
    std::uint16_t smallestFreeMacroId() const;
    bool someNameStartsWith(std::u16string_view prefix) const;
    MacroAction* selectedAction();

    ConfigImage& config_;
    const Language& language_;
    Prompter& prompter_;
    std::function<void()> retryPause_;

    std::vector<MacroRecord> macros_;
    int currentMacro_ = -1;
    std::vector<MacroAction> rows_;
    int selectedRow_ = -1;
    std::string cyclesText_ = "1";
    int newMacroCounter_ = 0;
    bool unappliedChanges_ = false;
};

} // namespace kw
