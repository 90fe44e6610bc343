#pragma once
// Whole-window skin pictures and mask bitmaps as the skinned windows use them.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace kw::gui {

// "a/b.jpg" -> "a/b@2x.jpg": the same picture drawn at twice the size for
// high-density screens, which a skin may ship beside any of its pictures.
QString DoubleSizeName(const QString& file);

// The picture for a screen of `devicePixelRatio`. Above 1 it is the double-size
// picture, with device pixel ratio 2, when that one is there, exactly twice the
// file's size, and decodes (drawn smoothly, it also serves ratios between 1
// and 2); otherwise, and always at ratio 1 without looking for it, the file
// itself. Null when that cannot be decoded.
QImage LoadScaledImage(const QString& file, qreal devicePixelRatio);

// A whole-window picture that is decoded once, the first time something draws
// from it, and shared by every copy of the handle: a window pays only for the
// states it shows (most buttons are never pressed). Used on one thread; a
// prefetch decodes on a thread of its own, and the first use waits for it.
class SkinPicture {
public:
    SkinPicture() = default;
    // An already decoded picture (or none, for a null image).
    SkinPicture(QImage image); // NOLINT(google-explicit-constructor): a picture is a picture
    // The file as LoadScaledImage decodes it, when first needed.
    static SkinPicture Deferred(const QString& file, qreal devicePixelRatio);
    // What `decode` gives, when first needed; it may run on another thread.
    static SkinPicture Deferred(std::function<QImage()> decode);

    // Starts decoding now, beside the caller, when the picture is surely shown.
    void Prefetch() const;
    // The decoded picture; null when the file is missing or undecodable.
    const QImage& image() const;
    // Whether image() has been decoded (for the tests and the measurements).
    bool IsDecoded() const;

private:
    struct Data {
        std::function<QImage()> decode;
        std::future<QImage> pending;
        std::optional<QImage> image;
    };
    std::shared_ptr<Data> d_;
};

// The picture (as LoadScaledImage) drawn 1:1 from its top-left corner into an
// image of the window's client size plus the skin margin each way right and
// down, so faces near the edges stay inside it; the result keeps the picture's
// device pixel ratio. Null when the file is missing or undecodable.
QImage LoadSkinPicture(const QString& file, QSize clientSize, qreal devicePixelRatio);

// The pixels of `picture` that show the window rectangle `logical`.
QRect DevicePixels(const QImage& picture, const QRect& logical);

// The shape of a mask: pixels within `tolerance` above `transparent` in every
// channel are cut away. Empty when nothing is left (the window keeps its rectangle).
QRegion RegionFromMask(const QImage& mask, QRgb transparent = qRgb(255, 255, 255),
                       int tolerance = 0);

} // namespace kw::gui
