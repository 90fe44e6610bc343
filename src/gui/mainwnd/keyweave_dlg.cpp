#include "gui/mainwnd/keyweave_dlg.h"

#include "core/config/data_folder.h"
#include "core/device/commands.h"
#include "core/device/device_info.h"
#include "core/skin/skin_keys.h"
#include "core/skin/skin_layout.h"
#include "core/skin/text_keys.h"
#include "core/sync/apply_pipeline.h"
#include "core/sync/keyboard_refresh.h"
#include "gui/app/single_instance.h"
#include "gui/app/startup_trace.h"
#include "gui/skin/placement.h"
#include "gui/skin/skin_picture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QKeyEvent>
#include <QLineEdit>
#include <thread>
#include <unistd.h>

namespace kw::gui {

namespace {

// Captions drawn on the image buttons; the design's own face is not on
// every desktop, so a free one that is.
const QString kButtonFont = QStringLiteral("DejaVu Sans");
constexpr int kButtonFontSize = 10;
constexpr int kVersionFontSize = 8;
constexpr std::chrono::milliseconds kBusyPeriod{50};
constexpr std::chrono::milliseconds kPreviewFirst{100};
constexpr std::chrono::milliseconds kPreviewPeriod{50};
constexpr std::chrono::milliseconds kVersionPromptPause{10};
constexpr char kUpdateTool[] = "Orvupd-0104";
constexpr char kLogin[] = "org.freedesktop.login1";
constexpr char kLoginSession[] = "org.freedesktop.login1.Session";
// The login manager answers at once or not at all; start-up must not wait on it.
constexpr int kLoginTimeoutMs = 500;

struct SkinElement {
    const char* key;
    int id;
    const char* tooltipKey; // section "TEXT", or nullptr
};

// The window's image buttons beside the drawn keys, in placement order.
constexpr SkinElement kSkinElements[] = {
    {"KALMIR_LINK", kIdWebLink, nullptr},
    {"FUNC_PROFILES", kIdProfiles, nullptr},
    {"FUNC_MACRO", kIdMacro, nullptr},
    {"CONTROL_OK", kIdOk, nullptr},
    {"CONTROL_CANCEL", kIdCancel, nullptr},
    {"CONTROL_HELP", kIdHelp, "MAIN_HELP_PROMPT"},
    {"CONTROL_CLOSE", kIdClose, "MAIN_CLOSE_PROMPT"},
    {"CONTROL_MINIMIZE", kIdMinimize, "MAIN_MINIMIZE_PROMPT"},
    {"CONTROL_MENU", kIdMenu, "MAIN_MENU_PROMPT"},
    {"CONTROL2_APPLY", kIdApply, nullptr},
    {"LOCK_CAPS", 1125, nullptr},
    {"LOCK_NUM", 1126, nullptr},
    {"LOCK_SCROLL", 1127, nullptr},
    {"LOCK_AB", 1128, nullptr},
    {"FLIP_0", 1129, nullptr},
    {"FLIP_1", 1130, nullptr},
    {"FLIP_2", 1131, nullptr},
    {"KALMIR_VER", kIdVersionText, nullptr},
    {"FUNC_PROFILE1", 1135, nullptr},
    {"FUNC_PROFILE2", 1136, nullptr},
    {"FUNC_PROFILE3", 1137, nullptr},
    {"FUNC_DEFAULT", 1138, nullptr},
    {"FUNC_REPORT1", kIdReportRate1, nullptr},
    {"FUNC_REPORT2", 1168, nullptr},
    {"FUNC_REPORT3", 1169, nullptr},
    {"FUNC_REPORT4", 1170, nullptr},
    {"KEY_FN", 1174, nullptr},
};

struct ColourEdit {
    const char* key;
    int id;
};
constexpr ColourEdit kColourEdits[] = {{"COLOR_R", 1208}, {"COLOR_G", 1209}, {"COLOR_B", 1210}};

struct LabelText {
    int id;
    const char* key;
};
// Section "LIGHT".
constexpr LabelText kLightingLabels[] = {
    {kIdReportRateCaption, "Usb"},
    {1171, "Deng"},
    {1172, "Light"},
    {1148, "FX"},
    {1166, "Speed"},
    {1151, "Color"},
    {1154, "Color"},
    {1159, "Color"},
    {1161, "JColor"},
    {1173, "DC"},
    {1176, "DC"},
    {1163, "Tool"},
};
// Section "TEXT", drawn white on the buttons.
constexpr LabelText kButtonCaptions[] = {
    {1135, "PROFILE_1"},           {1136, "PROFILE_2"},         {1137, "PROFILE_3"},
    {kIdMacro, "PROFILE_MACRO"},   {1138, "PROFILE_DEFAULT"},   {kIdOk, "PROFILE_OK"},
    {kIdCancel, "PROFILE_CANCLE"}, {kIdApply, "PROFILE_APPLY"},
};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

bool isDescendant(QObject* object, const QObject* ancestor) {
    for (; object; object = object->parent()) {
        if (object == ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace

CKeyweaveDlg::CKeyweaveDlg(MainWindowContext& context)
    : CBaseDialog(nullptr,
                  context.programFolder / std::string(skin::kSkinsFolder) /
                      std::string(skin::kMainSkinFile),
                  [&context] { context.exitProcess(0); }),
      context_(context), device_(context.backend), transport_(device_, context.link.interfaceOpen),
      history_(context.config, modified_), sync_{transport_,
                                                 context.link.keyboard,
                                                 context.config,
                                                 context.deviceImage,
                                                 modified_,
                                                 context.prompter,
                                                 context.language,
                                                 context.dataHome,
                                                 context.programFolder,
                                                 {}},
      bridge_(*this), tray_(context.programFolder / std::string(skin::kSkinsFolder), this) {
    sync_.history = &history_;
    if (context.attachKeyboardLock) {
        context.attachKeyboardLock(transport_.sequenceLock(), device_);
    }
    setWindowIcon(QIcon(app::qtPath(context.programFolder / std::string(skin::kSkinsFolder) /
                                    app::CTrayIcon::IconFile(kIconKeyboardAbsent).toStdString())));
    busyTimer_.setInterval(kBusyPeriod);
    connect(&busyTimer_, &QTimer::timeout, this, &CKeyweaveDlg::showBusyFrame);
    previewTimer_.setSingleShot(true);
    connect(&previewTimer_, &QTimer::timeout, this, &CKeyweaveDlg::runPreviewTimer);
    connect(&tray_, &app::CTrayIcon::command, this, &CKeyweaveDlg::OnTrayCommand);
    tray_.SetMenuPreparation([this](QMenu& menu) { prepareTrayMenu(menu); });
}

CKeyweaveDlg::~CKeyweaveDlg() {
    // A window destroyed without its quit sequence (a test, a fatal exit)
    // must still not leave threads calling into it.
    bridge_.close();
    if (watcher_) {
        watcher_->stop();
    }
    if (listener_) {
        listener_->stop();
    }
    qApp->removeEventFilter(this);
}

void CKeyweaveDlg::Initialise() {
    if (!ApplySkin()) {
        return;
    }
    initDone_ = false;
    context_.link.keyboard.currentProfile = kProfileUnknown;
    // The libraries the design looked up at run time are linked into the
    // program on Linux; there is nothing left to find missing.
    listener_ = std::make_unique<EventListener>(context_.backend, context_.link, bridge_,
                                                context_.eventScanInterval);
    listener_->start();
    watcher_ = std::make_unique<PresenceWatcher>(device_, transport_, context_.link, bridge_,
                                                 context_.presenceTimings);
    watcher_->start();
    {
        std::lock_guard lock(context_.config.lock);
        context_.config.clearStrings();
        context_.config.createDefaultBlock();
    }
    modified_.clear();
    history_.Clear();
    modified_.subscribe([this](bool modified) {
        QMetaObject::invokeMethod(
            this,
            [this, modified] {
                if (CPngButton* apply = Control(kIdApply)) {
                    apply->setEnabled(modified);
                }
            },
            Qt::AutoConnection);
    });

    images_ = ViewImages::Load(Layout().folder(), PictureRatio());
    link_ = qs(Layout().link());
    if (hooks_.placeKeyButtons) {
        hooks_.placeKeyButtons();
    }
    placeSkinElements();
    ensureDataFolder(context_.dataHome, context_.programFolder);

    // Other instances find this window through the single-instance socket;
    // the design's window tag and its 212 named events for companions have no
    // counterpart a Linux companion could open, so the socket's requests
    // (OPEN, KILL, APPLY, GKEY) stand in for all of them.
    setWindowTitle(qs(context_.language.text("MAIN_CAPTION")));
    tray_.Create(qs(context_.language.text("KEYBOARD_TRAY_DESC")), kIconKeyboardAbsent);
    trayIconId_ = kIconKeyboardAbsent;
    QMetaObject::invokeMethod(this, &CKeyweaveDlg::OnInitDone, Qt::QueuedConnection);
    LanguageChanged(context_.language.CurrentLanguageIndex());
    qApp->installEventFilter(this);
    registerSessionNotifications();
    previewReset_ = true;
    previewTimer_.start(kPreviewFirst);
}

CPngButton* CKeyweaveDlg::placeButton(std::string_view key, int id, const FaceSet& faces) {
    auto* button = new CPngButton(this);
    PlaceImageButton(*button, Layout(), skin::kButtonSection, key, faces);
    controls_[id] = button;
    return button;
}

void CKeyweaveDlg::placeSkinElements() {
    const SkinPicture& n = images_.image(1);
    const SkinPicture& o = images_.image(2);
    const SkinPicture& d = images_.image(3);
    const SkinPicture& x = images_.image(4);
    const int index = context_.language.CurrentLanguageIndex();
    for (const SkinElement& element : kSkinElements) {
        const FaceSet faces =
            element.id == kIdApply ? FaceSet{n, o, d, x, n} : FaceSet{n, o, d, n, x};
        CPngButton* button = placeButton(element.key, element.id, faces);
        if (element.tooltipKey) {
            button->SetTooltip(qs(context_.language.LookupText(element.tooltipKey, index)), true);
        }
    }
    Control(kIdWebLink)->SetTooltip(link_, true);
    Control(kIdProfiles)->SetTextStyle(true, kButtonFontSize, kButtonFont, {});
    CPngButton* version = Control(kIdVersionText);
    version->setText(QString());
    version->SetTextStyle(true, kVersionFontSize, kButtonFont, {});
    version->setEnabled(false);
    version->SetDecorative();
    Control(kIdApply)->setEnabled(false);
    for (const ColourEdit& edit : kColourEdits) {
        auto* line = new QLineEdit(this);
        line->setMaxLength(3);
        // The size of the design's template; the skin only moves them. They
        // belong to the per-key colour panel, which shows them with itself.
        line->resize(40, 22);
        line->hide();
        PlacePositionOnly(*line, Layout(), skin::kButtonSection, edit.key);
        controls_[edit.id] = line;
    }
    // The report-rate caption; its text comes with the other lighting captions.
    auto* reportRateCaption = new QLabel(this);
    reportRateCaption->setStyleSheet(QStringLiteral("color: #d8dde6; font: 9pt \"DejaVu Sans\";"));
    PlaceControl(*reportRateCaption, Layout(), skin::kButtonSection, "CONTROL_UsbStatic");
    controls_[kIdReportRateCaption] = reportRateCaption;
    busyPicture_ = new QLabel(this);
    PlaceControl(*busyPicture_, Layout(), skin::kButtonSection, "CONTROL_JDTStatic");
    busyPicture_->hide();
    controls_[kIdBusyPicture] = busyPicture_;
    for (int i = 0; i < skin::kBusyFrameCount; ++i) {
        busyFrames_[i] = QPixmap::fromImage(LoadScaledImage(
            app::qtPath(Layout().folder() / ("jdt" + std::to_string(i + 1) + ".bmp")),
            PictureRatio()));
    }

    connect(Control(kIdOk), &QAbstractButton::clicked, this, &CKeyweaveDlg::OnOK);
    connect(Control(kIdCancel), &QAbstractButton::clicked, this, &QWidget::hide);
    connect(Control(kIdHelp), &QAbstractButton::clicked, this,
            [this] { app::OpenHelp(context_.shell, helpFolder()); });
}

std::filesystem::path CKeyweaveDlg::helpFolder() const {
    return context_.programFolder / "Help";
}

CPngButton* CKeyweaveDlg::Control(int id) const {
    return qobject_cast<CPngButton*>(Widget(id));
}

QWidget* CKeyweaveDlg::Widget(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void CKeyweaveDlg::RegisterWidget(int id, QWidget* widget) {
    controls_[id] = widget;
}

void CKeyweaveDlg::registerSessionNotifications() {
    // Without a system bus or a login session there is nothing to hear.
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusInterface manager(kLogin, QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), bus);
    manager.setTimeout(kLoginTimeoutMs);
    const QDBusReply<QDBusObjectPath> session =
        manager.call(QStringLiteral("GetSessionByPID"), static_cast<quint32>(getpid()));
    if (!session.isValid()) {
        return;
    }
    const QString path = session.value().path();
    bus.connect(kLogin, path, kLoginSession, QStringLiteral("Lock"), this, SLOT(onSessionLock()));
    bus.connect(kLogin, path, kLoginSession, QStringLiteral("Unlock"), this,
                SLOT(onSessionUnlock()));
    bus.connect(kLogin, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), this,
                SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
}

void CKeyweaveDlg::onSessionProperties(const QString& interfaceName, const QVariantMap& changed,
                                       const QStringList&) {
    // A session that stops being the seat's active one is the console switch away.
    const auto active = changed.find(QStringLiteral("Active"));
    if (interfaceName == kLoginSession && active != changed.end()) {
        OnSessionChange(active->toBool() ? SessionEvent::ConsoleConnect
                                         : SessionEvent::ConsoleDisconnect);
    }
}

void CKeyweaveDlg::OnInitDone() {
    initDone_ = true;
    // A keyboard found while the window was still starting may already have
    // shown it; hiding it then would swallow that first opening.
    if (!shownOnRequest_) {
        hide();
    }
}

void CKeyweaveDlg::ShowMainWindow() {
    if (quit_) {
        return;
    }
    if (context_.link.devicePresent == 0) {
        ShowText("MAIN_NO_DEVICE_PROMPT");
        return;
    }
    shownOnRequest_ = true;
    showNormal();
    raise();
    activateWindow();
}

void CKeyweaveDlg::ShowText(std::string_view key) {
    context_.prompter.showMessage(context_.language.text(key));
}

void CKeyweaveDlg::CheckFirmwareVersion() {
    DeviceInfo info;
    const std::uint16_t version =
        ReadDeviceInfo(transport_, info) == kCommandOk ? info.firmwareVersion() : 0;
    if (version == 0 || version >= kLowestFirmware) {
        return;
    }
    std::this_thread::sleep_for(kVersionPromptPause);
    if (context_.prompter.askOkCancel(kVersionTooLowText, kVersionTooLowCaption)) {
        std::this_thread::sleep_for(kVersionPromptPause);
        const std::filesystem::path help = helpFolder();
        context_.shell.startDetached(
            app::qtPath(help / kUpdateTool),
            {QStringLiteral("In"), QStringLiteral("the"), QStringLiteral("upgrade")},
            app::qtPath(help));
    }
    context_.exitProcess(0);
}

void CKeyweaveDlg::RefreshProfiles() {
    app::StartupMark("refresh begins");
    RefreshFromKeyboard(sync_);
    if (hooks_.afterRefresh) {
        hooks_.afterRefresh();
    }
    app::StartupMark("refresh done");
}

void CKeyweaveDlg::CloseEditors() {
    context_.about.CloseFromOutside();
    // The editors are modal dialogs on top of this window.
    for (QDialog* editor : findChildren<QDialog*>()) {
        if (editor->isVisible()) {
            editor->reject();
        }
    }
    if (QWidget* combo = Widget(kIdEffectCombo)) {
        combo->setFocus();
    }
    if (QWidget* rate = Widget(kIdReportRate1)) {
        rate->setFocus();
    }
}

void CKeyweaveDlg::ArmLightingRefresh() {
    QTimer::singleShot(0, this, [this] {
        if (hooks_.lightingRefresh && !quit_) {
            hooks_.lightingRefresh();
        }
    });
}

void CKeyweaveDlg::HandleInstanceRequest(const QByteArray& request) {
    if (quit_) {
        return;
    }
    if (request == app::kOpenRequest) {
        ShowMainWindow();
    } else if (request == app::kKillRequest) {
        hide();
        QuitSequence();
    } else if (request == app::kApplyRequest) {
        ApplyConfiguration(sync_, nullptr);
    } else if (request == app::kGKeyRefreshRequest) {
        sync_.redrawKeys();
    } else if (request == app::kChangedRequest) {
        // The keyboard now holds what another program wrote; an Apply from the
        // older image here would silently take it back. Without a keyboard the
        // next connection reads it anyway.
        static bool asking = false;
        if (asking || context_.link.devicePresent != 1) {
            return;
        }
        bool editing = modified_.isSet();
        for (const QDialog* editor : findChildren<QDialog*>()) {
            editing = editing || editor->isVisible();
        }
        if (editing) {
            asking = true;
            const bool load = context_.prompter.askYesNo(
                context_.language.text(text_keys::KEYBOARD_CHANGED_PROMPT));
            asking = false;
            if (!load || quit_) {
                // The user keeps the edits; their next Apply says what it
                // would write over before it does.
                return;
            }
            CloseEditors();
        }
        RefreshProfiles();
    }
}

void CKeyweaveDlg::LanguageChanged(int languageIndex) {
    const Language& language = context_.language;
    if (context_.about.IsOpen()) {
        context_.about.LanguageChanged(languageIndex);
    }
    if (hooks_.languageChanged) {
        hooks_.languageChanged(languageIndex);
    }
    const std::pair<int, const char*> tooltips[] = {{kIdMinimize, "MAIN_MINIMIZE_PROMPT"},
                                                    {kIdMenu, "MAIN_MENU_PROMPT"},
                                                    {kIdClose, "MAIN_CLOSE_PROMPT"}};
    for (const auto& [id, key] : tooltips) {
        if (CPngButton* button = Control(id)) {
            button->SetTooltip(qs(language.LookupText(key, languageIndex)), true);
        }
    }
    if (auto* rgb = qobject_cast<QLabel*>(Widget(1207))) {
        rgb->setText(QStringLiteral("RGB"));
    }
    for (const LabelText& label : kLightingLabels) {
        if (auto* widget = qobject_cast<QLabel*>(Widget(label.id))) {
            widget->setText(qs(language.LookupLightText(label.key, languageIndex)));
        }
    }
    const QColor white(Qt::white);
    for (const LabelText& caption : kButtonCaptions) {
        if (CPngButton* button = Control(caption.id)) {
            button->setText(qs(language.LookupText(caption.key, languageIndex)));
            button->SetTextStyle(true, kButtonFontSize, kButtonFont,
                                 {white, white, white, white, white});
        }
    }
    setWindowTitle(qs(language.LookupText("MAIN_CAPTION", languageIndex)));
    updateTrayTooltip();
}

void CKeyweaveDlg::StartBusyAnimation() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            busyFrame_ = 0;
            showBusyFrame();
            busyTimer_.start();
        },
        Qt::AutoConnection);
}

void CKeyweaveDlg::StopBusyAnimation() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            busyTimer_.stop();
            if (busyPicture_) {
                busyPicture_->hide();
            }
        },
        Qt::AutoConnection);
}

