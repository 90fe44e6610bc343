#include "gui/skin/png_button.h"

#include "gui/skin/focus_ring.h"
#include "gui/skin/skin_accessible.h"
#include "gui/skin/skin_picture.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace kw::gui {

namespace {
constexpr int kTooltipDelayMs = 300;
} // namespace

CPngButton::CPngButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    // Tab reaches it, a click does not take the focus (no ring after a click).
    setFocusPolicy(Qt::TabFocus);
    InstallSkinAccessibility();
    tooltipTimer_.setSingleShot(true);
    tooltipTimer_.setInterval(kTooltipDelayMs);
    connect(&tooltipTimer_, &QTimer::timeout, this, &CPngButton::showTooltip);
}

void CPngButton::resetInteraction() {
    hover_ = false;
    setDown(false);
}

void CPngButton::SetFaces(int x, int y, const SkinPicture& normal, const SkinPicture& hover,
                          const SkinPicture& pressed, const SkinPicture& disabled,
                          const SkinPicture& selected, bool /*redraw*/) {
    offset_ = QPoint(x, y);
    SetFaceSources(normal, hover, pressed, disabled, selected, true);
}

void CPngButton::SetFaceSources(const SkinPicture& normal, const SkinPicture& hover,
                                const SkinPicture& pressed, const SkinPicture& disabled,
                                const SkinPicture& selected, bool /*redraw*/) {
    // The faces always repaint: a button must never keep showing a face it no longer has.
    faces_ = {normal, hover, pressed, disabled, selected};
    resetInteraction();
    update();
}

void CPngButton::SetDecorative() {
    decorative_ = true;
    setFocusPolicy(Qt::NoFocus);
}

void CPngButton::SetSelected(bool selected, bool redraw) {
    if (accessibleToggle_ && selected != selected_) {
        selected_ = selected;
        announce(QAccessible::StateChanged);
    }
    selected_ = selected;
    if (redraw) {
        update();
    }
}

void CPngButton::SetColourMark(const QColor& colour, int strength, bool enable, bool redraw) {
    markEnabled_ = enable;
    markColour_ = colour;
    markStrength_ = enable ? std::clamp(strength, 0, 100) : strength;
    if (redraw) {
        update();
    }
}

void CPngButton::SetTextStyle(bool drawText, int pointSize, const QString& family,
                              const TextColours& colours, Qt::Alignment alignment) {
    drawText_ = drawText;
    pointSize_ = pointSize;
    family_ = family;
    textColours_ = colours;
    alignment_ = alignment;
    update();
}

void CPngButton::SetTextAngle(int tenthsOfDegree, bool rotateAndCentre) {
    angle_ = tenthsOfDegree;
    rotate_ = rotateAndCentre;
    update();
}

void CPngButton::SetTooltip(const QString& text, bool activate) {
    if (text.isEmpty()) {
        return;
    }
    const bool renamed = tooltipText_ != text;
    tooltipText_ = text;
    tooltipActive_ = activate;
    if (renamed) {
        // A key's tooltip is its accessible name: it follows the key's function.
        announce(QAccessible::NameChanged);
    }
    if (!activate) {
        tooltipTimer_.stop();
    }
}

void CPngButton::SetMask(const QImage& mask, int mode) {
    if (mode == 1) {
        const QRegion region = RegionFromMask(mask);
        if (!region.isEmpty()) {
            setMask(region);
        }
    } else {
        clearMask();
    }
}

void CPngButton::SetPngFaces(const QImage& normal, const QImage& hover, const QImage& pressed,
                             const QImage& disabledOrSelected) {
    pngFaces_ = {normal, hover, pressed, disabledOrSelected};
    update();
}

void CPngButton::SetMarkFaces(const SkinPicture& first, const SkinPicture& second, bool useSecond,
                              bool markingMode, bool /*redraw*/) {
    markFaces_ = {first, second};
    useSecondMark_ = useSecond;
    markingMode_ = markingMode;
    resetInteraction();
    update();
}

CPngButton::Face CPngButton::chooseFace() const {
    if (!isEnabled()) {
        return Disabled;
    }
    if (markingMode_) {
        return useSecondMark_ ? MarkSecond : MarkFirst;
    }
    if (isDown()) {
        return Pressed;
    }
    if (hover_) {
        return Hover;
    }
    return selected_ ? Selected : Normal;
}

void CPngButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Face face = chooseFace();
    const bool pngMode = std::any_of(pngFaces_.begin(), pngFaces_.end(),
                                     [](const QImage& i) { return !i.isNull(); });
    if (markEnabled_) {
        // The mark replaces the face: a 2-pixel frame, the inside left alone.
        const int w = width();
        const int h = height();
        painter.fillRect(0, 0, w, 2, markColour_);
        painter.fillRect(0, h - 2, w, 2, markColour_);
        painter.fillRect(0, 0, 2, h, markColour_);
        painter.fillRect(w - 2, 0, 2, h, markColour_);
        lastFace_ = ColourMark;
    } else if (pngMode) {
        const int index = face == Pressed                          ? 2
                          : face == Hover                          ? 1
                          : (face == Disabled || face == Selected) ? 3
                                                                   : 0;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawImage(QPoint(0, 0), pngFaces_[static_cast<std::size_t>(index)]);
        lastFace_ = Png;
    } else {
        const QImage& source = (face == MarkFirst    ? markFaces_[0]
                                : face == MarkSecond ? markFaces_[1]
                                                     : faces_[static_cast<std::size_t>(face)])
                                   .image();
        if (!source.isNull()) {
            // A double-size picture is cut at its own pixels; between ratios 1
            // and 2 it is drawn smoothly scaled down.
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), source,
                              DevicePixels(source, QRect(offset_ - QPoint(1, 1), size())));
        }
        lastFace_ = face;
    }

    if (drawText_ && !text().isEmpty()) {
        const QColor colour = face == Disabled   ? textColours_.disabled
                              : face == Pressed  ? textColours_.pressed
                              : face == Hover    ? textColours_.hover
                              : face == Selected ? textColours_.selected
                                                 : textColours_.normal;
        QFont font(family_);
        font.setPointSize(std::max(1, pointSize_));
        font.setBold(rotate_);
        painter.setFont(font);
        painter.setPen(colour);
        QRectF area = rect();
        if (angle_ != 0) {
            // Text at an angle turns about the button's centre; with the
            // rotate flag it gets a square wide enough to stay centred whole.
            painter.translate(area.center());
            painter.rotate(-angle_ / 10.0);
            const double side = rotate_ ? std::max(area.width(), area.height()) : area.width();
            area = QRectF(-side / 2, -area.height() / 2, side, area.height());
            if (rotate_) {
                area.setTop(-side / 2);
                area.setHeight(side);
            }
        }
        painter.drawText(area, static_cast<int>(alignment_) | Qt::TextSingleLine, text());
    }

    if (afterPaint_) {
        afterPaint_(*this, lastFace_ == Normal);
    }
    if (hasFocus() && focusRing_) {
        DrawFocusRing(painter, rect());
    }
}

void CPngButton::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    focusRing_ = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                 reason != Qt::MouseFocusReason;
    QAbstractButton::focusInEvent(event);
}

void CPngButton::keyPressEvent(QKeyEvent* event) {
    // Enter presses a focused button like Space; it clicks on release, so the
    // key never reaches a window the click opens.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isEnabled()) {
        if (!event->isAutoRepeat()) {
            setDown(true);
        }
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CPngButton::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        event->accept();
        if (isDown()) {
            setDown(false);
            click();
        }
        return;
    }
    QAbstractButton::keyReleaseEvent(event);
}

void CPngButton::announce(QAccessible::Event change) {
    if (!QAccessible::isActive()) {
        return;
    }
    if (change == QAccessible::StateChanged) {
        QAccessible::State state;
        state.checked = true;
        QAccessibleStateChangeEvent event(this, state);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleEvent event(this, change);
        QAccessible::updateAccessibility(&event);
    }
}

void CPngButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    if (tooltipActive_ && !tooltipText_.isEmpty()) {
        tooltipTimer_.start();
    }
    QAbstractButton::enterEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
    hover_ = false;
    tooltipTimer_.stop();
    QToolTip::hideText();
    update();
    QAbstractButton::leaveEvent(event);
}

bool CPngButton::event(QEvent* event) {
    // Our own timer decides when the tip shows; the toolkit's delay is longer.
    if (event->type() == QEvent::ToolTip) {
        return true;
    }
    return QAbstractButton::event(event);
}

void CPngButton::showTooltip() {
    if (hover_ && tooltipActive_ && isVisible()) {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), tooltipText_, this);
    }
}

} // namespace kw::gui
