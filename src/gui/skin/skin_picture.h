#pragma once
// Whole-window skin pictures and mask bitmaps as the skinned windows use them.

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

namespace kw::gui {

// The picture drawn 1:1 from its top-left corner into an image of the
// window's client size plus the skin margin each way right and down, so faces
// near the edges stay inside it. Null when the file is missing or undecodable.
QImage LoadSkinPicture(const QString& file, QSize clientSize);

// The shape of a mask: pixels within `tolerance` above `transparent` in every
// channel are cut away. Empty when nothing is left (the window keeps its rectangle).
QRegion RegionFromMask(const QImage& mask, QRgb transparent = qRgb(255, 255, 255),
                       int tolerance = 0);

} // namespace kw::gui
