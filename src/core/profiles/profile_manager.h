#pragma once
// The profile manager dialog without its window: the list of profile files,
// which row is marked active, whether there is something to apply, and what
// New, Load, Delete, Apply and Cancel do. The dialog shows the rows and
// forwards the user's actions; the file dialogs stay with it.
//
// The first three rows stand for the keyboard's three profiles, which all
// live in the configuration file; the rows the user adds are only listed and
// remembered: Apply switches the keyboard to a marked row 0..2 and never loads
// a row's file.

#include "core/base/settings_store.h"
#include "core/sync/sync_context.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// The stored profile list: entry 00 holds the row count, 01, 02, ... the rows' full paths.
inline constexpr std::string_view kProfileListSection = "PROFILES";
inline constexpr std::string_view kProfileListPrefix = "PROFILE";

// A row's columns as the list shows them (UTF-8).
struct ProfileRowText {
    std::string name;   // the file name without its extension
    std::string folder; // the folder holding the file
};

class ProfileManagerModel {
public:
    // The context and the store outlive the model.
    ProfileManagerModel(SyncContext& context, SettingsStore& settings);

    // Opening: three rows of the configuration file, the cached active
    // profile's row marked (none while it is unknown); nothing to apply.
    void Open();

    // Writes a new default profile file at `file` (atomically) and appends a
    // row for it. 1 when written; 0 when it could not be (no row, no file).
    int New(const std::filesystem::path& file);
    // Appends a row for `file`, which is not checked.
    void Load(const std::filesystem::path& file);
    // Removes `row` when there is one; the active mark stays with its row.
    void Delete(int row);
    // Marks `row` active, or none with -1; other values change nothing.
    void MarkActive(int row);

    // Writes the stored profile list, switches the keyboard to the marked row
    // when it is one of the three profiles and re-reads the configuration from
    // the keyboard; afterwards nothing is left to apply and the window's
    // modified flag is clear. Unapplied edits in the window are first applied
    // or discarded, as the user answers "PROFILE_SELECT_PROMPT". 1 when the
    // image came from the keyboard; 0 when it could not be read (the list is
    // written all the same), or when the user chose to apply the window's
    // edits and that failed: then nothing else is done, so no edit is lost.
    int Apply();
    // Cancel: nothing is applied or written.
    void Cancel() { unapplied_ = false; }
    // The keyboard switched to `profile` while the dialog is open: its row
    // (none when there is no such row) becomes the active one, and nothing is
    // left to apply.
    void ProfileSelected(int profile);

    const std::vector<std::filesystem::path>& rows() const { return rows_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // -1 when no row is marked.
    int activeRow() const { return activeRow_; }
    // The dialog's Apply button is enabled exactly while this holds.
    bool unappliedChanges() const { return unapplied_; }
    // The name and folder columns of `row`; empty for a row that does not exist.
    ProfileRowText rowText(int row) const;

private:
    bool validRow(int row) const { return row >= 0 && row < rowCount(); }
    void writeStoredList();

    SyncContext& context_;
    SettingsStore& settings_;
    std::vector<std::filesystem::path> rows_;
    int activeRow_ = -1;
    bool unapplied_ = false;
};

} // namespace kw
