#include "gui/skin/focus_ring.h"

namespace kw::gui {

void DrawFocusRing(QPainter& painter, const QRect& area) {
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x22, 0xd3, 0xee), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 4, 4);
    painter.restore();
}

} // namespace kw::gui
