#include "gui/skin/skin_picture.h"

#include "core/skin/mask_region.h"
#include "core/skin/skin_layout.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace kw::gui {

QString DoubleSizeName(const QString& file) {
    const QString suffix = QFileInfo(file).suffix();
    if (suffix.isEmpty()) {
        return file + QStringLiteral("@2x");
    }
    return file.chopped(suffix.size() + 1) + QStringLiteral("@2x.") + suffix;
}

QImage LoadScaledImage(const QString& file, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        // Only the headers are read to compare the sizes: a double-size
        // picture left over from an older 1x one would put every face in the
        // wrong place.
        QImageReader doubled(DoubleSizeName(file));
        const QSize expected = QImageReader(file).size() * 2;
        if (expected.isValid() && doubled.size() == expected) {
            QImage image = doubled.read();
            if (!image.isNull()) {
                image.setDevicePixelRatio(2.0);
                return image;
            }
        }
    }
    return QImage(file);
}

QImage LoadSkinPicture(const QString& file, QSize clientSize, qreal devicePixelRatio) {
    const QImage decoded = LoadScaledImage(file, devicePixelRatio);
    if (decoded.isNull()) {
        return {};
    }
    const qreal ratio = decoded.devicePixelRatio();
    const QSize size =
        clientSize.grownBy(QMargins(0, 0, skin::kPictureMargin, skin::kPictureMargin));
    QImage picture(size * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawImage(QPoint(0, 0), decoded);
    return picture;
}

QRect DevicePixels(const QImage& picture, const QRect& logical) {
    const qreal ratio = picture.devicePixelRatio();
    return {logical.topLeft() * ratio, logical.size() * ratio};
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
