#include "gui/skin/base_dialog.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <QMouseEvent>
#include <fstream>
#include <gtest/gtest.h>

namespace kw::gui {
namespace {

class BaseDialogTest : public testing::WidgetTest {
protected:
    void SetUp() override {
        QImage background(60, 40, QImage::Format_RGB32);
        background.fill(Qt::darkGray);
        background.save(QString::fromStdString((dir_ / "bg.bmp").string()));
        QImage shape(60, 40, QImage::Format_RGB32);
        shape.fill(Qt::white);
        for (int y = 10; y < 20; ++y) {
            for (int x = 5; x < 25; ++x) {
                shape.setPixel(x, y, qRgb(0, 0, 0));
            }
        }
        shape.save(QString::fromStdString((dir_ / "shape.bmp").string()));
        // The background's double-size companion, for high-density screens.
        QImage doubled(120, 80, QImage::Format_RGB32);
        doubled.fill(Qt::lightGray);
        doubled.save(QString::fromStdString((dir_ / "bg@2x.bmp").string()));
        QImage white(60, 40, QImage::Format_RGB32);
        white.fill(Qt::white);
        white.save(QString::fromStdString((dir_ / "white.bmp").string()));
    }
    std::unique_ptr<CBaseDialog> dialog(const std::string& screen) {
        std::ofstream(dir_ / "Win.ini") << "[SCREEN]\n" << screen;
        return std::make_unique<CBaseDialog>(nullptr, dir_ / "Win.ini", [this] { ++fatalExits_; });
    }
    kw::testing::TempDir dir_;
    int fatalExits_ = 0;
};

TEST_F(BaseDialogTest, WindowTakesTheBackgroundSizeAndTheMaskShape) {
    auto window = dialog("Main=bg.bmp\nMask=shape.bmp\n");
    ASSERT_TRUE(window->ApplySkin());
    EXPECT_EQ(window->size(), QSize(60, 40));
    EXPECT_EQ(window->mask(), QRegion(5, 10, 20, 10));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window->IsBusy());
    EXPECT_EQ(fatalExits_, 0);
}

TEST_F(BaseDialogTest, WhiteMaskKeepsTheRectangleAndNoMaskUsesTheBackground) {
    struct Case {
        std::string screen;
        QRegion shape;
    };
    const Case cases[] = {
        {"Main=bg.bmp\nMask=white.bmp\n", QRegion()}, // nothing left: no shape at all
        {"Main=bg.bmp\n", QRegion(0, 0, 60, 40)},     // the dark background shapes itself
        {"Main=bg.bmp\nMask=\n", QRegion(0, 0, 60, 40)},
    };
    for (const Case& c : cases) {
        auto window = dialog(c.screen);
        ASSERT_TRUE(window->ApplySkin()) << c.screen;
        EXPECT_EQ(window->mask(), c.shape) << c.screen;
    }
}

TEST_F(BaseDialogTest, HighDensityTakesTheDoubleSizeBackgroundAndKeepsSizeAndShape) {
    struct Case {
        std::string background;
        qreal ratio;
        qreal backgroundRatio;
    };
    const Case cases[] = {
        {"bg.bmp", 1.0, 1.0},
        {"bg.bmp", 1.5, 2.0},
        {"bg.bmp", 2.0, 2.0},
        {"plain.bmp", 2.0, 1.0}, // no double-size file: the 1x one, silently
    };
    std::filesystem::copy_file(dir_ / "bg.bmp", dir_ / "plain.bmp");
    for (const Case& c : cases) {
        auto window = dialog("Main=" + c.background + "\nMask=shape.bmp\n");
        ASSERT_TRUE(window->ApplySkin(c.ratio)) << c.background << " at " << c.ratio;
        EXPECT_EQ(window->size(), QSize(60, 40)) << c.background << " at " << c.ratio;
        EXPECT_EQ(window->mask(), QRegion(5, 10, 20, 10)) << c.background << " at " << c.ratio;
        EXPECT_EQ(window->Background().devicePixelRatio(), c.backgroundRatio)
            << c.background << " at " << c.ratio;
        EXPECT_EQ(window->PictureRatio(), c.ratio);
    }
    EXPECT_EQ(fatalExits_, 0);
}

TEST_F(BaseDialogTest, UnloadableBackgroundOrMaskEndsTheProgram) {
    std::ofstream(dir_ / "broken.bmp") << "not a picture";
    for (const std::string screen :
         {"", "Main=missing.bmp\n", "Main=broken.bmp\n", "Main=bg.bmp\nMask=missing.bmp\n"}) {
        fatalExits_ = 0;
        auto window = dialog(screen);
        EXPECT_FALSE(window->ApplySkin()) << screen;
        EXPECT_EQ(fatalExits_, 1) << screen;
    }
}

TEST_F(BaseDialogTest, DraggingTheBackgroundMovesTheWindow) {
    auto window = dialog("Main=bg.bmp\n");
    ASSERT_TRUE(window->ApplySkin());
    window->move(100, 100);
    window->show();
    const QPoint start = window->frameGeometry().topLeft();
    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons held) {
        const QPointF global = start + local;
        QMouseEvent event(type, QPointF(local), global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &event);
    };
    send(QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(40, 30), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(40, 30), Qt::NoButton);
    // Where the window system moves windows itself the drag is its business;
    // otherwise the window follows the pointer.
    if (window->frameGeometry().topLeft() != start) {
        EXPECT_EQ(window->frameGeometry().topLeft(), start + QPoint(30, 20));
    }
}

} // namespace
} // namespace kw::gui
