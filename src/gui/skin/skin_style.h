#pragma once
// The look of the ordinary Qt controls (lists, edits, combo boxes, check
// boxes) that sit on the skin's dark pictures, in the skin's accent colour.

#include <QApplication>
#include <QString>

namespace kw::gui {

QString SkinStyleSheet();

// The whole application in the skin's dark look, including what has no skin:
// question and message boxes, file dialogs, menus and tooltips.
void ApplySkinTheme(QApplication& application);

} // namespace kw::gui
