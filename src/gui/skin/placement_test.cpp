#include "gui/skin/placement.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <QLabel>
#include <fstream>
#include <gtest/gtest.h>

namespace kw::gui {
namespace {

class PlacementTest : public testing::WidgetTest {
protected:
    void SetUp() override {
        std::ofstream(dir_ / "Main.ini") << "[BUTTONINFO]\n"
                                            "KEY_01E=10,20,30,40\n"
                                            "CONTROL_CORNER=1,1,50,20\n"
                                            "LEFT_ARROW=300,40,18,18\n"
                                            "CONTROL_BLFXStatic2=120,60,999,999\n"
                                            "[BUTTONINFO2]\n"
                                            "UP_ARROW_LEFT1=21,1,0,0\n";
        layout_ = skin::SkinLayout::load(dir_ / "Main.ini");
    }
    kw::testing::TempDir dir_;
    skin::SkinLayout layout_;
    QWidget window_;
};

TEST_F(PlacementTest, ImageButtonTakesItsRectangleAndFaceOffset) {
    CPngButton button(&window_);
    PlaceImageButton(button, layout_, skin::kButtonSection, "KEY_01E", {});
    EXPECT_EQ(button.geometry(), QRect(10, 20, 30, 40));
    EXPECT_EQ(button.FaceOffset(), QPoint(10, 20));
    EXPECT_TRUE(button.isEnabled());
}

TEST_F(PlacementTest, ImageButtonAtTheDefaultPlaceIsDisabled) {
    struct Case {
        const char* key;
        QRect geometry;
    };
    for (const Case& c :
         {Case{"KEY_MISSING", QRect(1, 1, 1, 1)}, Case{"CONTROL_CORNER", QRect(1, 1, 50, 20)}}) {
        CPngButton button(&window_);
        PlaceImageButton(button, layout_, skin::kButtonSection, c.key, {});
        EXPECT_EQ(button.geometry(), c.geometry) << c.key;
        EXPECT_FALSE(button.isEnabled()) << c.key;
    }
}

TEST_F(PlacementTest, ControlsMoveWithOrWithoutTheirSize) {
    QLabel control(&window_);
    PlaceControl(control, layout_, skin::kButtonSection, "KEY_01E");
    EXPECT_EQ(control.geometry(), QRect(10, 20, 30, 40));
    PlacePositionOnly(control, layout_, skin::kButtonSection, "CONTROL_BLFXStatic2");
    EXPECT_EQ(control.geometry(), QRect(120, 60, 30, 40));
    PlaceControl(control, layout_, skin::kButtonSection, "NOT_THERE");
    EXPECT_EQ(control.geometry(), QRect(1, 1, 1, 1));
}

TEST_F(PlacementTest, FrameButtonShowsTheNamedFrameOfTheSheet) {
    QImage sheet(80, 20, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    sheet.setPixel(20, 0, qRgb(255, 0, 0)); // first pixel of the second frame
    CPngButton arrow(&window_);
    PlaceFrameButton(arrow, layout_, "LEFT_ARROW", skin::kFrameSection, "UP_ARROW_LEFT1", sheet);
    EXPECT_EQ(arrow.geometry(), QRect(300, 40, 18, 18));
    QImage image(arrow.size(), QImage::Format_RGB32);
    arrow.render(&image);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
}

} // namespace
} // namespace kw::gui
