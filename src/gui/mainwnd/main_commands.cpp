#include "gui/mainwnd/main_commands.h"

#include "core/mainwnd/profile_buttons.h"
#include "core/skin/text_keys.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/current_profile.h"
#include "core/sync/edit_history.h"
#include "core/sync/profile_switch.h"
#include "core/sync/profile_transfer.h"
#include "gui/skin/placement.h"
#include "gui/skin/skin_picture.h"

#include <QCursor>
#include <QPointer>
#include <QShortcut>
#include <algorithm>

namespace kw::gui {
namespace {

constexpr std::array<int, 3> kProfileButtons = {1135, 1136, 1137};
constexpr std::array<int, 4> kReportRateButtons = {1147, 1168, 1169, 1170};
constexpr int kDefaultButton = 1138;
constexpr int kApplyButton = 1006;
constexpr int kProfileManagerButton = 1005;
constexpr int kMacroButton = 1007;
constexpr int kLinkButton = 1121;
constexpr int kHelpButton = 1122;
constexpr int kMinimizeButton = 1123;
constexpr int kCloseButton = 1124;
constexpr int kMenuButton = 1139;
constexpr int kLogoButton = 1219;
constexpr int kCommunityButton = 1220;
constexpr int kVideoButton = 1221;
constexpr int kUndoButton = 1224;
constexpr int kRedoButton = 1225;
constexpr int kImportCommand = 32776;
constexpr int kExportCommand = 32777;
constexpr int kExitCommand = 32779;
constexpr int kUpdateCommand = 32780;
constexpr int kAboutCommand = 32773;
constexpr int kTrayExitCommand = 32774;
constexpr int kBusyFrames = 10;
constexpr int kBusyPeriodMs = 50;
const FileFilter kProfileFiles{"fwc", ""};

struct Placement {
    int id;
    const char* key;
};
// Image buttons in the order the window places them.
constexpr Placement kPlacements[] = {
    {kLinkButton, "KALMIR_LINK"},
    {kProfileManagerButton, "FUNC_PROFILES"},
    {kMacroButton, "FUNC_MACRO"},
    {kHelpButton, "CONTROL_HELP"},
    {kCloseButton, "CONTROL_CLOSE"},
    {kMinimizeButton, "CONTROL_MINIMIZE"},
    {kMenuButton, "CONTROL_MENU"},
    {kApplyButton, "CONTROL2_APPLY"},
    {1125, "LOCK_CAPS"},
    {1126, "LOCK_NUM"},
    {1127, "LOCK_SCROLL"},
    {1128, "LOCK_AB"},
    {1135, "FUNC_PROFILE1"},
    {1136, "FUNC_PROFILE2"},
    {1137, "FUNC_PROFILE3"},
    {kDefaultButton, "FUNC_DEFAULT"},
    {1147, "FUNC_REPORT1"},
    {1168, "FUNC_REPORT2"},
    {1169, "FUNC_REPORT3"},
    {1170, "FUNC_REPORT4"},
    {kCommunityButton, "CONTROL_COMMUNITY"},
    {kVideoButton, "CONTROL_VIDEO"},
    {kUndoButton, "FUNC_UNDO"},
    {kRedoButton, "FUNC_REDO"},
};

QString text(const Language& language, std::string_view key) {
    return QString::fromStdString(language.text(key));
}

QString skinFile(const skin::SkinLayout& layout, const std::string& name) {
    return QString::fromStdString((layout.folder() / name).string());
}

} // namespace

// Hands the indicator thread's start and end to the window's thread.
class CMainCommands::BusyView : public BusyIndicatorView {
public:
    BusyView(CMainCommands& owner, std::function<void()> start, std::function<void()> stop)
        : owner_(&owner), start_(std::move(start)), stop_(std::move(stop)) {}
    void showBusy() override { start_ ? start_() : post(&CMainCommands::startBusy); }
    void hideBusy() override { stop_ ? stop_() : post(&CMainCommands::stopBusy); }

private:
    void post(void (CMainCommands::*step)()) {
        if (CMainCommands* owner = owner_.data()) {
            QMetaObject::invokeMethod(
                owner, [owner, step] { (owner->*step)(); }, Qt::QueuedConnection);
        }
    }
    QPointer<CMainCommands> owner_;
    std::function<void()> start_;
    std::function<void()> stop_;
};

CMainCommands::CMainCommands(QWidget& window, const skin::SkinLayout& layout,
                             const ViewImages& images, SyncContext& context,
                             ProfileSwitcher& switcher, CKeyboardView& keys, FileChooser& files,
                             MainCommandHooks hooks, QString versionText)
    : QObject(&window), window_(window), layout_(layout), images_(images), context_(context),
      switcher_(switcher), keys_(keys), files_(files), hooks_(std::move(hooks)),
      versionText_(std::move(versionText)) {
    for (const Placement& p : kPlacements) {
        add(p.id);
    }
    add(kLogoButton);
    // Profiles and report rates are each a choice of one: they report which is on.
    for (int id : kProfileButtons) {
        buttons_.at(id)->SetAccessibleToggle(true);
    }
    for (int id : kReportRateButtons) {
        buttons_.at(id)->SetAccessibleToggle(true);
    }
    // The lock lamps only show the keyboard's state.
    for (int id : {1125, 1126, 1127, 1128}) {
        buttons_.at(id)->SetDecorative();
    }
    version_ = new QLabel(&window_);
    version_->setEnabled(false);
    busy_ = new QLabel(&window_);
    busy_->hide();
    busyTimer_.setInterval(kBusyPeriodMs);
    connect(&busyTimer_, &QTimer::timeout, this, &CMainCommands::showBusyFrame);
    busyView_ = std::make_shared<BusyView>(*this, hooks_.startBusy, hooks_.stopBusy);
    busyIndicator_ = std::make_unique<BusyIndicator>(busyView_);
    buttons_.at(kApplyButton)->setEnabled(context_.modified.isSet());
    modifiedSubscription_ = context_.modified.subscribe([this](bool modified) {
        QMetaObject::invokeMethod(
            this, [this, modified] { buttons_.at(kApplyButton)->setEnabled(modified); });
    });
    // The Win-lock indicator's paint asks the G-keys to repaint over it.
    buttons_.at(1128)->SetAfterPaint(
        [this](CPngButton& button, bool normalDrawn) { keys_.AfterPaint(button, normalDrawn); });
    if (context_.history) {
        historySubscription_ = context_.history->subscribe(
            [this](bool, bool) { QMetaObject::invokeMethod(this, [this] { showHistory(); }); });
    }
    // Window shortcuts: they wait while a dialog of the window (the key editor) is active.
    const auto shortcut = [this](QList<QKeySequence> sequences, int (CMainCommands::*command)()) {
        auto* s = new QShortcut(&window_);
        s->setKeys(sequences);
        connect(s, &QShortcut::activated, this, [this, command] { (this->*command)(); });
    };
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Z)}, &CMainCommands::Undo);
    shortcut({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
             &CMainCommands::Redo);
}

