#pragma once
// The key editor's macro tab: the editable name box, the action list with its
// in-place key, direction and delay editors, the macro and action buttons,
// the cycles edit, the record-delay check box and Record. Every operation is
// the editor model's working set; this class only draws it and forwards.

#include "core/keyeditor/key_editor_model.h"

#include <QObject>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace kw {
class Language;
class SettingsStore;
} // namespace kw

namespace kw::gui {

class CPngButton;

struct MacroTabControls {
    QComboBox& names;
    QTableWidget& actions;
    QLineEdit& cycles;
    QCheckBox& recordDelay;
    CPngButton& record;
    CPngButton& add;
    CPngButton& remove;
    CPngButton& deleteAction;
    CPngButton& clearActions;
    CPngButton& top;
    CPngButton& up;
    CPngButton& down;
    CPngButton& bottom;
};

class CMacroTab : public QObject {
    Q_OBJECT
public:
    // `changed` runs after every edit (the dialog's Apply follows the model);
    // `recordingChanged` when a recording starts or stops (the dialog grabs
    // the keyboard meanwhile).
    CMacroTab(QObject* parent, MacroTabControls controls, KeyEditorModel& model,
              const Language& language, SettingsStore& settings, std::function<void()> changed,
              std::function<void()> recordingChanged);

    // The record-delay setting, read (and normalised) at the editor's start.
    void LoadSettings();
    // Draws the working set: names, rows, cycles, enabled states, Record.
    void Refresh();
    void LanguageChanged(int languageIndex);
    // Ends a running recording (tab change, commit, close, a delay edit).
    void StopRecording();
    // A key event the dialog captured while recording: true when swallowed.
    bool RecordKey(const KeyStroke& stroke);
    // Opens the in-place editor of a cell (the list's double click).
    void EditCell(int row, int column);
    // Takes what an open cell editor holds (the editor commits).
    void CommitCellEdit();

private:
    void connectControls();
    void refreshNames();
    void refreshRows();
    void refreshStates();
    void selectRow(int row);
    void finishCellEdit();
    void edited();

    MacroTabControls c_;
    KeyEditorModel& model_;
    const Language& language_;
    SettingsStore& settings_;
    std::function<void()> changed_;
    std::function<void()> recordingChanged_;
    int languageIndex_ = 0;
    // Set while the tab itself changes the name box or the list, so their
    // change signals are not taken for the user's.
    bool suppressSelection_ = false;
    QWidget* cellEditor_ = nullptr;
    QLineEdit* delayEditor_ = nullptr; // the open editor, when it is the delay's
};

} // namespace kw::gui
