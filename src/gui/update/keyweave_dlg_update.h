#pragma once
// The firmware update dialog: choose the update program supplied with the
// firmware, back the configuration up, then send the keyboard into its boot
// mode and start the program, which does the flashing.

#include "core/mainwnd/file_chooser.h"
#include "core/sync/firmware_handoff.h"
#include "gui/skin/base_dialog.h"
#include "gui/skin/png_button.h"

#include <filesystem>
#include <map>

namespace kw {
class Language;
class Prompter;
class Transport;
struct ConfigImage;
} // namespace kw

namespace kw::gui {

namespace update {
inline constexpr int kPath = 1179;
inline constexpr int kHiddenCombo = 1178;
inline constexpr int kOpen = 1181;
inline constexpr int kBackup = 1182;
inline constexpr int kUpdate = 1147;
inline constexpr int kCancelUpdate = 1180;
inline constexpr int kTitleText = 1250; // ours: the dialog's name in its title bar
} // namespace update

struct UpdateDialogDependencies {
    const Language& language;
    Prompter& prompter;
    Transport& transport;
    ConfigImage& config;
    ProgramLauncher& launcher;
    FileChooser& files;
    // The update programs shipped with the firmware: "Package" beside the program.
    std::filesystem::path updateFolder;
    // The chosen program: kept by the main window between runs of the dialog.
    std::filesystem::path& chosenProgram;
};

class CKeyweave_DlgUpdate : public CBaseDialog {
    Q_OBJECT
public:
    CKeyweave_DlgUpdate(QWidget* parent, std::filesystem::path skinIniFile,
                        UpdateDialogDependencies dependencies, FatalExit fatalExit);

    // Loads the skin and its two pictures and places the controls; false after
    // the fatal exit was called for a missing picture.
    bool Initialise();
    QWidget* Control(int id) const;

    void Open();
    void Backup();
    void Update();
    void CancelUpdate();

private:
    CPngButton& addButton(int id, std::string_view key, bool caption);
    void showChoice();

    UpdateDialogDependencies deps_;
    FatalExit fatalExit_;
    QImage normal_, over_;
    std::map<int, QWidget*> controls_;
};

} // namespace kw::gui