CMainCommands::~CMainCommands() {
    buttons_.at(1128)->SetAfterPaint(nullptr);
    context_.modified.unsubscribe(modifiedSubscription_);
    if (context_.history) {
        context_.history->unsubscribe(historySubscription_);
    }
    busyIndicator_.reset();
}

CPngButton& CMainCommands::add(int controlId) {
    QWidget* own = hooks_.windowControl ? hooks_.windowControl(controlId) : nullptr;
    auto* button = qobject_cast<CPngButton*>(own);
    if (button) {
        borrowed_.insert(controlId);
    } else {
        button = new CPngButton(&window_);
    }
    button->setObjectName(QStringLiteral("control%1").arg(controlId));
    button->setProperty("controlId", controlId);
    connect(button, &QAbstractButton::clicked, this, [this, controlId] { Command(controlId); });
    buttons_[controlId] = button;
    return *button;
}

CPngButton* CMainCommands::button(int controlId) const {
    const auto found = buttons_.find(controlId);
    return found == buttons_.end() ? nullptr : found->second;
}

void CMainCommands::Place() {
    const FaceSet faces{images_.image(1), images_.image(2), images_.image(3), images_.image(4),
                        images_.image(4)};
    for (const Placement& p : kPlacements) {
        if (borrowed_.contains(p.id)) {
            continue;
        }
        CPngButton& b = *buttons_.at(p.id);
        const bool enabled = b.isEnabled();
        b.setEnabled(true);
        PlaceImageButton(b, layout_, skin::kButtonSection, p.key, faces);
        b.setVisible(b.isEnabled());
        if (p.id == kApplyButton) {
            b.show();
            b.setEnabled(enabled);
        }
    }
    showHistory();
    CPngButton& logo = *buttons_.at(kLogoButton);
    PlaceControl(logo, layout_, skin::kButtonSection, "CONTROL_Network");
    const auto png = [&](const char* name) {
        return LoadScaledImage(skinFile(layout_, name), window_.devicePixelRatioF());
    };
    logo.SetPngFaces(png("logo_normal.png"), png("logo_over.png"), png("logo_down.png"),
                     png("logo_disable.png"));
    // The shape is in window pixels: the 1x mask at every ratio.
    logo.SetMask(QImage(skinFile(layout_, "logo_mask.bmp")), 1);
    PlaceControl(*version_, layout_, skin::kButtonSection, "KALMIR_VER");
    version_->setText(versionText_);
    version_->setVisible(!versionText_.isEmpty());
    auto* own =
        qobject_cast<CPngButton*>(hooks_.windowControl ? hooks_.windowControl(1134) : nullptr);
    if (own && !versionText_.isEmpty()) {
        // The window has its own version text: write into it instead.
        own->setText(versionText_);
        version_->hide();
    }
    version_->setStyleSheet(QStringLiteral("color: #9aa4b5; font-size: 8pt;"));
    PlaceControl(*busy_, layout_, skin::kButtonSection, "CONTROL_JDTStatic");
    LanguageChanged();
}

