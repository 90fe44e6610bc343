#include "gui/skin/skin_picture.h"

#include "core/skin/mask_region.h"
#include "core/skin/skin_layout.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace kw::gui {

QImage LoadSkinPicture(const QString& file, QSize clientSize) {
    QImage decoded;
    if (!decoded.load(file)) {
        return {};
    }
    const QSize size =
        clientSize.grownBy(QMargins(0, 0, skin::kPictureMargin, skin::kPictureMargin));
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawImage(QPoint(0, 0), decoded);
    return picture;
}

QRegion RegionFromMask(const QImage& mask, QRgb transparent, int tolerance) {
    if (mask.isNull()) {
        return {};
    }
    const QImage pixels = mask.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(pixels.width()) * pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        std::copy(line, line + pixels.width(),
                  buffer.begin() + static_cast<std::ptrdiff_t>(y) * pixels.width());
    }
    const auto rects =
        skin::regionFromMask({pixels.width(), pixels.height(), buffer}, transparent & 0xFFFFFF,
                             static_cast<std::uint8_t>(std::clamp(tolerance, 0, 255)));
    // The runs come sorted by line and by x without overlaps. Lines with the
    // same runs as the line above extend its band, which gives the banded
    // form a region is built from in one step (and equal regions compare equal).
    std::vector<QRect> bands;
    std::size_t bandStart = 0; // first rectangle of the band being extended
    std::size_t i = 0;
    while (i < rects.size()) {
        std::size_t lineEnd = i;
        while (lineEnd < rects.size() && rects[lineEnd].y == rects[i].y) {
            ++lineEnd;
        }
        const std::size_t runs = lineEnd - i;
        const bool extends = bandStart < bands.size() && bands.size() - bandStart == runs &&
                             bands[bandStart].bottom() + 1 == rects[i].y &&
                             std::equal(rects.begin() + static_cast<std::ptrdiff_t>(i),
                                        rects.begin() + static_cast<std::ptrdiff_t>(lineEnd),
                                        bands.begin() + static_cast<std::ptrdiff_t>(bandStart),
                                        [](const skin::RegionRect& run, const QRect& band) {
                                            return run.x == band.x() && run.width == band.width();
                                        });
        if (extends) {
            for (std::size_t b = bandStart; b < bands.size(); ++b) {
                bands[b].setBottom(bands[b].bottom() + 1);
            }
        } else {
            bandStart = bands.size();
            for (std::size_t r = i; r < lineEnd; ++r) {
                bands.emplace_back(rects[r].x, rects[r].y, rects[r].width, 1);
            }
        }
        i = lineEnd;
    }
    QRegion region;
    region.setRects(bands.data(), static_cast<int>(bands.size()));
    return region;
}

} // namespace kw::gui
