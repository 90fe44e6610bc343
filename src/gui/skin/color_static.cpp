#include "gui/skin/color_static.h"

namespace kw::gui {

ColorStatic::ColorStatic(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    SetTextColour(colour_);
}

void ColorStatic::SetTextColour(const QColor& colour) {
    colour_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    setPalette(p);
    repaint();
}

} // namespace kw::gui
