#include "gui/skin/bitmap_slider.h"

#include "gui/skin/focus_ring.h"
#include "gui/skin/skin_accessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <optional>

namespace kw::gui {

CBitmapSlider::CBitmapSlider(QWidget* parent, int controlId)
    : QWidget(parent), controlId_(controlId) {
    // Tab reaches it too: the keys move it as the pointer does.
    setFocusPolicy(Qt::StrongFocus);
    InstallSkinAccessibility();
}

skin::SliderGeometry CBitmapSlider::geometry() const {
    // Positions map to window pixels, whatever density the face was drawn at.
    const QSize size = face_.deviceIndependentSize().toSize();
    return {minimum_, maximum_, size.width(), size.height(), vertical_};
}

void CBitmapSlider::SetBitmap(const QImage& face) {
    face_ = face;
    if (!face.isNull()) {
        resize(face.deviceIndependentSize().toSize());
    }
    update();
}

void CBitmapSlider::SetFaceBitmap(const QImage& face) {
    face_ = face;
    update();
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = skin::clampSliderPosition(geometry(), position_);
}

void CBitmapSlider::SetPos(int position) {
    position_ = skin::clampSliderPosition(geometry(), position);
    update();
}

void CBitmapSlider::moveTo(int position) {
    SetPos(position);
    emit SliderChanged(controlId_, position_);
}

void CBitmapSlider::followPointer(QPoint point) {
    const skin::SliderGeometry g = geometry();
    const int along = vertical_ ? point.y() : point.x();
    if (along != skin::pixelOfPosition(g, position_)) {
        moveTo(skin::positionOfPixel(g, point.x(), point.y()));
    }
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    focused_ = true;
    dragging_ = true;
    followPointer(event->position().toPoint());
    update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        followPointer(event->position().toPoint());
    }
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    emit SliderChanged(controlId_, position_);
}

void CBitmapSlider::leaveEvent(QEvent* event) {
    focused_ = false;
    update();
    QWidget::leaveEvent(event);
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    std::optional<skin::SliderKey> key;
    switch (event->key()) {
    case Qt::Key_PageUp:
        key = skin::SliderKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = skin::SliderKey::PageDown;
        break;
    case Qt::Key_Home:
        key = skin::SliderKey::Home;
        break;
    case Qt::Key_End:
        key = skin::SliderKey::End;
        break;
    case Qt::Key_Left:
        key = skin::SliderKey::Left;
        break;
    case Qt::Key_Up:
        key = skin::SliderKey::Up;
        break;
    case Qt::Key_Right:
        key = skin::SliderKey::Right;
        break;
    case Qt::Key_Down:
        key = skin::SliderKey::Down;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (isEnabled()) {
        moveTo(skin::positionAfterKey(geometry(), position_, page_, *key));
    }
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
    if (!focused_ || !isEnabled()) {
        event->ignore();
        return;
    }
    moveTo(position_ + skin::wheelStep(event->angleDelta().y()));
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!face_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QPoint(0, 0), face_);
    }
    // The focus frame goes over the face, or the face would hide it.
    if (focused_ || hasFocus()) {
        DrawFocusRing(painter, rect());
    }
}

void CBitmapSlider::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void CBitmapSlider::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

} // namespace kw::gui
