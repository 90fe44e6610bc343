#include "lighting_pictures.h"

#include "face_painter.h"
#include "picture_files.h"
#include "theme.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <functional>
#include <stdexcept>
#include <tuple>

namespace kw::skingen {

namespace {

using namespace theme;
using Draw = std::function<void(QPainter&, const QRectF&)>;

QSize sizeOf(const WindowDescription& main, const std::string& key) {
    const Item* item = main.find(key);
    if (!item) {
        throw std::runtime_error("the main layout has no " + key + " to size its pictures after");
    }
    return {item->width, item->height};
}

// Lighting pictures sit on the lighting card; BMP has no transparency.
void writeBitmap(const std::filesystem::path& file, QSize size, const Draw& draw) {
    saveAtEveryScale(file, "BMP", -1, [&](int scale) {
        QImage image = scaledCanvas(size, scale, QImage::Format_RGB32);
        image.fill(kCard);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, QRectF(0, 0, size.width(), size.height()));
        return image;
    });
}

void drawToggle(QPainter& p, const QRectF& r, bool on, bool rainbow) {
    const QRectF track = r.adjusted(1.5, 2.5, -1.5, -2.5);
    p.setPen(QPen(on ? kAccent : kCapEdge, 1));
    p.setBrush(on ? mix(kAccent, kCard, 0.45) : QColor(0x20, 0x23, 0x2a));
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const double d = track.height() - 4;
    const QRectF knob(on ? track.right() - d - 2 : track.left() + 2, track.top() + 2, d, d);
    if (rainbow && on) {
        QConicalGradient wheel(knob.center(), 90);
        const std::array<QColor, 6> hues = {QColor(0xef, 0x44, 0x44), QColor(0xf5, 0x9e, 0x0b),
                                            QColor(0x22, 0xc5, 0x5e), QColor(0x22, 0xd3, 0xee),
                                            QColor(0x63, 0x66, 0xf1), QColor(0xd9, 0x46, 0xef)};
        for (std::size_t i = 0; i < hues.size(); ++i) {
            wheel.setColorAt(static_cast<double>(i) / hues.size(), hues[i]);
        }
        wheel.setColorAt(1, hues[0]);
        p.setBrush(wheel);
    } else {
        p.setBrush(on ? kWhite : kLegendDim);
    }
    p.setPen(Qt::NoPen);
    p.drawEllipse(knob);
}

void drawChip(QPainter& p, const QRectF& r, bool selected, const QString& icon) {
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(selected ? kAccent : kCapEdge, 1));
    p.setBrush(selected ? mix(kAccent, kCard, 0.35) : QColor(0x20, 0x23, 0x2a));
    p.drawRoundedRect(body, 6, 6);
    paintIcon(p, body, icon, selected ? kWhite : kLegendDim);
}

void drawSpread(QPainter& p, const QRectF& r, bool selected, bool outwards) {
    drawChip(p, r, selected, {});
    const QColor colour = selected ? kWhite : kLegendDim;
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c = r.center();
    const double s = r.height() / 4;
    for (const double dir : {-1.0, 1.0}) {
        const QPointF tip(c.x() + dir * (outwards ? s * 2.2 : s * 0.6), c.y());
        const QPointF tail(c.x() + dir * (outwards ? s * 0.6 : s * 2.2), c.y());
        p.drawLine(tail, tip);
        const double back = outwards ? -dir : dir;
        p.drawLine(tip, tip + QPointF(back * s * 0.8, -s * 0.8));
        p.drawLine(tip, tip + QPointF(back * s * 0.8, s * 0.8));
    }
}

void drawSwatch(QPainter& p, const QRectF& r, const QColor& colour, bool selected) {
    const QRectF disc = r.adjusted(3, 3, -3, -3);
    if (selected) {
        p.setPen(QPen(kWhite, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    }
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawEllipse(disc);
}

void drawTool(QPainter& p, const QRectF& r, bool selected, bool baseTool) {
    drawChip(p, r, selected, {});
    const QColor colour = selected ? kWhite : kLegendDim;
    const QPointF c = r.center();
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (baseTool) {
        // Base colour: a filled square under a paint drop.
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(c.x() - 7, c.y() - 5, 10, 10), 2, 2);
        p.setBrush(colour);
        p.drawEllipse(QPointF(c.x() + 6, c.y() + 3), 2.5, 2.5);
    } else {
        // Paint colour: a brush stroke.
        p.drawLine(QPointF(c.x() + 6, c.y() - 6), QPointF(c.x() - 2, c.y() + 2));
        p.setBrush(colour);
        p.drawEllipse(QPointF(c.x() - 4, c.y() + 4), 3, 2.5);
    }
}

void drawBusyFrame(QPainter& p, const QRectF& r, int frame) {
    const double radius = r.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x23, 0x2a));
    p.drawRoundedRect(r, radius, radius);
    const double segment = r.width() * 0.3;
    const double x = (r.width() + segment) * frame / 10.0 - segment;
    QLinearGradient glow(x, 0, x + segment, 0);
    glow.setColorAt(0, withAlpha(kAccent, 0));
    glow.setColorAt(0.6, kAccent);
    glow.setColorAt(1, kAccent.lighter(130));
    p.setBrush(glow);
    p.setClipRect(r);
    p.drawRoundedRect(QRectF(x, r.top(), segment, r.height()), radius, radius);
}

