#pragma once
// Draws one line of a window description in one look: keycaps, pill buttons,
// icon buttons, indicators and the window's decoration.

#include <QPainter>
#include <QRectF>
#include <QString>

namespace kw::skingen {

enum class Look { Normal, Hover, Pressed, Selected, Disabled, Mark0, Mark1, Lit };

struct Item;
enum class PictureState;

// The look a style takes in a picture state (e.g. the "disable" picture shows
// key buttons selected but the Apply button greyed).
Look lookFor(const std::string& style, PictureState state);

// Whether a style is drawn into whole-window pictures at all.
bool isDrawn(const std::string& style);

void paintItem(QPainter& painter, const Item& item, Look look, const QString& version);

// A stand-alone icon (window buttons, tools, dialogs) centred in a rectangle.
void paintIcon(QPainter& painter, const QRectF& rect, const QString& name, const QColor& colour);

} // namespace kw::skingen
