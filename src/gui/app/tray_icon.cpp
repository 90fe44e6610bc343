#include "gui/app/tray_icon.h"

#include "gui/app/shell_actions.h"

namespace kw::app {

namespace {

// Longer tooltips are cut, as the notification area keeps 127 characters.
constexpr qsizetype kTooltipLimit = 127;

} // namespace

CTrayIcon::CTrayIcon(std::filesystem::path skinsFolder, QObject* parent)
    : QObject(parent), skinsFolder_(std::move(skinsFolder)), menu_(std::make_unique<QMenu>()) {
    // The built-in texts only show when the language file has none.
    addCommand(kCommandOpen)->setText(QStringLiteral("&Open"));
    addCommand(kCommandAbout)->setText(QStringLiteral("&About"));
    addCommand(kCommandAutostart)->setCheckable(true);
    addCommand(kCommandExit)->setText(QStringLiteral("E&xit"));
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] { PreparedMenu(); });
}

CTrayIcon::~CTrayIcon() {
    Remove();
}

QAction* CTrayIcon::addCommand(int id) {
    QAction* action = menu_->addAction(QString());
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { emit command(id); });
    return action;
}

QString CTrayIcon::IconFile(int iconId) {
    switch (iconId) {
    case 141:
        return QStringLiteral("tray_present.png");
    case 142:
        return QStringLiteral("tray_event.png");
    default:
        return QStringLiteral("tray_absent.png");
    }
}

bool CTrayIcon::Create(const QString& tooltip, int iconId) {
    tooltip_ = tooltip.left(kTooltipLimit);
    if (created_ || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return created_;
    }
    // The tray adds the icon again by itself when the panel restarts.
    icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setIcon(QIcon(qtPath(skinsFolder_ / IconFile(iconId).toStdString())));
    icon_->setToolTip(tooltip_);
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &CTrayIcon::HandleActivation);
    icon_->show();
    created_ = true;
    return true;
}

void CTrayIcon::SetTooltip(const QString& tooltip) {
    tooltip_ = tooltip.left(kTooltipLimit);
    if (created_) {
        icon_->setToolTip(tooltip_);
    }
}

void CTrayIcon::SetIcon(int iconId) {
    if (created_) {
        icon_->setIcon(QIcon(qtPath(skinsFolder_ / IconFile(iconId).toStdString())));
    }
}

void CTrayIcon::Remove() {
    if (created_) {
        icon_->hide();
        icon_.reset();
        created_ = false;
    }
}

int CTrayIcon::defaultOrFirstCommand() const {
    return defaultCommand_ != 0 ? defaultCommand_ : menu_->actions().front()->data().toInt();
}

QMenu& CTrayIcon::PreparedMenu() {
    if (prepare_) {
        prepare_(*menu_);
    }
    const int chosen = defaultOrFirstCommand();
    for (QAction* action : menu_->actions()) {
        QFont font = action->font();
        font.setBold(action->data().toInt() == chosen);
        action->setFont(font);
        if (action->data().toInt() == chosen) {
            menu_->setDefaultAction(action);
        }
    }
    return *menu_;
}

void CTrayIcon::HandleActivation(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) {
        emit command(defaultOrFirstCommand());
    }
}

} // namespace kw::app
