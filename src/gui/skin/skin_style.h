#pragma once
// The look of the ordinary Qt controls (lists, edits, combo boxes, check
// boxes) that sit on the skin's dark pictures, in the skin's accent colour.

#include <QString>

namespace kw::gui {

QString SkinStyleSheet();

} // namespace kw::gui
