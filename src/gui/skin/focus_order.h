#pragma once
// Tab order for a skinned window: its controls are placed by rectangle, in
// no particular creation order, so Tab follows where they stand instead.

#include <QWidget>

namespace kw::gui {

// Chains the window's direct child widgets that Tab reaches in reading order
// of their geometry (region by region, each top to bottom and left to
// right). Returns the first of them, or null.
QWidget* ApplyReadingTabOrder(QWidget& window);

} // namespace kw::gui
