#include "gui/keyeditor/composite_editor_opener.h"

#include "core/base/prompter.h"
#include "core/skin/language.h"
#include "core/skin/skin_keys.h"
#include "core/skin/text_keys.h"

#include <QTimer>

namespace kw::gui {

CCompositeEditorOpener::CCompositeEditorOpener(CompositeEditorDependencies dependencies)
    : deps_(std::move(dependencies)), model_(deps_.config, deps_.language, deps_.prompter) {}

CCompositeEditorOpener::~CCompositeEditorOpener() {
    delete dialog_.data();
}

void CCompositeEditorOpener::openKeyEditor(const EditorSelection& selection) {
    if (model_.isOpen()) {
        return;
    }
    const int profile = deps_.currentProfile ? deps_.currentProfile() : -1;
    if (profile < 0) {
        // No entry can be addressed before the keyboard said which profile is active.
        deps_.prompter.showMessage(deps_.language.text(text_keys::KEY_EDITOR_NO_PROFILE));
        return;
    }
    const std::filesystem::path skinFile = deps_.programFolder / std::string(skin::kSkinsFolder) /
                                           std::string(skin::kCompositeSkinFile);
    if (!model_.Start(selection, profile)) {
        return;
    }
    auto* dialog = new Keyweave_DlgComposite(&deps_.window, skinFile, model_,
                                             {deps_.language, deps_.prompter, deps_.shell,
                                              deps_.settings, deps_.programFolder, deps_.committed},
                                             deps_.fatalExit);
    dialog_ = dialog;
    if (!dialog->Initialise()) {
        model_.Close();
        delete dialog;
        return;
    }
    if (QWidget* key =
            deps_.button ? deps_.button(static_cast<int>(selection.controlId)) : nullptr) {
        dialog->PlaceBeside(QRect(key->mapToGlobal(QPoint(0, 0)), key->size()));
    } else {
        dialog->PlaceBeside(QRect(deps_.window.mapToGlobal(QPoint(0, 0)), QSize(1, 1)));
    }
    if (whileOpen_) {
        QTimer::singleShot(0, dialog, [this, dialog] { whileOpen_(*dialog); });
    }
    dialog->exec();
    // A dialog closed from outside (unplug, quit) has been through Cancel already.
    model_.Close();
    delete dialog;
}

void CCompositeEditorOpener::LanguageChanged(int languageIndex) {
    if (dialog_) {
        dialog_->LanguageChanged(languageIndex);
    }
}

} // namespace kw::gui