// The slider reads a press at x as position (x + 10) * 5 / width, so each
// position owns a band of pixels; its notch sits in the middle of that band,
// pulled in just enough that the knob stays whole.
double notchX(const QRectF& r, int position) {
    const double width = r.width();
    const double start = std::max(0.0, position * width / 5 - 10);
    const double end = position >= 5 ? width : (position + 1) * width / 5 - 10;
    const double knob = r.height() / 2 - 1;
    return std::clamp((start + end) / 2, knob, width - knob);
}

void drawSliderFace(QPainter& p, const QRectF& r, int position) {
    const double radius = r.height() / 2;
    const double knobX = notchX(r, std::min(position, 5));
    const double y = r.center().y();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x2a, 0x33));
    p.drawRoundedRect(QRectF(radius / 2, y - 2, r.width() - radius, 4), 2, 2);
    QLinearGradient fill(0, 0, knobX, 0);
    fill.setColorAt(0, kAccentDeep);
    fill.setColorAt(1, kAccent);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(radius / 2, y - 2, knobX - radius / 2, 4), 2, 2);
    for (int notch = 0; notch <= 5; ++notch) {
        const double nx = notchX(r, notch);
        p.setBrush(notch <= position ? kAccent.lighter(120) : kCapEdge);
        p.drawEllipse(QPointF(nx, y), 1.5, 1.5);
    }
    p.setPen(QPen(kAccent, 2));
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(knobX, y), radius - 3, radius - 3);
}

QImage logoFace(QSize size, Look look, int scale) {
    QImage image = scaledCanvas(size, scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Item item;
    item.style = "logo";
    item.width = size.width();
    item.height = size.height();
    paintItem(p, item, look, {});
    return image;
}

QImage trayIcon(const QColor& body, bool badge, int scale) {
    QImage image = scaledCanvas(QSize(64, 64), scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(body.darker(160), 2));
    p.setBrush(QColor(0x17, 0x1a, 0x21));
    p.drawRoundedRect(QRectF(4, 14, 56, 36), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 5; ++col) {
            p.drawRoundedRect(QRectF(10 + col * 9.6, 20 + row * 9, 6.5, 6), 1.5, 1.5);
        }
    }
    p.drawRoundedRect(QRectF(18, 39, 28, 5.5), 1.5, 1.5);
    if (badge) {
        p.setPen(QPen(QColor(0x0d, 0x0e, 0x12), 3));
        p.setBrush(kWhite);
        p.drawEllipse(QPointF(52, 14), 9, 9);
    }
    return image;
}

} // namespace

