#include "gui/skin/focus_order.h"

#include "core/skin/control_order.h"

#include <vector>

namespace kw::gui {

QWidget* ApplyReadingTabOrder(QWidget& window) {
    std::vector<QWidget*> children;
    std::vector<skin::SkinRect> rects;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The toolkit leaves widgets that take no focus out of any order.
        if (child->isWindow() || !(child->focusPolicy() & Qt::TabFocus)) {
            continue;
        }
        const QRect g = child->geometry();
        children.push_back(child);
        rects.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    QWidget* first = nullptr;
    QWidget* previous = nullptr;
    for (std::size_t index : skin::ReadingOrder(rects)) {
        if (previous) {
            QWidget::setTabOrder(previous, children[index]);
        } else {
            first = children[index];
        }
        previous = children[index];
    }
    return first;
}

} // namespace kw::gui