void CMainCommands::LanguageChanged() {
    const Language& language = context_.language;
    buttons_.at(kLinkButton)->SetTooltip(QString::fromStdString(layout_.link()), true);
    buttons_.at(kHelpButton)->SetTooltip(text(language, "MAIN_HELP_PROMPT"), true);
    buttons_.at(kCloseButton)->SetTooltip(text(language, "MAIN_CLOSE_PROMPT"), true);
    buttons_.at(kMinimizeButton)->SetTooltip(text(language, "MAIN_MINIMIZE_PROMPT"), true);
    buttons_.at(kMenuButton)->SetTooltip(text(language, "MAIN_MENU_PROMPT"), true);
    buttons_.at(kProfileManagerButton)
        ->SetTooltip(text(language, text_keys::PROFILE_MANAGER_TITLE), true);
    buttons_.at(kLogoButton)->SetTooltip(QString::fromStdString(layout_.link()), true);
    buttons_.at(kCommunityButton)->SetTooltip(QString::fromLatin1(kCommunityPage), true);
    buttons_.at(kVideoButton)->SetTooltip(QString::fromLatin1(kVideoPage), true);
    for (std::size_t i = 0; i < kReportRateButtons.size(); ++i) {
        buttons_.at(kReportRateButtons[i])
            ->setAccessibleName(QString::fromStdString(
                Language::formatWithNumber(language.text(text_keys::ACCESS_RATE_HZ), 125LL << i)));
    }
    buttons_.at(kUndoButton)->SetTooltip(text(language, text_keys::MAIN_UNDO_TIP), true);
    buttons_.at(kRedoButton)->SetTooltip(text(language, text_keys::MAIN_REDO_TIP), true);
    const CPngButton::TextColours white{Qt::white, Qt::white, Qt::white, Qt::white, Qt::white};
    const Placement texts[] = {{1135, "PROFILE_1"},
                               {1136, "PROFILE_2"},
                               {1137, "PROFILE_3"},
                               {kMacroButton, "PROFILE_MACRO"},
                               {kDefaultButton, "PROFILE_DEFAULT"},
                               {kApplyButton, "PROFILE_APPLY"}};
    for (const Placement& t : texts) {
        CPngButton& b = *buttons_.at(t.id);
        b.setText(text(language, t.key));
        b.SetTextStyle(true, 10, QStringLiteral("DejaVu Sans"), white);
    }
}

