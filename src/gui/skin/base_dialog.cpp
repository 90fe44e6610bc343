#include "gui/skin/base_dialog.h"

#include "gui/skin/focus_order.h"
#include "gui/skin/skin_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cstdlib>

namespace kw::gui {

namespace {

QString qtPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                             static_cast<qsizetype>(text.size()));
}

} // namespace

void CBaseDialog::ExitProcess() {
    std::_Exit(0);
}

CBaseDialog::CBaseDialog(QWidget* parent, std::filesystem::path skinIniFile, FatalExit fatalExit)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), skinIniFile_(std::move(skinIniFile)),
      fatalExit_(std::move(fatalExit)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CBaseDialog::ApplySkin() {
    return ApplySkin(devicePixelRatioF());
}

bool CBaseDialog::ApplySkin(qreal devicePixelRatio) {
    busy_ = true;
    pictureRatio_ = devicePixelRatio;
    layout_ = skin::SkinLayout::load(skinIniFile_);
    const std::filesystem::path backgroundFile = layout_.backgroundFile();
    const std::filesystem::path maskFile = layout_.maskFile();
    background_ = QImage();
    // The mask is only read for the shape; it is not kept.
    QImage mask;
    if (!backgroundFile.empty()) {
        background_ = LoadScaledImage(qtPath(backgroundFile), devicePixelRatio);
    }
    if (background_.isNull() || maskFile.empty() || !mask.load(qtPath(maskFile))) {
        busy_ = false;
        fatalExit_();
        return false;
    }
    setFixedSize(background_.deviceIndependentSize().toSize());
    // The shape is a set of whole window pixels: the 1x mask gives it exactly
    // at every ratio.
    const QRegion shape = RegionFromMask(mask);
    if (!shape.isEmpty()) {
        setMask(shape);
    }
    busy_ = false;
    return true;
}

void CBaseDialog::showEvent(QShowEvent* event) {
    QWidget* first = ApplyReadingTabOrder(*this);
    // Tab then starts from the top left; the first control shows no ring
    // until the keyboard moves the focus.
    if (first && !focusWidget()) {
        first->setFocus(Qt::ActiveWindowFocusReason);
    }
    QDialog::showEvent(event);
}

void CBaseDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(0, 0), background_);
}

void CBaseDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // The window system's own move works on Wayland too, where a client may
    // not place its windows.
    QWindow* handle = windowHandle();
    if (handle && handle->startSystemMove()) {
        return;
    }
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QDialog::mouseReleaseEvent(event);
}

} // namespace kw::gui