void CKeyweaveDlg::showBusyFrame() {
    if (!busyPicture_) {
        return;
    }
    busyPicture_->setPixmap(busyFrames_[busyFrame_]);
    busyPicture_->show();
    busyFrame_ = (busyFrame_ + 1) % skin::kBusyFrameCount;
}

bool CKeyweaveDlg::previewWanted() const {
    return !quit_ && (!hooks_.previewWanted || hooks_.previewWanted());
}

void CKeyweaveDlg::runPreviewTimer() {
    if (hooks_.previewStep) {
        hooks_.previewStep(previewReset_);
        previewReset_ = false;
    }
    // An idle window wakes for nothing: the timer stops until WakePreview.
    if (previewWanted()) {
        previewTimer_.start(kPreviewPeriod);
    }
}

void CKeyweaveDlg::WakePreview() {
    if (!previewTimer_.isActive() && previewWanted()) {
        previewTimer_.start(kPreviewPeriod);
    }
}

void CKeyweaveDlg::showEvent(QShowEvent* event) {
    CBaseDialog::showEvent(event);
    WakePreview();
}

void CKeyweaveDlg::changeEvent(QEvent* event) {
    CBaseDialog::changeEvent(event);
    // Restored from the task bar: the preview goes on.
    if (event->type() == QEvent::WindowStateChange) {
        WakePreview();
    }
}

