#include "gui/app/about_dlg.h"

#include "gui/skin/skin_picture.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace kw::app {

namespace {

QString text(const Language& language, const char* key, int index) {
    return QString::fromStdString(language.LookupText(key, index));
}

} // namespace

CAboutDlg::CAboutDlg(const Language& language, ShellActions& shell,
                     std::filesystem::path helpFolder, QString link)
    : QDialog(nullptr), language_(language), shell_(shell), helpFolder_(std::move(helpFolder)),
      firstLine_(new gui::ColorStatic(this)), secondLine_(new gui::ColorStatic(this)),
      link_(new CHyperLink(shell, this)), ok_(new QPushButton(this)) {
    setModal(false);
    auto* icon = new QLabel(this);
    // Scaled to the screen's own pixels, so a high-density screen shows it sharp.
    const qreal ratio = devicePixelRatioF();
    QPixmap logo =
        QPixmap::fromImage(
            gui::LoadScaledImage(qtPath(language.programFolder() / "Skins" / "tray_absent.png"),
                                 ratio))
            .scaled(QSize(48, 48) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    logo.setDevicePixelRatio(ratio);
    icon->setPixmap(logo);
    firstLine_->SetTextColour(palette().color(QPalette::WindowText));
    secondLine_->SetTextColour(palette().color(QPalette::WindowText));
    link_->SetLink(link, link);

    auto* texts = new QVBoxLayout;
    texts->addWidget(firstLine_);
    texts->addWidget(secondLine_);
    texts->addWidget(link_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addWidget(ok_, 0, Qt::AlignTop);
    setLayout(top);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ok_->setDefault(true);
}

bool CAboutDlg::Open() {
    if (open_) {
        raise();
        activateWindow();
        return false;
    }
    open_ = true;
    LanguageChanged(language_.CurrentLanguageIndex());
    show();
    raise();
    activateWindow();
    return true;
}

void CAboutDlg::CloseFromOutside() {
    if (open_) {
        open_ = false;
        hide();
    }
}

void CAboutDlg::done(int result) {
    open_ = false;
    QDialog::done(result);
}

void CAboutDlg::LanguageChanged(int languageIndex) {
    setWindowTitle(text(language_, "LANG_ABOUT_TITLE", languageIndex));
    firstLine_->setText(text(language_, "GUANYU_JIESHAO", languageIndex));
    secondLine_->setText(text(language_, "GUANYU_BANQUAN", languageIndex));
    ok_->setText(text(language_, "LANG_ABOUT_OK", languageIndex));
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelp(shell_, helpFolder_);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kw::app
