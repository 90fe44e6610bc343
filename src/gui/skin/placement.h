#pragma once
// Moving controls to the rectangles their skin keys give.

#include "core/skin/skin_layout.h"
#include "gui/skin/png_button.h"
#include "gui/skin/skin_picture.h"

#include <QWidget>
#include <string_view>

namespace kw::gui {

// The five pictures an image button cuts its faces from.
struct FaceSet {
    SkinPicture normal, hover, pressed, disabled, selected;
};

// Moves the button to its key's rectangle and gives it the faces cut at that
// place; a button left at the default place (x = 1, y = 1) is disabled.
void PlaceImageButton(CPngButton& button, const skin::SkinLayout& layout, std::string_view section,
                      std::string_view key, const FaceSet& faces);

// Moves and sizes any control to its key's rectangle.
void PlaceControl(QWidget& control, const skin::SkinLayout& layout, std::string_view section,
                  std::string_view key);

// Places the button by `positionKey` of "BUTTONINFO" and shows the frame of
// `sheet` that `frameKey` of `frameSection` names, in every face slot.
void PlaceFrameButton(CPngButton& button, const skin::SkinLayout& layout,
                      std::string_view positionKey, std::string_view frameSection,
                      std::string_view frameKey, const SkinPicture& sheet);

// Moves the control to its key's x and y and keeps its size.
void PlacePositionOnly(QWidget& control, const skin::SkinLayout& layout, std::string_view section,
                       std::string_view key);

} // namespace kw::gui