void CKeyweaveDlg::OnOK() {
    ApplyConfiguration(sync_, nullptr);
    hide();
}

void CKeyweaveDlg::reject() {
    // Cancel and the window's close only hide it; the program lives on in the tray.
    hide();
}

void CKeyweaveDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

bool CKeyweaveDlg::eventFilter(QObject* watched, QEvent* event) {
    // Only the window's own keys: its dialogs (file choosers, the editors)
    // take Enter and Escape as they should.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A focused button takes Enter as a press; the window itself has no default button.
            return !qobject_cast<QAbstractButton*>(watched);
        }
        if (key == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress && hooks_.escapePressed) {
                hooks_.escapePressed();
            }
            return true;
        }
        const bool arrow =
            key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
        QWidget* combo = Widget(kIdEffectCombo);
        if (arrow && combo && isDescendant(watched, combo)) {
            return true;
        }
        if (key == Qt::Key_F1 && event->type() == QEvent::KeyPress) {
            app::OpenHelp(context_.shell, helpFolder());
            return true;
        }
    }
    return CBaseDialog::eventFilter(watched, event);
}

void CKeyweaveDlg::QuitSequence() {
    if (quit_) {
        return;
    }
    quit_ = true;
    CloseEditors();
    if (context_.releaseInstance) {
        context_.releaseInstance();
    }
    tray_.Remove();
    trayIconId_ = 0;
    if (CPngButton* apply = Control(kIdApply)) {
        apply->setEnabled(false);
    }
    // The device threads end before the images they refresh go away.
    bridge_.close();
    if (watcher_) {
        watcher_->stop();
    }
    if (listener_) {
        listener_->stop();
    }
    busyTimer_.stop();
    previewTimer_.stop();
    {
        std::lock_guard lock(context_.config.lock);
        context_.config.clearBlock();
        context_.config.clearMacros();
        context_.config.clearStrings();
    }
    history_.Clear(); // lets go of the copies
    {
        std::lock_guard lock(context_.deviceImage.lock);
        context_.deviceImage.clearBlock();
        context_.deviceImage.clearMacros();
        context_.deviceImage.clearStrings();
    }
    emit Ended();
}

} // namespace kw::gui