void writeLightingPictures(const WindowDescription& main, const std::filesystem::path& skins) {
    const QSize toggle = sizeOf(main, "CONTROL_DengStaPic");
    writeBitmap(skins / "dengup.bmp", toggle,
                [](QPainter& p, const QRectF& r) { drawToggle(p, r, false, false); });
    writeBitmap(skins / "dengdown.bmp", toggle,
                [](QPainter& p, const QRectF& r) { drawToggle(p, r, true, false); });
    const QSize multi = sizeOf(main, "CONTROL_HXsjsStaPic");
    writeBitmap(skins / "sjsup.bmp", multi,
                [](QPainter& p, const QRectF& r) { drawToggle(p, r, false, true); });
    writeBitmap(skins / "sjsdown.bmp", multi,
                [](QPainter& p, const QRectF& r) { drawToggle(p, r, true, true); });

    const QSize chip = sizeOf(main, "CONTROL_BLFXLStaPic");
    const std::array<std::pair<const char*, const char*>, 4> arrows = {
        {{"left", "\u2190"}, {"right", "\u2192"}, {"up", "up"}, {"down", "down"}}};
    for (const auto& [name, icon] : arrows) {
        const QString glyph = QString::fromUtf8(icon);
        writeBitmap(skins / (std::string(name) + "up.bmp"), chip,
                    [&](QPainter& p, const QRectF& r) { drawChip(p, r, false, glyph); });
        writeBitmap(skins / (std::string(name) + "down.bmp"), chip,
                    [&](QPainter& p, const QRectF& r) { drawChip(p, r, true, glyph); });
    }
    writeBitmap(skins / "kuosan.bmp", chip,
                [](QPainter& p, const QRectF& r) { drawSpread(p, r, false, true); });
    writeBitmap(skins / "kuosandown.bmp", chip,
                [](QPainter& p, const QRectF& r) { drawSpread(p, r, true, true); });
    writeBitmap(skins / "julong.bmp", chip,
                [](QPainter& p, const QRectF& r) { drawSpread(p, r, false, false); });
    writeBitmap(skins / "julongdown.bmp", chip,
                [](QPainter& p, const QRectF& r) { drawSpread(p, r, true, false); });

    const QSize swatch = sizeOf(main, "CONTROL_HONGPIC");
    const std::array<std::pair<const char*, QColor>, 4> swatches = {
        {{"hong", QColor(0xef, 0x44, 0x44)},
         {"huang", QColor(0xfa, 0xcc, 0x15)},
         {"lv", QColor(0x22, 0xc5, 0x5e)},
         {"lan", QColor(0x3b, 0x82, 0xf6)}}};
    for (const auto& [name, colour] : swatches) {
        const QColor c = colour;
        writeBitmap(skins / (std::string(name) + ".bmp"), swatch,
                    [c](QPainter& p, const QRectF& r) { drawSwatch(p, r, c, false); });
        writeBitmap(skins / (std::string(name) + "ok.bmp"), swatch,
                    [c](QPainter& p, const QRectF& r) { drawSwatch(p, r, c, true); });
    }

    const QSize tool = sizeOf(main, "CONTROL_USERgjStaPic1");
    for (const bool base : {false, true}) {
        const std::string stem = base ? "user2" : "user1";
        writeBitmap(skins / (stem + "up.bmp"), tool,
                    [base](QPainter& p, const QRectF& r) { drawTool(p, r, false, base); });
        writeBitmap(skins / (stem + "down.bmp"), tool,
                    [base](QPainter& p, const QRectF& r) { drawTool(p, r, true, base); });
    }

    const QSize busy = sizeOf(main, "CONTROL_JDTStatic");
    for (int frame = 1; frame <= 10; ++frame) {
        writeBitmap(skins / ("jdt" + std::to_string(frame) + ".bmp"), busy,
                    [frame](QPainter& p, const QRectF& r) { drawBusyFrame(p, r, frame); });
    }

    // 0..5 brightness, 6..11 speed, 12..25 never reached: shown at the end stop.
    const QSize brightness = sizeOf(main, "CONTROL_LightSlider");
    const QSize speed = sizeOf(main, "CONTROL_SpeedSlider");
    for (int face = 0; face <= 25; ++face) {
        const int position = face < 6 ? face : face < 12 ? face - 6 : 5;
        writeBitmap(skins / (std::to_string(face) + ".bmp"), face < 6 ? brightness : speed,
                    [position](QPainter& p, const QRectF& r) { drawSliderFace(p, r, position); });
    }

    const QSize preset = sizeOf(main, "CONTROL_Color1");
    const std::array<QColor, 8> presets = {QColor(0xef, 0x44, 0x44),
                                           QColor(0xf9, 0x73, 0x16),
                                           QColor(0xfa, 0xcc, 0x15),
                                           QColor(0x22, 0xc5, 0x5e),
                                           kAccent,
                                           QColor(0x3b, 0x82, 0xf6),
                                           QColor(0xa8, 0x55, 0xf7),
                                           kWhite};
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const QColor c = presets[i];
        writeBitmap(skins / ("Color" + std::to_string(i + 1) + ".bmp"), preset,
                    [c](QPainter& p, const QRectF& r) {
                        p.setPen(QPen(c.darker(150), 1));
                        p.setBrush(c);
                        p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
                    });
    }
}

void writeLogoAndTrayIcons(const WindowDescription& main, const std::filesystem::path& skins) {
    const QSize logo = sizeOf(main, "CONTROL_Network");
    // The mask keeps the logo's hexagon: black stays, white is cut away.
    QImage mask(logo, QImage::Format_RGB32);
    mask.fill(Qt::white);
    {
        const QImage face = logoFace(logo, Look::Normal, 1);
        for (int y = 0; y < logo.height(); ++y) {
            for (int x = 0; x < logo.width(); ++x) {
                if (qAlpha(face.pixel(x, y)) >= 128) {
                    mask.setPixel(x, y, qRgb(0, 0, 0));
                }
            }
        }
    }
    // The button's shape is made of whole window pixels at every density.
    saveAtEveryScale(skins / "logo_mask.bmp", "BMP", -1, [&](int scale) {
        return mask.scaled(logo * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    });
    const std::array<std::pair<const char*, Look>, 4> faces = {
        {{"logo_normal.png", Look::Normal},
         {"logo_over.png", Look::Hover},
         {"logo_down.png", Look::Pressed},
         {"logo_disable.png", Look::Disabled}}};
    for (const auto& [name, look] : faces) {
        saveAtEveryScale(skins / name, "PNG", -1,
                         [&](int scale) { return logoFace(logo, look, scale); });
    }
    const std::array<std::tuple<const char*, QColor, bool>, 3> trays = {
        {{"tray_absent.png", kLegendDim, false},
         {"tray_present.png", kAccent, false},
         {"tray_event.png", kAccent, true}}};
    for (const auto& [name, body, badge] : trays) {
        saveAtEveryScale(skins / name, "PNG", -1,
                         [&](int scale) { return trayIcon(body, badge, scale); });
    }
}

void writeApplicationIcons(const std::filesystem::path& iconsRoot) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string edge = std::to_string(size);
        const auto folder = iconsRoot / "hicolor" / (edge + "x" + edge) / "apps";
        std::filesystem::create_directories(folder);
        saveImage(logoFace(QSize(size, size), Look::Normal, 1), folder / "keyweave.png", "PNG");
    }
}

} // namespace kw::skingen
