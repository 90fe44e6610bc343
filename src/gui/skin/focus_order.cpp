#include "gui/skin/focus_order.h"

#include "core/skin/control_order.h"

#include <vector>

namespace kw::gui {

void ApplyReadingTabOrder(QWidget& window) {
    std::vector<QWidget*> children;
    std::vector<skin::SkinRect> rects;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            continue;
        }
        const QRect g = child->geometry();
        children.push_back(child);
        rects.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    QWidget* previous = nullptr;
    for (std::size_t index : skin::ReadingOrder(rects)) {
        if (previous) {
            QWidget::setTabOrder(previous, children[index]);
        }
        previous = children[index];
    }
}

} // namespace kw::gui
