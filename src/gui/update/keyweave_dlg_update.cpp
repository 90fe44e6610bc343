#include "gui/update/keyweave_dlg_update.h"

#include "core/config/config_image.h"
#include "core/skin/language.h"
#include "core/skin/skin_keys.h"
#include "core/skin/text_keys.h"
#include "gui/app/shell_actions.h"
#include "gui/skin/color_static.h"
#include "gui/skin/placement.h"
#include "gui/skin/skin_picture.h"
#include "gui/skin/skin_style.h"

#include <QComboBox>

namespace kw::gui {
namespace {

namespace tk = text_keys;
using namespace update;

const QString kFont = QStringLiteral("DejaVu Sans");
constexpr int kCaptionPoints = 10;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CKeyweave_DlgUpdate::CKeyweave_DlgUpdate(QWidget* parent, std::filesystem::path skinIniFile,
                                         UpdateDialogDependencies dependencies, FatalExit fatalExit)
    : CBaseDialog(parent, std::move(skinIniFile), fatalExit), deps_(std::move(dependencies)),
      fatalExit_(std::move(fatalExit)) {
    setModal(true);
    setObjectName(QStringLiteral("updateDialog"));
}

QWidget* CKeyweave_DlgUpdate::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

CPngButton& CKeyweave_DlgUpdate::addButton(int id, std::string_view key, bool caption) {
    auto* button = new CPngButton(this);
    button->setObjectName(QString::fromLatin1(key.data(), static_cast<int>(key.size())));
    PlaceImageButton(*button, Layout(), skin::kButtonSection, key,
                     {normal_, over_, over_, over_, over_});
    if (caption) {
        const CPngButton::TextColours white{Qt::white, Qt::white, Qt::white, Qt::white, Qt::white};
        button->SetTextStyle(true, kCaptionPoints, kFont, white);
    }
    controls_[id] = button;
    return *button;
}

bool CKeyweave_DlgUpdate::Initialise() {
    if (!ApplySkin()) {
        return false;
    }
    // Normal; hover, pressed and disabled share the second picture.
    const std::filesystem::path program = Layout().folder().parent_path();
    normal_ = LoadSkinPicture(app::qtPath(program / std::string(skin::kUpdatePictures[0])), size(),
                              PictureRatio());
    over_ = LoadSkinPicture(app::qtPath(program / std::string(skin::kUpdatePictures[1])), size(),
                            PictureRatio());
    if (normal_.isNull() || over_.isNull()) {
        fatalExit_();
        return false;
    }
    setStyleSheet(SkinStyleSheet());
    const Language& language = deps_.language;
    setWindowTitle(qs(language.text(tk::UPDATE_TITLE)));

    auto* title = new ColorStatic(this);
    title->SetTextColour(QColor(228, 228, 228));
    title->setText(qs(language.text(tk::UPDATE_TITLE)));
    PlaceControl(*title, Layout(), skin::kButtonSection, "CONTROL_TITLE_TEXT");
    controls_[kTitleText] = title;
    auto* path = new ColorStatic(this);
    path->SetTextColour(QColor(228, 228, 228));
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PlaceControl(*path, Layout(), skin::kButtonSection, "CONTROL_UPStatic");
    controls_[kPath] = path;
    // The design's combo box has no function and never shows.
    auto* combo = new QComboBox(this);
    PlaceControl(*combo, Layout(), skin::kButtonSection, "CONTROL_UPCombox");
    combo->hide();
    controls_[kHiddenCombo] = combo;

    addButton(kOpen, "CONTROL_OPENButton", false)
        .SetTooltip(qs(language.text(tk::UPDATE_OPEN)), true);
    addButton(kBackup, "CONTROL_BACKUPButton", true).setText(qs(language.text(tk::UPDATE_BACKUP)));
    addButton(kUpdate, "CONTROL_UPButton", true).setText(qs(language.text(tk::UPDATE_START)));
    addButton(kCancelUpdate, "CONTROL_CUPButton", true)
        .setText(qs(language.text(tk::UPDATE_CANCEL)));
    connect(static_cast<CPngButton*>(Control(kOpen)), &QAbstractButton::clicked, this,
            &CKeyweave_DlgUpdate::Open);
    connect(static_cast<CPngButton*>(Control(kBackup)), &QAbstractButton::clicked, this,
            &CKeyweave_DlgUpdate::Backup);
    connect(static_cast<CPngButton*>(Control(kUpdate)), &QAbstractButton::clicked, this,
            &CKeyweave_DlgUpdate::Update);
    connect(static_cast<CPngButton*>(Control(kCancelUpdate)), &QAbstractButton::clicked, this,
            &CKeyweave_DlgUpdate::CancelUpdate);
    showChoice();
    return true;
}

void CKeyweave_DlgUpdate::showChoice() {
    static_cast<QLabel*>(Control(kPath))
        ->setText(QString::fromStdString(deps_.chosenProgram.string()));
    repaint();
}

void CKeyweave_DlgUpdate::Open() {
    // The process's working folder stays where it was: paths the user gave on
    // the command line (a state file, a hidraw root) are relative to it.
    // Programs here carry no extension of their own, so every file is offered.
    deps_.chosenProgram = deps_.files.chooseOpenFile(
        {{}, deps_.language.text(tk::UPDATE_TITLE), deps_.updateFolder, {}});
    showChoice();
}

void CKeyweave_DlgUpdate::Backup() {
    const std::filesystem::path file =
        deps_.files.chooseSaveFile({"fwc", deps_.language.text(tk::UPDATE_BACKUP), {}, {}});
    if (file.empty()) {
        return;
    }
    BackupConfiguration(deps_.config, file, deps_.prompter, deps_.language);
}

void CKeyweave_DlgUpdate::Update() {
    const UpdateOutcome outcome = StartFirmwareUpdate(
        deps_.transport, deps_.chosenProgram, deps_.launcher, deps_.prompter, deps_.language);
    showChoice();
    if (outcome == UpdateOutcome::Launched) {
        accept();
    }
}

void CKeyweave_DlgUpdate::CancelUpdate() {
    deps_.chosenProgram.clear();
    showChoice();
    reject();
}

} // namespace kw::gui
