#include "gui/skin/placement.h"

namespace kw::gui {

namespace {

QRect toQRect(const skin::SkinRect& r) {
    return {r.x, r.y, r.width, r.height};
}

} // namespace

void PlaceImageButton(CPngButton& button, const skin::SkinLayout& layout, std::string_view section,
                      std::string_view key, const FaceSet& faces) {
    const skin::SkinRect rect = layout.rect(section, key);
    button.setGeometry(toQRect(rect));
    button.SetFaces(rect.x, rect.y, faces.normal, faces.hover, faces.pressed, faces.disabled,
                    faces.selected);
    if (skin::isDefaultPlacement(rect)) {
        button.setEnabled(false);
    }
}

void PlaceControl(QWidget& control, const skin::SkinLayout& layout, std::string_view section,
                  std::string_view key) {
    control.setGeometry(toQRect(layout.rect(section, key)));
}

void PlaceFrameButton(CPngButton& button, const skin::SkinLayout& layout,
                      std::string_view positionKey, std::string_view frameSection,
                      std::string_view frameKey, const SkinPicture& sheet) {
    button.setGeometry(toQRect(layout.rect(skin::kButtonSection, positionKey)));
    const skin::SkinRect frame = layout.rect(frameSection, frameKey);
    button.SetFaces(frame.x, frame.y, sheet, sheet, sheet, sheet, sheet);
}

void PlacePositionOnly(QWidget& control, const skin::SkinLayout& layout, std::string_view section,
                       std::string_view key) {
    const skin::SkinRect rect = layout.rect(section, key);
    control.move(rect.x, rect.y);
    control.update();
}

} // namespace kw::gui