void CMainCommands::Command(int id) {
    const auto profile = std::find(kProfileButtons.begin(), kProfileButtons.end(), id);
    if (profile != kProfileButtons.end()) {
        SelectProfileButton(static_cast<int>(profile - kProfileButtons.begin()));
        return;
    }
    const auto rate = std::find(kReportRateButtons.begin(), kReportRateButtons.end(), id);
    if (rate != kReportRateButtons.end()) {
        SetReportRate(static_cast<int>(rate - kReportRateButtons.begin()));
        return;
    }
    const auto call = [](const auto& hook) {
        if (hook) {
            hook();
        }
    };
    switch (id) {
    case kDefaultButton:
        RestoreDefaults();
        break;
    case kApplyButton:
        Apply();
        break;
    case kUndoButton:
        Undo();
        break;
    case kRedoButton:
        Redo();
        break;
    case kProfileManagerButton:
        call(hooks_.openProfileManager);
        break;
    case kMacroButton:
        keys_.Click(kMacroButton);
        break;
    case kLinkButton:
    case kLogoButton:
        if (hooks_.openUrl) {
            hooks_.openUrl(QUrl(QString::fromStdString(layout_.link())));
        }
        break;
    case kCommunityButton:
    case kVideoButton:
        if (hooks_.openUrl) {
            hooks_.openUrl(
                QUrl(QString::fromLatin1(id == kCommunityButton ? kCommunityPage : kVideoPage)));
        }
        break;
    case kHelpButton:
        call(hooks_.openHelp);
        break;
    case kMinimizeButton:
        window_.showMinimized();
        break;
    case kCloseButton:
    case kExitCommand:
    case kTrayExitCommand:
        call(hooks_.quit);
        break;
    case kMenuButton:
        if (auto menu = ButtonMenu()) {
            if (QAction* chosen = menu->exec(QCursor::pos())) {
                Command(chosen->data().toInt());
            }
        }
        break;
    case kImportCommand:
        ImportProfileFile();
        break;
    case kExportCommand:
        ExportProfileFile();
        break;
    case kUpdateCommand:
        call(hooks_.openFirmwareUpdate);
        break;
    case kAboutCommand:
        call(hooks_.openAbout);
        break;
    default:
        break; // the lock indicators and anything unknown do nothing
    }
}

void CMainCommands::markOnly(const std::array<int, 3>& ids, int chosen) {
    for (std::size_t i = 0; i < ids.size(); ++i) {
        buttons_.at(ids[i])->SetSelected(static_cast<int>(i) == chosen, true);
    }
}

