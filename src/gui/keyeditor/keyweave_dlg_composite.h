#pragma once
// The key function editor: one skinned dialog with the single-key, macro,
// media and keyboard-function tabs, Clear, the on-screen keyboard, Apply, OK
// and Cancel. It forwards every user action to the KeyEditorModel and draws
// what the model answers; while the single-key tab shows it captures the
// keyboard, grabbing it so that Super, Menu and Print Screen reach it.

#include "core/keyeditor/key_editor_model.h"
#include "gui/keyeditor/composite_pictures.h"
#include "gui/skin/base_dialog.h"
#include "gui/skin/png_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRect>
#include <QTableWidget>
#include <functional>
#include <map>
#include <optional>

namespace kw {
class Language;
class Prompter;
class SettingsStore;
} // namespace kw

namespace kw::app {
class ShellActions;
}

namespace kw::gui {

class CMacroTab;
class ColorStatic;

// Control ids of the dialog.
namespace composite {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kApply = 1015;
inline constexpr int kMacroAdd = 1017;
inline constexpr int kMacroDelete = 1018;
inline constexpr int kActionList = 1019;
inline constexpr int kRecord = 1020;
inline constexpr int kActionDelete = 1021;
inline constexpr int kActionClear = 1022;
inline constexpr int kActionTop = 1023;
inline constexpr int kActionUp = 1024;
inline constexpr int kActionDown = 1025;
inline constexpr int kActionBottom = 1026;
inline constexpr int kRecordDelay = 1027;
inline constexpr int kTabKey = 1028;
inline constexpr int kTabMacro = 1029;
inline constexpr int kTabMedia = 1030;
inline constexpr int kTabFunction = 1031;
inline constexpr int kClear = 1032;
inline constexpr int kMask = 1033;
inline constexpr int kCycles = 1125;
inline constexpr int kMacroName = 1126;
inline constexpr int kKeyInput = 1127;
inline constexpr int kMediaList = 1128;
inline constexpr int kFunctionList = 1129;
inline constexpr int kCyclesLabel = 1130;
inline constexpr int kTitle = 1131;
inline constexpr int kOsk = 1132;
inline constexpr int kRecordDelayLabel = 1133;
inline constexpr int kKeyboardLabel = 1134;
inline constexpr int kMouseLabel = 1135;
inline constexpr int kKeyboardMode = 1185;
inline constexpr int kMouseMode = 1186;
inline constexpr int kMouseList = 1187;
inline constexpr int kHeaderLabel = 1199;
inline constexpr int kMacroNameLabel = 1200;
inline constexpr int kSingleHint = 1201;
inline constexpr int kMediaHint = 1202;
inline constexpr int kFunctionHint = 1203;
// Ours: the edited key's name beside the title picture.
inline constexpr int kTitleText = 1250;
} // namespace composite

struct CompositeDialogDependencies {
    const Language& language;
    Prompter& prompter;
    app::ShellActions& shell;
    SettingsStore& settings; // the record-delay choice
    // The pictures' folder is this one's "Skins" beside the program.
    std::filesystem::path programFolder;
    // After each commit (Apply, OK): the main window redraws its keys and
    // marks its configuration modified.
    std::function<void(const KeyCommitResult&)> committed;
};

class Keyweave_DlgComposite : public CBaseDialog {
    Q_OBJECT
public:
    Keyweave_DlgComposite(QWidget* parent, std::filesystem::path skinIniFile, KeyEditorModel& model,
                          CompositeDialogDependencies dependencies, FatalExit fatalExit);
    ~Keyweave_DlgComposite() override;

    // Loads the skin and its page pictures, places the controls and shows the
    // tab of the model's state (the model has been started). False after the
    // fatal exit was called for a missing picture.
    bool Initialise();
    // Beside `key` (global coordinates) or, in macro-edit mode, centred on its screen.
    void PlaceBeside(const QRect& key);
    void LanguageChanged(int languageIndex);

    QWidget* Control(int id) const;
    // Key events are being taken (the single-key tab is up or a recording
    // runs, and the dialog is shown): the dialog holds the keyboard grab.
    bool Capturing() const { return capturing_; }
    CMacroTab& MacroTab() { return *macroTab_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    CPngButton& addButton(int id, std::string_view key, PageSet set, bool drawCaption);
    template <typename Widget>
    Widget& addControl(int id, std::string_view key);
    ColorStatic& addLabel(int id, std::string_view key);
    void placeControls();
    void fillLists();
    void connectControls();
    void show(const ShowKindView& view);
    void showKeyName();
    void setCapture(bool on);
    bool wantsKeys() const;
    void finishCapture();
    void updateApply();
    void commit();
    // True when the event goes no further.
    bool onKeyEvent(const QKeyEvent& event);

    const std::array<SkinPicture, 4>& pictures(PageSet set) const { return pictures_->of(set); }

    KeyEditorModel& model_;
    CompositeDialogDependencies deps_;
    FatalExit fatalExit_;
    const CompositePictures* pictures_ = nullptr;
    std::map<int, QWidget*> controls_;
    CMacroTab* macroTab_ = nullptr;
    ShowKindView view_;
    bool capturing_ = false;
    // A key was taken and let go: the capture waits until the key field has
    // the focus again, so Tab, Enter and Escape work the dialog meanwhile.
    bool captureDone_ = false;
    std::optional<KeyCode> takenCode_; // taken, not yet let go
    bool closing_ = false;
};

} // namespace kw::gui
