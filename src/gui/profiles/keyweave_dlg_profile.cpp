#include "gui/profiles/keyweave_dlg_profile.h"

#include "core/base/prompter.h"
#include "core/skin/language.h"
#include "core/skin/skin_keys.h"
#include "core/skin/text_keys.h"
#include "gui/app/shell_actions.h"
#include "gui/skin/color_static.h"
#include "gui/skin/placement.h"
#include "gui/skin/skin_picture.h"
#include "gui/skin/skin_style.h"

#include <QHeaderView>

namespace kw::gui {
namespace {

namespace tk = text_keys;
using namespace profiles;

const QString kFont = QStringLiteral("DejaVu Sans");
constexpr int kCaptionPoints = 10;
constexpr int kColumnWidths[] = {60, 120, 230};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CKeyweave_DlgProfile::CKeyweave_DlgProfile(QWidget* parent, std::filesystem::path skinIniFile,
                                           ProfileDialogDependencies dependencies,
                                           FatalExit fatalExit)
    : CBaseDialog(parent, std::move(skinIniFile), fatalExit), deps_(std::move(dependencies)),
      fatalExit_(std::move(fatalExit)) {
    setModal(true);
    setObjectName(QStringLiteral("profileManager"));
}

QWidget* CKeyweave_DlgProfile::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

CPngButton& CKeyweave_DlgProfile::addButton(int id, std::string_view key,
                                            const std::array<QImage, 3>& faces) {
    auto* button = new CPngButton(this);
    button->setObjectName(QString::fromLatin1(key.data(), static_cast<int>(key.size())));
    PlaceImageButton(*button, Layout(), skin::kButtonSection, key,
                     {faces[0], faces[1], faces[2], faces[0], faces[2]});
    controls_[id] = button;
    return *button;
}

bool CKeyweave_DlgProfile::Initialise() {
    if (!ApplySkin()) {
        return false;
    }
    const std::filesystem::path program = Layout().folder().parent_path();
    std::array<QImage, 3> faces;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        faces[i] = LoadSkinPicture(app::qtPath(program / std::string(skin::kProfilePictures[i])),
                                   size(), PictureRatio());
        if (faces[i].isNull()) {
            fatalExit_();
            return false;
        }
    }
    setStyleSheet(SkinStyleSheet());
    const Language& language = deps_.language;
    const auto text = [&](std::string_view key) { return qs(language.text(key)); };
    setWindowTitle(text(tk::PROFILE_MANAGER_TITLE));

    auto* title = new ColorStatic(this);
    title->SetTextColour(QColor(228, 228, 228));
    title->setText(text(tk::PROFILE_MANAGER_TITLE));
    PlaceControl(*title, Layout(), skin::kButtonSection, "CONTROL_TITLE_TEXT");
    controls_[kTitleText] = title;

    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("PROGRAM_LIST"));
    PlaceControl(*list_, Layout(), skin::kButtonSection, "PROGRAM_LIST");
    list_->setColumnCount(3);
    list_->setHorizontalHeaderLabels({text(tk::PROFILE_COLUMN_ACTIVE),
                                      text(tk::PROFILE_COLUMN_NAME),
                                      text(tk::PROFILE_COLUMN_PATH)});
    for (int c = 0; c < 3; ++c) {
        list_->setColumnWidth(c, kColumnWidths[c]);
    }
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setTextElideMode(Qt::ElideMiddle);
    controls_[kList] = list_;
    connect(list_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (refreshing_ || item->column() != 0) {
            return;
        }
        // One active row: ticking a row moves the mark there, unticking clears it.
        deps_.model.MarkActive(item->checkState() == Qt::Checked ? item->row() : -1);
        Refresh();
    });

    const CPngButton::TextColours captions{Qt::white, Qt::white, Qt::white, QColor(150, 156, 166),
                                           Qt::white};
    for (const auto& [id, key, tip] : {std::tuple{kNew, "FUNC_ADD", tk::PROFILE_ADD},
                                       std::tuple{kLoad, "FUNC_LOAD", tk::PROFILE_LOAD},
                                       std::tuple{kDelete, "FUNC_DELETE", tk::PROFILE_DELETE}}) {
        addButton(id, key, faces).SetTooltip(text(tip), true);
    }
    for (const auto& [id, key, caption] :
         {std::tuple{kApply, "CONTROL2_APPLY", tk::PROFILE_APPLY},
          std::tuple{kOk, "CONTROL_OK", tk::PROFILE_OK},
          std::tuple{kCancel, "CONTROL_CANCEL", tk::PROFILE_CANCLE}}) {
        CPngButton& b = addButton(id, key, faces);
        b.setText(text(caption));
        b.SetTextStyle(true, kCaptionPoints, kFont, captions);
    }
    const auto onClick = [this](int id, auto slot) {
        connect(static_cast<CPngButton*>(Control(id)), &QAbstractButton::clicked, this, slot);
    };
    onClick(kNew, [this] { New(); });
    onClick(kLoad, [this] { Load(); });
    onClick(kDelete, [this] { Delete(); });
    onClick(kApply, [this] { Apply(); });
    onClick(kOk, [this] {
        Apply();
        accept();
    });
    onClick(kCancel, [this] {
        deps_.model.Cancel();
        reject();
    });
    deps_.model.Open();
    Refresh();
    return true;
}

void CKeyweave_DlgProfile::Refresh() {
    refreshing_ = true;
    const ProfileManagerModel& model = deps_.model;
    const int selected = list_->currentRow();
    list_->setRowCount(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        auto* mark = new QTableWidgetItem();
        mark->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        mark->setCheckState(row == model.activeRow() ? Qt::Checked : Qt::Unchecked);
        list_->setItem(row, 0, mark);
        const ProfileRowText columns = model.rowText(row);
        auto* name = new QTableWidgetItem(qs(columns.name));
        auto* folder = new QTableWidgetItem(qs(columns.folder));
        // The whole path, for a folder too long for its column.
        folder->setToolTip(qs(model.rows()[static_cast<std::size_t>(row)].string()));
        list_->setItem(row, 1, name);
        list_->setItem(row, 2, folder);
    }
    if (selected >= 0 && selected < model.rowCount()) {
        list_->selectRow(selected);
    }
    Control(kApply)->setEnabled(model.unappliedChanges());
    refreshing_ = false;
}

void CKeyweave_DlgProfile::New() {
    const std::filesystem::path file =
        deps_.files.chooseSaveFile({"fwc", deps_.language.text(text_keys::PROFILE_MANAGER_TITLE),
                                    deps_.dataFolder, deps_.language.text(text_keys::PROFILE_NEW)});
    if (file.empty()) {
        return;
    }
    if (deps_.model.New(file) != 1) {
        deps_.prompter.showMessage(deps_.language.text(text_keys::PROFILE_NEW_FAILED));
    }
    Refresh();
}

void CKeyweave_DlgProfile::Load() {
    const std::filesystem::path file = deps_.files.chooseOpenFile(
        {"fwc", deps_.language.text(text_keys::PROFILE_MANAGER_TITLE), deps_.dataFolder, {}});
    if (file.empty()) {
        return;
    }
    deps_.model.Load(file);
    Refresh();
}

void CKeyweave_DlgProfile::Delete() {
    const int row = list_->currentRow();
    if (row < 0 || list_->selectedItems().isEmpty()) {
        return;
    }
    deps_.model.Delete(row);
    list_->clearSelection();
    Refresh();
}

void CKeyweave_DlgProfile::Apply() {
    deps_.model.Apply();
    if (deps_.applied) {
        deps_.applied();
    }
    Refresh();
}

} // namespace kw::gui