int CMainCommands::selectedProfile() const {
    for (std::size_t i = 0; i < kProfileButtons.size(); ++i) {
        if (buttons_.at(kProfileButtons[i])->IsSelected()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CMainCommands::SelectProfileButton(int n) {
    ProfileButtonSteps steps{
        [this](int p) {
            if (hooks_.showProfileLighting) {
                hooks_.showProfileLighting(p);
            }
        },
        [this] { return CurrentProfile(context_.transport, context_.keyboard); },
        [this](int p) { return switcher_.SelectProfile(p); },
        [this](int p) {
            markOnly(kProfileButtons, p);
            keys_.RedrawKeyButtons();
        },
        [this](int p) {
            if (hooks_.setLightingProfile) {
                hooks_.setLightingProfile(p);
            }
        },
    };
    return kw::SelectProfileButton(n, steps);
}

int CMainCommands::MarkProfileButtons() {
    ProfileButtonSteps steps;
    steps.activeProfile = [this] { return CurrentProfile(context_.transport, context_.keyboard); };
    steps.markProfile = [this](int p) { markOnly(kProfileButtons, p); };
    steps.setLightingProfile = [this](int p) {
        if (hooks_.setLightingProfile) {
            hooks_.setLightingProfile(p);
        }
    };
    return kw::MarkProfileButtons(steps);
}

int CMainCommands::RestoreDefaults() {
    if (!context_.prompter.askYesNo(context_.language.text("MAIN_PROMPT_DEFAULT"))) {
        return 0;
    }
    // Without a known active profile there is no profile to clear.
    if (keys_.ClearKeyFunctions() != 1) {
        return 0;
    }
    // One step, kept when the apply below does not get through.
    context_.recordEdit();
    if (hooks_.lightingViewOn && hooks_.lightingViewOn() && hooks_.restoreDefaultLighting) {
        hooks_.restoreDefaultLighting();
    }
    return Apply();
}

void CMainCommands::ShowReportRate(int rate) {
    for (std::size_t i = 0; i < kReportRateButtons.size(); ++i) {
        buttons_.at(kReportRateButtons[i])->SetSelected(static_cast<int>(i) == rate, true);
    }
    reportRate_ = rate;
}

void CMainCommands::SetReportRate(int rate) {
    ShowReportRate(rate);
    // A failed write is not reported: the keyboard keeps its rate and the next read shows it.
    if (hooks_.setReportRate) {
        hooks_.setReportRate(rate);
    }
}

int CMainCommands::Apply() {
    return ApplyConfiguration(context_, busyIndicator_.get());
}

int CMainCommands::Undo() {
    return stepHistory(&EditHistory::Undo);
}

int CMainCommands::Redo() {
    return stepHistory(&EditHistory::Redo);
}

int CMainCommands::stepHistory(int (EditHistory::*step)()) {
    if (!context_.history || (context_.history->*step)() != 1) {
        return 0;
    }
    keys_.RefreshKeyButtons();
    return 1;
}

void CMainCommands::showHistory() {
    buttons_.at(kUndoButton)->setEnabled(context_.history && context_.history->CanUndo());
    buttons_.at(kRedoButton)->setEnabled(context_.history && context_.history->CanRedo());
}

int CMainCommands::ImportProfileFile() {
    const auto file = files_.chooseOpenFile(kProfileFiles);
    if (file.empty()) {
        return 0;
    }
    return kw::ImportProfileFile(context_, file);
}

int CMainCommands::ExportProfileFile() {
    const auto file = files_.chooseSaveFile(kProfileFiles);
    if (file.empty()) {
        return 0;
    }
    return kw::ExportProfileFile(context_.config, file);
}

std::unique_ptr<QMenu> CMainCommands::ButtonMenu() {
    auto menu = std::make_unique<QMenu>();
    // The update dialog has no other way in, and About belongs beside it.
    for (const auto& [command, key] :
         {std::pair{kImportCommand, "MENU_1"}, std::pair{kExportCommand, "MENU_2"},
          std::pair{kUpdateCommand, "MENU_UPDATE"}, std::pair{kAboutCommand, "MENU_3"}}) {
        menu->addAction(text(context_.language, key))->setData(command);
    }
    return menu;
}

void CMainCommands::startBusy() {
    busyFrame_ = 0;
    showBusyFrame();
    busy_->show();
    busyTimer_.start();
}

void CMainCommands::stopBusy() {
    busyTimer_.stop();
    busy_->hide();
}

void CMainCommands::showBusyFrame() {
    const std::string name = "jdt" + std::to_string(busyFrame_ + 1) + ".bmp";
    busy_->setPixmap(
        QPixmap::fromImage(LoadScaledImage(skinFile(layout_, name), window_.devicePixelRatioF())));
    busyFrame_ = (busyFrame_ + 1) % kBusyFrames;
}

} // namespace kw::gui
