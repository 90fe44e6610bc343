#pragma once
// Writes one window's skin: its INI file, background and mask bitmaps, its
// whole-window state pictures and its frame sheet, each at every picture scale.

#include "layout_description.h"

#include <QImage>
#include <QString>
#include <filesystem>

namespace kw::skingen {

// The window drawn in one state of one page (window size times `scale`, no margin).
QImage renderWindowPicture(const WindowDescription& window, const std::string& page,
                           PictureState state, const QString& version, int scale);

// Throws std::runtime_error when a file cannot be written.
void writeWindowSkin(const WindowDescription& window, const std::filesystem::path& skinsFolder,
                     const QString& version);

} // namespace kw::skingen
