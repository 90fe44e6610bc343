#pragma once
// Writing skin pictures. Every picture ships at two scales: the file as the
// skin INI files name it, drawn for screens of device pixel ratio 1, and
// beside it "<name>@2x.<ext>", the same drawing at twice the size for
// high-density screens, in the same format.

#include <QImage>
#include <QSize>
#include <array>
#include <filesystem>
#include <functional>

namespace kw::skingen {

inline constexpr std::array<int, 2> kPictureScales = {1, 2};

// "a/b.jpg" at scale 2 is "a/b@2x.jpg"; scale 1 keeps the name.
std::filesystem::path scaledFileName(const std::filesystem::path& file, int scale);

// A blank image for a picture of `size` drawn at `scale`. It carries the
// scale as its device pixel ratio, so a painter on it works in 1x coordinates
// and draws glyphs and lines at the full resolution.
QImage scaledCanvas(QSize size, int scale, QImage::Format format);

// Saves an image through a temporary file renamed over the target.
// Throws std::runtime_error when it cannot be encoded or written.
void saveImage(const QImage& image, const std::filesystem::path& file, const char* format,
               int quality = -1);

// Saves render(scale) at every scale under its scaled name.
void saveAtEveryScale(const std::filesystem::path& file, const char* format, int quality,
                      const std::function<QImage(int scale)>& render);

} // namespace kw::skingen
