#pragma once
// The main window's lighting bitmaps, the web-site button's faces and mask,
// and the tray icons, each sized after the control that shows it.

#include "layout_description.h"

#include <QString>
#include <filesystem>

namespace kw::skingen {

// Throws std::runtime_error when a control they are sized after is missing.
void writeLightingPictures(const WindowDescription& main, const std::filesystem::path& skinsFolder);
void writeLogoAndTrayIcons(const WindowDescription& main, const std::filesystem::path& skinsFolder);
// The program's icon for the desktop: the logo at the icon theme's usual
// sizes, as <root>/hicolor/<n>x<n>/apps/keyweave.png.
void writeApplicationIcons(const std::filesystem::path& iconsRoot);

} // namespace kw::skingen
