#include "gui/skin/bitmap_slider.h"
#include "gui/skin/test_application.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace kw::gui {
namespace {

class BitmapSliderTest : public testing::WidgetTest {
protected:
    void SetUp() override {
        QImage face(100, 20, QImage::Format_RGB32);
        face.fill(Qt::gray);
        slider.SetBitmap(face);
        slider.SetRange(0, 5);
        slider.SetPage(10);
        slider.SetPos(2);
    }
    void mouse(QEvent::Type type, int x) {
        const QPointF at(x, 10);
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, slider.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &event);
    }
    void key(int code) {
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &event);
    }
    void wheel(int delta) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&slider, &event);
    }
    // Every SliderChanged report as (control id, position).
    CBitmapSlider slider{nullptr, 1178};
    std::vector<std::pair<int, int>> changes;
    QMetaObject::Connection recorder =
        QObject::connect(&slider, &CBitmapSlider::SliderChanged,
                         [this](int id, int position) { changes.emplace_back(id, position); });
};

TEST_F(BitmapSliderTest, TakesTheSizeOfItsFirstFace) {
    EXPECT_EQ(slider.size(), QSize(100, 20));
}

TEST_F(BitmapSliderTest, DoubleSizeFaceKeepsTheWindowSizeAndThePositionsOfItsPixels) {
    CBitmapSlider doubled{nullptr, 1178};
    QImage face(200, 40, QImage::Format_RGB32);
    face.fill(Qt::gray);
    face.setDevicePixelRatio(2.0);
    doubled.SetBitmap(face);
    doubled.SetRange(0, 5);
    EXPECT_EQ(doubled.size(), QSize(100, 20));
    const QPointF at(90, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, doubled.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&doubled, &press);
    EXPECT_EQ(doubled.GetPos(), 5); // (90 + 10) * 5 / 100, as on a 1x face
}

TEST_F(BitmapSliderTest, DraggingFollowsThePointerAndReportsTheRelease) {
    mouse(QEvent::MouseButtonPress, 0);
    EXPECT_EQ(slider.GetPos(), 0);
    mouse(QEvent::MouseMove, 90);
    EXPECT_EQ(slider.GetPos(), 5);
    mouse(QEvent::MouseButtonRelease, 90);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2], std::make_pair(1178, 5));
    mouse(QEvent::MouseMove, 0); // no longer dragging
    EXPECT_EQ(slider.GetPos(), 5);
}

TEST_F(BitmapSliderTest, NavigationKeysMoveAndReport) {
    struct Step {
        int key;
        int position;
    };
    const Step steps[] = {{Qt::Key_Right, 3},    {Qt::Key_Down, 4}, {Qt::Key_Left, 3},
                          {Qt::Key_Up, 2},       {Qt::Key_End, 5},  {Qt::Key_PageUp, 0},
                          {Qt::Key_PageDown, 5}, {Qt::Key_Home, 0}};
    for (const Step& step : steps) {
        key(step.key);
        EXPECT_EQ(slider.GetPos(), step.position) << "key " << step.key;
    }
    EXPECT_EQ(changes.size(), 8u);
    key(Qt::Key_A);
    EXPECT_EQ(changes.size(), 8u);
}

TEST_F(BitmapSliderTest, WheelMovesOnlyAFocusedSlider) {
    wheel(-120);
    EXPECT_EQ(slider.GetPos(), 2);
    EXPECT_TRUE(changes.empty());

    mouse(QEvent::MouseButtonPress, 40); // (40 + 10) * 5 / 100 = 2: pixel differs, position stays
    mouse(QEvent::MouseButtonRelease, 40);
    changes.clear();
    wheel(-120);
    EXPECT_EQ(slider.GetPos(), 3);
    wheel(120);
    wheel(120);
    EXPECT_EQ(slider.GetPos(), 1);
    wheel(30); // a fine touchpad delta moves nothing but still reports
    EXPECT_EQ(slider.GetPos(), 1);
    EXPECT_EQ(changes.size(), 4u);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&slider, &leave);
    wheel(-120);
    EXPECT_EQ(slider.GetPos(), 1);
}

TEST_F(BitmapSliderTest, PositionIsClampedToTheRange) {
    slider.SetPos(9);
    EXPECT_EQ(slider.GetPos(), 5);
    slider.SetPos(-3);
    EXPECT_EQ(slider.GetPos(), 0);
}

} // namespace
} // namespace kw::gui
