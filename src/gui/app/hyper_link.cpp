#include "gui/app/hyper_link.h"

#include <QMouseEvent>

namespace kw::app {

CHyperLink::CHyperLink(ShellActions& shell, QWidget* parent) : QLabel(parent), shell_(shell) {
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0x1a, 0x5f, 0xd0));
    setPalette(colours);
}

void CHyperLink::SetLink(const QString& text, const QString& target) {
    setText(text);
    target_ = target;
    setToolTip(target);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !target_.isEmpty()) {
        shell_.openUrl(QUrl(target_));
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace kw::app
