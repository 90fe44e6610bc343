#pragma once
// The keyboard focus mark every skinned control draws over its picture, in
// the skin's accent colour, so someone working without a mouse sees where
// they are.

#include <QPainter>
#include <QRect>

namespace kw::gui {

void DrawFocusRing(QPainter& painter, const QRect& area);

} // namespace kw::gui
