#include "gui/skin/skin_picture.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace kw::gui {
namespace {

TEST(SkinPicture, PictureGetsTheMarginAndKeepsItsPixelsAtOneToOne) {
    testing::application();
    kw::testing::TempDir dir;
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(Qt::blue);
    source.setPixel(39, 29, qRgb(255, 0, 0));
    const QString file = QString::fromStdString((dir / "pic.png").string());
    ASSERT_TRUE(source.save(file));
    const QImage picture = LoadSkinPicture(file, QSize(40, 30));
    EXPECT_EQ(picture.size(), QSize(140, 130));
    EXPECT_EQ(picture.pixel(39, 29), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(picture.pixel(40, 29)), 0);
    EXPECT_TRUE(
        LoadSkinPicture(QString::fromStdString((dir / "absent.jpg").string()), QSize(40, 30))
            .isNull());
}

TEST(SkinPicture, MaskRegionCutsWhiteAway) {
    QImage mask(4, 3, QImage::Format_RGB32);
    mask.fill(Qt::white);
    EXPECT_TRUE(RegionFromMask(mask).isEmpty()); // all white: the window keeps its rectangle
    mask.setPixel(1, 1, qRgb(0, 0, 0));
    mask.setPixel(2, 1, qRgb(10, 10, 10));
    const QRegion region = RegionFromMask(mask);
    EXPECT_EQ(region, QRegion(1, 1, 2, 1));
    EXPECT_TRUE(RegionFromMask(QImage()).isEmpty());
}

} // namespace
} // namespace kw::gui
