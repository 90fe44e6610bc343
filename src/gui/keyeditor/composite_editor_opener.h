#pragma once
// Runs the key function editor for the main window: one editor model for the
// window's life, a dialog for each opening, placed beside the clicked key.

#include "core/keyeditor/key_editor_model.h"
#include "core/mainwnd/key_editor_opener.h"
#include "gui/keyeditor/keyweave_dlg_composite.h"

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>

namespace kw {
struct ConfigImage;
class SettingsStore;
} // namespace kw

namespace kw::gui {

struct CompositeEditorDependencies {
    QWidget& window;
    std::filesystem::path programFolder;
    const Language& language;
    ConfigImage& config;
    Prompter& prompter;
    app::ShellActions& shell;
    SettingsStore& settings;
    // The cached active profile; -1 while unknown.
    std::function<int()> currentProfile;
    // The main-window button of a control id, for placing the dialog.
    std::function<QWidget*(int controlId)> button;
    std::function<void(const KeyCommitResult&)> committed;
    // Ends the program when the editor's skin is missing (exit code 0).
    std::function<void()> fatalExit;
};

class CCompositeEditorOpener : public KeyEditorOpener {
public:
    explicit CCompositeEditorOpener(CompositeEditorDependencies dependencies);
    ~CCompositeEditorOpener() override;

    void openKeyEditor(const EditorSelection& selection) override;
    bool keyEditorOpen() const override { return model_.isOpen(); }

    // The open dialog, if any (tests drive it).
    Keyweave_DlgComposite* Dialog() const { return dialog_.data(); }
    // Called just after the dialog is shown, inside its modal loop (tests).
    void SetWhileOpen(std::function<void(Keyweave_DlgComposite&)> whileOpen) {
        whileOpen_ = std::move(whileOpen);
    }
    void LanguageChanged(int languageIndex);
    KeyEditorModel& Model() { return model_; }

private:
    CompositeEditorDependencies deps_;
    KeyEditorModel model_;
    QPointer<Keyweave_DlgComposite> dialog_;
    std::function<void(Keyweave_DlgComposite&)> whileOpen_;
};

} // namespace kw::gui
