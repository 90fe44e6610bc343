#include "gui/skin/png_button.h"
#include "gui/skin/test_application.h"

#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace kw::gui {
namespace {

// A "whole-window picture" whose every pixel tells where it came from.
QImage coordinatePicture(QColor tint = Qt::black) {
    QImage picture(200, 200, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x, y, tint.blue()));
        }
    }
    return picture;
}

QImage rendered(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

class PngButtonTest : public testing::WidgetTest {
protected:
    void SetUp() override {
        button.resize(30, 40);
        button.SetFaces(10, 20, normal, hover, pressed, disabled, selected);
    }
    QImage normal = coordinatePicture(QColor(0, 0, 1));
    QImage hover = coordinatePicture(QColor(0, 0, 2));
    QImage pressed = coordinatePicture(QColor(0, 0, 3));
    QImage disabled = coordinatePicture(QColor(0, 0, 4));
    QImage selected = coordinatePicture(QColor(0, 0, 5));
    CPngButton button;
};

TEST_F(PngButtonTest, FaceIsCutOnePixelUpAndLeftOfItsOffset) {
    const QImage image = rendered(button);
    EXPECT_EQ(image.pixel(0, 0), qRgb(9, 19, 1));
    EXPECT_EQ(image.pixel(29, 39), qRgb(38, 58, 1));
}

TEST_F(PngButtonTest, DoubleSizeFaceIsCutAtTheDevicePixelsOfItsOffset) {
    QImage doubled = coordinatePicture(QColor(0, 0, 1));
    doubled.setDevicePixelRatio(2.0);
    button.SetFaces(10, 20, doubled, doubled, doubled, doubled, doubled);
    QImage image(button.size() * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::transparent);
    button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // The 60 x 80 pixels from (18, 38), one to one: the face neither shrinks nor blurs.
    EXPECT_EQ(image.pixel(0, 0), qRgb(18, 38, 1));
    EXPECT_EQ(image.pixel(1, 0), qRgb(19, 38, 1));
    EXPECT_EQ(image.pixel(59, 79), qRgb(77, 117, 1));
}

TEST_F(PngButtonTest, FirstMatchingStateChoosesTheFace) {
    struct Case {
        bool enabled, marking, down, hover, selected;
        CPngButton::Face face;
        int tint;
    };
    const Case cases[] = {
        {true, false, false, false, false, CPngButton::Normal, 1},
        {true, false, false, false, true, CPngButton::Selected, 5},
        {true, false, false, true, true, CPngButton::Hover, 2},
        {true, false, true, true, true, CPngButton::Pressed, 3},
        {true, true, true, true, true, CPngButton::MarkSecond, 7},
        {false, true, true, true, true, CPngButton::Disabled, 4},
    };
    for (const Case& c : cases) {
        CPngButton b;
        b.resize(30, 40);
        b.SetFaces(10, 20, normal, hover, pressed, disabled, selected);
        if (c.marking) {
            b.SetMarkFaces(coordinatePicture(QColor(0, 0, 6)), coordinatePicture(QColor(0, 0, 7)),
                           true, true);
        }
        b.setEnabled(c.enabled);
        b.setDown(c.down);
        if (c.hover) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QCoreApplication::sendEvent(&b, &enter);
        }
        b.SetSelected(c.selected, true);
        const QImage image = rendered(b);
        EXPECT_EQ(b.LastFace(), c.face) << "case with face " << c.face;
        EXPECT_EQ(qBlue(image.pixel(5, 5)), c.tint) << "case with face " << c.face;
    }
}

TEST_F(PngButtonTest, ColourMarkDrawsOnlyATwoPixelFrame) {
    button.SetColourMark(Qt::red, 250, true);
    const QImage marked = rendered(button);
    for (const QPoint frame :
         {QPoint(0, 0), QPoint(1, 20), QPoint(28, 39), QPoint(15, 1), QPoint(29, 10)}) {
        EXPECT_EQ(marked.pixel(frame), qRgb(255, 0, 0)) << frame.x() << "," << frame.y();
    }
    EXPECT_EQ(qAlpha(marked.pixel(2, 2)), 0); // the face is not drawn inside
    EXPECT_EQ(qAlpha(marked.pixel(15, 20)), 0);

    button.SetColourMark(Qt::black, 50, false);
    EXPECT_EQ(rendered(button).pixel(15, 20), qRgb(24, 39, 1));
}

TEST_F(PngButtonTest, PngFacesAreDrawnWholeAtTheirOwnSize) {
    QImage png(12, 12, QImage::Format_ARGB32);
    png.fill(Qt::green);
    button.SetPngFaces(png, QImage(), QImage(), QImage());
    const QImage image = rendered(button);
    EXPECT_EQ(image.pixel(11, 11), qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(image.pixel(12, 12)), 0);
}

TEST_F(PngButtonTest, DoubleClickActsAsASecondClick) {
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    const QPointF at(5, 5);
    auto send = [&](QEvent::Type type) {
        QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &event);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    send(QEvent::MouseButtonDblClick);
    send(QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks, 2);
}

TEST_F(PngButtonTest, AfterPaintHearsWhetherTheNormalFaceWasDrawn) {
    std::vector<bool> calls;
    button.SetAfterPaint([&](CPngButton&, bool normalDrawn) { calls.push_back(normalDrawn); });
    rendered(button);
    button.SetSelected(true, true);
    rendered(button);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST_F(PngButtonTest, EmptyTooltipKeepsThePreviousOne) {
    button.SetTooltip(QStringLiteral("Close"), true);
    button.SetTooltip(QString(), false);
    EXPECT_EQ(button.TooltipText(), QStringLiteral("Close"));
}

TEST_F(PngButtonTest, NewFacesClearHoverAndPress) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &enter);
    button.setDown(true);
    button.SetFaceSources(normal, hover, pressed, disabled, selected);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_FALSE(button.isDown());
}

} // namespace
} // namespace kw::gui
