#include "gui/skin/skin_picture.h"

#include "core/skin/mask_region.h"
#include "core/skin/skin_layout.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <span>
#include <system_error>
#include <vector>

namespace kw::gui {

namespace {
constexpr int kMaskBandLines = 64;
} // namespace

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

SkinPicture::SkinPicture(QImage image) {
    if (!image.isNull()) {
        d_ = std::make_shared<Data>();
        d_->image = std::move(image);
    }
}

SkinPicture SkinPicture::Deferred(const QString& file, qreal devicePixelRatio) {
    return Deferred([file, devicePixelRatio] { return LoadScaledImage(file, devicePixelRatio); });
}

SkinPicture SkinPicture::Deferred(std::function<QImage()> decode) {
    SkinPicture picture;
    picture.d_ = std::make_shared<Data>();
    picture.d_->decode = std::move(decode);
    return picture;
}

void SkinPicture::Prefetch() const {
    if (d_ && !d_->image && !d_->pending.valid()) {
        try {
            d_->pending = std::async(std::launch::async, d_->decode);
        } catch (const std::system_error&) {
            // No thread to spare: the first use decodes it instead.
        }
    }
}

const QImage& SkinPicture::image() const {
    static const QImage kNone;
    if (!d_) {
        return kNone;
    }
    if (!d_->image) {
        d_->image = d_->pending.valid() ? d_->pending.get() : d_->decode();
    }
    return *d_->image;
}

bool SkinPicture::IsDecoded() const {
    return d_ && d_->image.has_value();
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
    // A band of lines at a time in 32-bit pixels, whose lines are never padded,
    // so a one-bit mask never costs a whole-window 32-bit copy.
    std::vector<skin::RegionRect> rects;
    for (int top = 0; top < mask.height(); top += kMaskBandLines) {
        const int lines = std::min(kMaskBandLines, mask.height() - top);
        const QImage band =
            mask.copy(0, top, mask.width(), lines).convertToFormat(QImage::Format_RGB32);
        const std::span<const std::uint32_t> pixels(
            reinterpret_cast<const std::uint32_t*>(band.constBits()),
            static_cast<std::size_t>(band.sizeInBytes()) / sizeof(std::uint32_t));
        for (skin::RegionRect run :
             skin::regionFromMask({band.width(), band.height(), pixels}, transparent & 0xFFFFFF,
                                  static_cast<std::uint8_t>(std::clamp(tolerance, 0, 255)))) {
            run.y += top;
            rects.push_back(run);
        }
    }
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
