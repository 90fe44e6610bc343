#include "gui/skin/skin_picture.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <utility>

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
    const QImage picture = LoadSkinPicture(file, QSize(40, 30), 1.0);
    EXPECT_EQ(picture.size(), QSize(140, 130));
    EXPECT_EQ(picture.pixel(39, 29), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(picture.pixel(40, 29)), 0);
    EXPECT_TRUE(
        LoadSkinPicture(QString::fromStdString((dir / "absent.jpg").string()), QSize(40, 30), 1.0)
            .isNull());
}

TEST(SkinPicture, DeferredPictureDecodesOnceWhenFirstUsedAndIsSharedByItsCopies) {
    testing::application();
    kw::testing::TempDir dir;
    QImage source(8, 6, QImage::Format_RGB32);
    source.fill(Qt::green);
    const QString file = QString::fromStdString((dir / "pic.png").string());
    ASSERT_TRUE(source.save(file));

    const SkinPicture picture = SkinPicture::Deferred(file, 1.0);
    const SkinPicture copy = picture;
    EXPECT_FALSE(picture.IsDecoded());
    EXPECT_EQ(copy.image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_TRUE(picture.IsDecoded());
    // Decoded once: the file going away changes nothing any more.
    std::filesystem::remove(dir / "pic.png");
    EXPECT_EQ(picture.image().size(), QSize(8, 6));

    const SkinPicture prefetched = SkinPicture::Deferred(file, 1.0);
    ASSERT_TRUE(source.save(file));
    prefetched.Prefetch();
    EXPECT_EQ(prefetched.image().pixel(7, 5), qRgb(0, 255, 0));

    // A missing file and no picture at all both draw nothing.
    EXPECT_TRUE(SkinPicture::Deferred(QString::fromStdString((dir / "absent.jpg").string()), 1.0)
                    .image()
                    .isNull());
    EXPECT_TRUE(SkinPicture().image().isNull());
    EXPECT_TRUE(SkinPicture(QImage()).image().isNull());
}

TEST(SkinPicture, DoubleSizeNameSitsBesideTheFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"Skins/main_normal.jpg", "Skins/main_normal@2x.jpg"},
        {"/a.b/logo.mask.bmp", "/a.b/logo.mask@2x.bmp"},
        {"/a.b/noextension", "/a.b/noextension@2x"},
    };
    for (const auto& [file, doubled] : cases) {
        EXPECT_EQ(DoubleSizeName(QString::fromUtf8(file)), QString::fromUtf8(doubled));
    }
}

// A 1x picture (blue) and, depending on the case, its double-size companion.
class ScaledPictureTest : public ::testing::Test {
protected:
    ScaledPictureTest() { testing::application(); }
    QString save(const char* name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = QString::fromStdString((dir / name).string());
        EXPECT_TRUE(image.save(file));
        return file;
    }
    kw::testing::TempDir dir;
};

TEST_F(ScaledPictureTest, DoubleSizePictureOnlyAboveRatioOneAndOnlyWhenItFits) {
    struct Case {
        const char* doubled; // what lies beside pic.png
        qreal ratio;
        QSize pixels;
        qreal pictureRatio;
    };
    const Case cases[] = {
        {"fits", 1.0, {40, 30}, 1.0},   {"fits", 1.25, {80, 60}, 2.0},
        {"fits", 2.0, {80, 60}, 2.0},   {"fits", 3.0, {80, 60}, 2.0},
        {"none", 2.0, {40, 30}, 1.0},   {"stale", 2.0, {40, 30}, 1.0},
        {"broken", 2.0, {40, 30}, 1.0},
    };
    const QString file = save("pic.png", {40, 30}, Qt::blue);
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "pic@2x.png");
        const std::string doubled = c.doubled;
        if (doubled == "fits") {
            save("pic@2x.png", {80, 60}, Qt::red);
        } else if (doubled == "stale") {
            save("pic@2x.png", {84, 60}, Qt::red);
        } else if (doubled == "broken") {
            std::ofstream(dir / "pic@2x.png") << "not a picture";
        }
        const QImage image = LoadScaledImage(file, c.ratio);
        const std::string what = doubled + " at " + std::to_string(c.ratio);
        EXPECT_EQ(image.size(), c.pixels) << what;
        EXPECT_EQ(image.devicePixelRatio(), c.pictureRatio) << what;
        EXPECT_EQ(image.pixel(0, 0), c.pictureRatio == 2.0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255))
            << what;
    }
}

TEST_F(ScaledPictureTest, DoubleSizeSkinPictureKeepsItsRatioAndFacesAreCutAtItsPixels) {
    const QString file = save("pic.jpg", {40, 30}, Qt::blue);
    QImage doubled(80, 60, QImage::Format_RGB32);
    doubled.fill(Qt::green);
    doubled.setPixel(79, 59, qRgb(255, 0, 0));
    ASSERT_TRUE(doubled.save(QString::fromStdString((dir / "pic@2x.jpg").string()), "PNG"));
    const QImage picture = LoadSkinPicture(file, QSize(40, 30), 2.0);
    EXPECT_EQ(picture.size(), QSize(280, 260));
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(140, 130));
    EXPECT_EQ(picture.pixel(79, 59), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(picture.pixel(80, 59)), 0);
    EXPECT_EQ(DevicePixels(picture, QRect(9, 19, 30, 40)), QRect(18, 38, 60, 80));
    EXPECT_EQ(DevicePixels(LoadSkinPicture(file, QSize(40, 30), 1.0), QRect(9, 19, 30, 40)),
              QRect(9, 19, 30, 40));
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
