#include "face_painter.h"

#include "layout_description.h"
#include "theme.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <map>

namespace kw::skingen {

namespace {

using namespace theme;

QPainterPath rounded(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QRectF inner(const Item& item) {
    return QRectF(item.x, item.y, item.width, item.height).adjusted(0.5, 0.5, -0.5, -0.5);
}

QString labelText(const Item& item, const QString& version) {
    QString text = QString::fromStdString(item.label);
    text.replace(QStringLiteral("{version}"), version);
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text;
}

void drawLegend(QPainter& p, const QRectF& face, const QString& text, const QColor& colour) {
    if (text.isEmpty()) {
        return;
    }
    p.setPen(colour);
    const QStringList lines = text.split('\n');
    if (lines.size() == 2) {
        // Shifted symbol above, plain one below, as printed on real caps.
        p.setFont(font(10));
        p.setPen(withAlpha(colour, 170));
        p.drawText(face.adjusted(0, 1, 0, -face.height() / 2), Qt::AlignCenter, lines[0]);
        p.setFont(font(12, true));
        p.setPen(colour);
        p.drawText(face.adjusted(0, face.height() / 2 - 2, 0, 0), Qt::AlignCenter, lines[1]);
        return;
    }
    // Letters big, words one size for every cap, shrunk only where they would not fit.
    QFont f = font(text.size() == 1 ? 14 : 10, true);
    if (text.size() > 1) {
        f.setWeight(QFont::DemiBold);
        while (f.pixelSize() > 7 && QFontMetricsF(f).horizontalAdvance(text) > face.width() - 4) {
            f.setPixelSize(f.pixelSize() - 1);
        }
    }
    p.setFont(f);
    p.drawText(face, Qt::AlignCenter, text);
}

struct CapColours {
    QColor top, bottom, edge, faceTop, faceBottom, legend;
    double edgeWidth = 1.0;
};

CapColours capColours(Look look, bool gkey) {
    const QColor baseTop = gkey ? mix(kAccent, kCapTop, 0.10) : kCapTop;
    const QColor baseBottom = gkey ? mix(kAccent, kCapBottom, 0.08) : kCapBottom;
    switch (look) {
    case Look::Hover:
        return {baseTop.lighter(118),
                baseBottom.lighter(118),
                kAccent,
                baseTop.lighter(135),
                baseTop.lighter(115),
                kWhite,
                1.6};
    case Look::Pressed:
        return {kCapBottom.darker(125),
                kCapBottom.darker(110),
                kAccentDeep,
                kCapBottom.darker(115),
                kCapBottom,
                kAccent,
                1.6};
    case Look::Selected:
        return {mix(kAccent, kCapTop, 0.35),
                mix(kAccent, kCapBottom, 0.25),
                kAccent,
                mix(kAccent, kCapTop, 0.45),
                mix(kAccent, kCapTop, 0.30),
                kWhite,
                1.6};
    case Look::Disabled:
        return {kDisabledFill,
                kDisabledFill,
                kCapEdge.darker(140),
                kDisabledFill.lighter(110),
                kDisabledFill,
                kDisabledText,
                1.0};
    case Look::Mark0:
        return {baseTop, baseBottom, withAlpha(kAccent, 150), baseTop.lighter(112), baseTop,
                kAccent, 1.4};
    case Look::Mark1:
        return {kAccentDeep, kAccentDeep.darker(130),  kAccent, kAccent.darker(110),
                kAccentDeep, QColor(0x04, 0x1c, 0x22), 1.2};
    case Look::Normal:
    case Look::Lit:
        break;
    }
    return {baseTop, baseBottom, kCapEdge, baseTop.lighter(112), baseTop, kLegend, 1.0};
}

void drawKeycap(QPainter& p, const Item& item, Look look, const QString& text, bool gkey) {
    const QRectF body = inner(item);
    const CapColours c = capColours(look, gkey);
    const double radius = std::min(5.0, body.height() / 4);
    // The cap's skirt, then its dished top face set back from the edges.
    QLinearGradient skirt(body.topLeft(), body.bottomLeft());
    skirt.setColorAt(0, c.top);
    skirt.setColorAt(1, c.bottom);
    p.setPen(QPen(c.edge, c.edgeWidth));
    p.setBrush(skirt);
    p.drawPath(
        rounded(body.adjusted(c.edgeWidth / 2, c.edgeWidth / 2, -c.edgeWidth / 2, -c.edgeWidth / 2),
                radius));
    const double drop = look == Look::Pressed ? 1.0 : 0.0;
    const double bottomInset = body.height() > 30 ? 5.0 : 3.5;
    QRectF face = body.adjusted(3, 2 + drop, -3, -bottomInset + drop);
    QLinearGradient top(face.topLeft(), face.bottomLeft());
    top.setColorAt(0, c.faceTop);
    top.setColorAt(1, c.faceBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(top);
    p.drawPath(rounded(face, std::max(2.0, radius - 1)));
    if (look == Look::Selected) {
        // A small dot tells "this key carries a function" even in grey scale.
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(face.right() - 4, face.top() + 4), 2, 2);
    }
    drawLegend(p, face, text, c.legend);
}

struct PillColours {
    QColor fill, edge, text;
};

PillColours pillColours(Look look, bool accent) {
    if (accent) {
        // Deep enough that the white captions the windows draw stay readable.
        switch (look) {
        case Look::Hover:
            return {QColor(0x17, 0xb2, 0xcf), kAccent.lighter(120), kWhite};
        case Look::Pressed:
            return {QColor(0x0a, 0x6f, 0x86), kAccentDeep, kWhite};
        case Look::Disabled:
            return {kDisabledFill, kCapEdge.darker(130), kDisabledText};
        default:
            return {QColor(0x0f, 0x98, 0xb4), kAccent, kWhite};
        }
    }
    switch (look) {
    case Look::Hover:
        return {QColor(0x2c, 0x31, 0x3d), kAccent, kWhite};
    case Look::Pressed:
        return {QColor(0x19, 0x1c, 0x22), kAccentDeep, kAccent};
    case Look::Selected:
        return {mix(kAccent, kCard, 0.28), kAccent, kWhite};
    case Look::Disabled:
        return {kDisabledFill, kCapEdge.darker(130), kDisabledText};
    default:
        return {QColor(0x23, 0x27, 0x30), QColor(0x36, 0x3b, 0x47), kLegend};
    }
}

void drawPill(QPainter& p, const Item& item, Look look, const QString& text, bool accent,
              const QString& icon = {}) {
    const QRectF body = inner(item).adjusted(0.5, 0.5, -0.5, -0.5);
    const PillColours c = pillColours(look, accent);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, c.fill.lighter(108));
    fill.setColorAt(1, c.fill);
    p.setPen(QPen(c.edge, look == Look::Normal && !accent ? 1.0 : 1.5));
    p.setBrush(fill);
    p.drawPath(rounded(body, std::min(8.0, body.height() / 2)));
    const QRectF content = body.translated(0, look == Look::Pressed ? 1 : 0);
    if (!icon.isEmpty()) {
        paintIcon(p, content, icon, c.text);
    }
    if (!text.isEmpty()) {
        p.setPen(c.text);
        p.setFont(font(11, true));
        p.drawText(content, Qt::AlignCenter, text);
    }
}

void drawIconButton(QPainter& p, const Item& item, Look look, const QString& icon) {
    const QRectF body = inner(item);
    const bool close = icon == QLatin1String("close");
    QColor fill = Qt::transparent;
    QColor colour = kLegendDim;
    switch (look) {
    case Look::Hover:
        fill = close ? QColor(0xe5, 0x48, 0x4d) : QColor(0x2a, 0x2e, 0x38);
        colour = kWhite;
        break;
    case Look::Pressed:
        fill = close ? QColor(0xb8, 0x32, 0x37) : QColor(0x1a, 0x1d, 0x23);
        colour = close ? kWhite : kAccent;
        break;
    case Look::Selected:
        fill = withAlpha(kAccent, 60);
        colour = kAccent;
        break;
    case Look::Disabled:
        colour = kDisabledText;
        break;
    default:
        break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(rounded(body, 7));
    paintIcon(p, body.translated(0, look == Look::Pressed ? 1 : 0), icon, colour);
}

void drawLock(QPainter& p, const Item& item, Look look, const QString& text) {
    const QRectF body = inner(item);
    const bool lit = look == Look::Lit;
    const QPointF led(body.center().x(), body.top() + 6);
    if (lit) {
        QRadialGradient glow(led, 8);
        glow.setColorAt(0, withAlpha(kAccent, 140));
        glow.setColorAt(1, withAlpha(kAccent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(led, 8, 6);
    }
    p.setPen(QPen(lit ? kAccent.lighter(130) : QColor(0x3a, 0x3f, 0x4a), 1));
    p.setBrush(lit ? kAccent : QColor(0x20, 0x23, 0x2a));
    p.drawEllipse(led, 3, 3);
    p.setFont(font(8, true));
    p.setPen(lit ? kWhite : kLegendDim);
    p.drawText(body.adjusted(0, 11, 0, 0), Qt::AlignHCenter | Qt::AlignTop, text);
}

void drawLogoMark(QPainter& p, const QRectF& box, Look look) {
    // Three woven strands in a rounded hexagon: the program's own mark.
    const QColor base = look == Look::Disabled  ? kDisabledText
                        : look == Look::Hover   ? kAccent.lighter(120)
                        : look == Look::Pressed ? kAccentDeep
                                                : kAccent;
    const QPointF c = box.center();
    const double r = std::min(box.width(), box.height()) / 2 - 1;
    QPainterPath hex;
    for (int i = 0; i < 6; ++i) {
        const double a = (60.0 * i - 90.0) * 3.14159265358979 / 180.0;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        i == 0 ? hex.moveTo(pt) : hex.lineTo(pt);
    }
    hex.closeSubpath();
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, base.lighter(115));
    fill.setColorAt(1, base.darker(150));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(hex);
    p.setPen(QPen(QColor(0x06, 0x1a, 0x20), std::max(1.5, r / 5), Qt::SolidLine, Qt::RoundCap));
    const double s = r * 0.45;
    p.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() - s, c.y() + s));
    p.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y() - s));
    p.drawLine(QPointF(c.x() - s * 0.3, c.y() - s * 0.3), QPointF(c.x() + s, c.y() + s));
}

void drawLink(QPainter& p, const Item& item, Look look, const QString& text) {
    const QRectF body = inner(item);
    drawLogoMark(p, QRectF(body.left(), body.top() + 1, body.height() - 2, body.height() - 2),
                 look);
    QFont f = font(15, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    p.setFont(f);
    p.setPen(look == Look::Hover ? kWhite : look == Look::Pressed ? kAccent : kLegend);
    p.drawText(body.adjusted(body.height() + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawWindowBackground(QPainter& p, const Item& item) {
    const QRectF body = inner(item);
    p.setPen(Qt::NoPen);
    p.setBrush(kTitleBar);
    p.drawRect(body);
    p.setPen(QPen(kWindowEdge, 1));
    p.drawLine(QPointF(body.left() + 14, body.bottom()), QPointF(body.right() - 14, body.bottom()));
}

void drawPlate(QPainter& p, const Item& item) {
    const QRectF body = inner(item);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, kPlate.lighter(130));
    fill.setColorAt(1, kPlate);
    p.setPen(QPen(kPlateEdge, 1));
    p.setBrush(fill);
    p.drawPath(rounded(body, 12));
    // A thin accent light bar along the plate's front edge.
    QLinearGradient bar(body.left(), 0, body.right(), 0);
    bar.setColorAt(0, withAlpha(kAccent, 0));
    bar.setColorAt(0.5, withAlpha(kAccent, 150));
    bar.setColorAt(1, withAlpha(kAccent, 0));
    p.setPen(QPen(QBrush(bar), 2));
    p.drawLine(QPointF(body.left() + 40, body.bottom() - 1),
               QPointF(body.right() - 40, body.bottom() - 1));
}

void drawCard(QPainter& p, const Item& item, const QColor& fill, double radius) {
    const QRectF body = inner(item);
    p.setPen(QPen(kCardEdge, 1));
    p.setBrush(fill);
    p.drawPath(rounded(body, radius));
}

void drawRecord(QPainter& p, const Item& item, Look look) {
    const QRectF body = inner(item);
    const QColor red(0xef, 0x44, 0x44);
    drawPill(p, item, look == Look::Selected ? Look::Hover : look, {}, false);
    // The dot sits in the upper third: the button writes its caption across the middle.
    const double r = std::min(body.width(), body.height()) / 7.5;
    p.setPen(look == Look::Selected ? QPen(kWhite, 2) : Qt::NoPen);
    p.setBrush(look == Look::Disabled ? kDisabledText
               : look == Look::Hover  ? red.lighter(120)
                                      : red);
    const QPointF centre(body.center().x(), body.top() + body.height() * 0.27);
    p.drawEllipse(centre + QPointF(0, look == Look::Pressed ? 1 : 0), r, r);
}

using Painter = void (*)(QPainter&, const Item&, Look, const QString&);

const std::map<std::string, Painter>& painters() {
    static const std::map<std::string, Painter> table = {
        {"key", [](QPainter& p, const Item& i, Look l,
                   const QString& t) { drawKeycap(p, i, l, t, false); }},
        {"gkey", [](QPainter& p, const Item& i, Look l,
                    const QString& t) { drawKeycap(p, i, l, t, true); }},
        {"flip", [](QPainter& p, const Item& i, Look l,
                    const QString& t) { drawKeycap(p, i, l, t, false); }},
        {"pill",
         [](QPainter& p, const Item& i, Look l, const QString& t) { drawPill(p, i, l, t, false); }},
        {"apply",
         [](QPainter& p, const Item& i, Look l, const QString& t) { drawPill(p, i, l, t, true); }},
        {"accent", [](QPainter& p, const Item& i, Look l,
                      const QString& t) { drawPill(p, i, l, {}, true, t); }},
        {"button", [](QPainter& p, const Item& i, Look l,
                      const QString& t) { drawPill(p, i, l, {}, false, t); }},
        {"tab",
         [](QPainter& p, const Item& i, Look l, const QString& t) {
             drawPill(p, i, l == Look::Pressed ? Look::Selected : l, {}, false, t);
         }},
        {"icon",
         [](QPainter& p, const Item& i, Look l, const QString& t) { drawIconButton(p, i, l, t); }},
        {"web",
         [](QPainter& p, const Item& i, Look l, const QString& t) { drawIconButton(p, i, l, t); }},
        {"lock",
         [](QPainter& p, const Item& i, Look l, const QString& t) { drawLock(p, i, l, t); }},
        {"link",
         [](QPainter& p, const Item& i, Look l, const QString& t) { drawLink(p, i, l, t); }},
        {"logo",
         [](QPainter& p, const Item& i, Look l, const QString&) { drawLogoMark(p, inner(i), l); }},
        {"record", [](QPainter& p, const Item& i, Look l, const QString&) { drawRecord(p, i, l); }},
        {"version",
         [](QPainter& p, const Item& i, Look, const QString& t) {
             p.setFont(font(10));
             p.setPen(kLegendDim);
             p.drawText(inner(i), Qt::AlignLeft | Qt::AlignVCenter, t);
         }},
        {"titlebar",
         [](QPainter& p, const Item& i, Look, const QString&) { drawWindowBackground(p, i); }},
        {"plate", [](QPainter& p, const Item& i, Look, const QString&) { drawPlate(p, i); }},
        {"card",
         [](QPainter& p, const Item& i, Look, const QString&) { drawCard(p, i, kCard, 12); }},
        {"panel", [](QPainter& p, const Item& i, Look,
                     const QString&) { drawCard(p, i, kPlate.lighter(140), 8); }},
        {"well",
         [](QPainter& p, const Item& i, Look, const QString&) { drawCard(p, i, kPlate, 6); }},
        {"mask",
         [](QPainter& p, const Item& i, Look, const QString&) { drawCard(p, i, kCard, 12); }},
        {"title",
         [](QPainter& p, const Item& i, Look l, const QString& t) {
             const QRectF body = inner(i);
             drawLogoMark(
                 p, QRectF(body.left(), body.top() + 2, body.height() - 4, body.height() - 4), l);
             paintIcon(
                 p,
                 QRectF(body.left() + body.height() + 4, body.top(), body.height(), body.height()),
                 t, l == Look::Hover ? kWhite : kLegendDim);
         }},
    };
    return table;
}

void drawPolyline(QPainter& p, std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : points) {
        first ? path.moveTo(pt) : path.lineTo(pt);
        first = false;
    }
    p.drawPath(path);
}

} // namespace

bool isDrawn(const std::string& style) {
    return painters().count(style) != 0;
}

Look lookFor(const std::string& style, PictureState state) {
    if (style == "lock") {
        return state == PictureState::Over ? Look::Lit : Look::Normal;
    }
    switch (state) {
    case PictureState::Normal:
        return Look::Normal;
    case PictureState::Over:
        return Look::Hover;
    case PictureState::Down:
        return Look::Pressed;
    case PictureState::Disable:
        // The editor's tabs are disabled in macro-edit mode: they must look off, not chosen.
        if (style == "apply" || style == "record" || style == "button" || style == "accent" ||
            style == "tab") {
            return Look::Disabled;
        }
        return style == "link" ? Look::Pressed : Look::Selected;
    case PictureState::Mark0:
    case PictureState::Mark1:
        if (style == "key" || style == "gkey") {
            return state == PictureState::Mark0 ? Look::Mark0 : Look::Mark1;
        }
        return Look::Normal;
    }
    return Look::Normal;
}

void paintItem(QPainter& painter, const Item& item, Look look, const QString& version) {
    const auto it = painters().find(item.style);
    if (it == painters().end()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(QRect(item.x, item.y, item.width, item.height));
    it->second(painter, item, look, labelText(item, version));
    painter.restore();
}

void paintIcon(QPainter& p, const QRectF& rect, const QString& name, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(rect.width(), rect.height());
    const double u = s / 28.0; // icons are drawn on a 28-unit grid
    const QPointF c = rect.center();
    auto at = [&](double x, double y) { return QPointF(c.x() + x * u, c.y() + y * u); };
    p.setPen(QPen(colour, std::max(1.4, 1.7 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    auto glyph = [&](const QString& text, double px, bool bold = false) {
        p.setFont(font(static_cast<int>(px), bold));
        p.drawText(rect, Qt::AlignCenter, text);
    };
    if (name == "menu") {
        for (double y : {-5.0, 0.0, 5.0}) {
            p.drawLine(at(-6, y), at(6, y));
        }
    } else if (name == "close" || name == "cancel") {
        p.drawLine(at(-5, -5), at(5, 5));
        p.drawLine(at(-5, 5), at(5, -5));
    } else if (name == "minimize") {
        p.drawLine(at(-6, 3), at(6, 3));
    } else if (name == "help") {
        glyph(QStringLiteral("?"), 15 * u, true);
    } else if (name == "ok") {
        drawPolyline(p, {at(-6, 0), at(-2, 4), at(6, -5)});
    } else if (name == "apply") {
        drawPolyline(p, {at(-9, 0), at(-5, 4), at(2, -4)});
        drawPolyline(p, {at(-1, 2), at(1, 4), at(9, -5)});
    } else if (name == "plus") {
        p.drawLine(at(-6, 0), at(6, 0));
        p.drawLine(at(0, -6), at(0, 6));
    } else if (name == "minus") {
        p.drawLine(at(-6, 0), at(6, 0));
    } else if (name == "folder") {
        QPainterPath path;
        path.moveTo(at(-8, -5));
        path.lineTo(at(-3, -5));
        path.lineTo(at(-1, -3));
        path.lineTo(at(8, -3));
        path.lineTo(at(8, 6));
        path.lineTo(at(-8, 6));
        path.closeSubpath();
        p.drawPath(path);
        p.drawLine(at(-8, -1), at(8, -1));
    } else if (name == "trash") {
        p.drawLine(at(-7, -5), at(7, -5));
        p.drawLine(at(-2, -7), at(2, -7));
        drawPolyline(p, {at(-5, -5), at(-4, 7), at(4, 7), at(5, -5)});
        p.drawLine(at(-1.5, -2), at(-1.5, 4));
        p.drawLine(at(1.5, -2), at(1.5, 4));
    } else if (name == "save") {
        drawPolyline(p, {at(-7, -7), at(4, -7), at(7, -4), at(7, 7), at(-7, 7), at(-7, -7)});
        p.drawRect(QRectF(at(-4, 1), at(4, 7)));
        p.drawLine(at(-3, -7), at(-3, -3));
        p.drawLine(at(-3, -3), at(3, -3));
    } else if (name == "upload") {
        p.drawLine(at(0, 5), at(0, -7));
        drawPolyline(p, {at(-5, -2), at(0, -7), at(5, -2)});
        drawPolyline(p, {at(-8, 3), at(-8, 8), at(8, 8), at(8, 3)});
    } else if (name == "top" || name == "bottom") {
        const double d = name == "top" ? 1 : -1;
        p.drawLine(at(-6, -7 * d), at(6, -7 * d));
        p.drawLine(at(0, -3 * d), at(0, 7 * d));
        drawPolyline(p, {at(-4, 1 * d), at(0, -3 * d), at(4, 1 * d)});
    } else if (name == "up" || name == "down") {
        const double d = name == "up" ? 1 : -1;
        p.drawLine(at(0, -6 * d), at(0, 6 * d));
        drawPolyline(p, {at(-5, -1 * d), at(0, -6 * d), at(5, -1 * d)});
    } else if (name == "share") {
        p.setBrush(colour);
        for (const QPointF& pt : {at(-5, 0), at(5, -5), at(5, 5)}) {
            p.drawEllipse(pt, 2.2 * u, 2.2 * u);
        }
        p.drawLine(at(-5, 0), at(5, -5));
        p.drawLine(at(-5, 0), at(5, 5));
    } else if (name == "chat") {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(at(-7, -6), at(7, 4)), 3 * u, 3 * u);
        p.drawPath(bubble);
        drawPolyline(p, {at(-3, 4), at(-5, 8), at(1, 4)});
    } else if (name == "undo" || name == "redo") {
        // A hook arrow: mirrored for redo.
        const double d = name == "undo" ? 1 : -1;
        QPainterPath hook;
        hook.moveTo(at(-6 * d, -3));
        hook.lineTo(at(2 * d, -3));
        hook.arcTo(QRectF(at(-3 * d, -3), at(7 * d, 7)).normalized(), 90, -180 * d);
        hook.lineTo(at(-3 * d, 7));
        p.drawPath(hook);
        drawPolyline(p, {at(-2 * d, -7), at(-6 * d, -3), at(-2 * d, 1)});
    } else if (name == "switch") {
        drawPolyline(p, {at(-7, -3), at(7, -3)});
        drawPolyline(p, {at(3, -7), at(7, -3), at(3, 1)});
        drawPolyline(p, {at(7, 4), at(-7, 4)});
        drawPolyline(p, {at(-3, 0), at(-7, 4), at(-3, 8)});
    } else if (name == "keycap" || name == "osk") {
        if (name == "osk") {
            p.drawRoundedRect(QRectF(at(-10, -6), at(10, 6)), 2 * u, 2 * u);
            for (double x = -6; x <= 6; x += 4) {
                p.drawPoint(at(x, -2));
            }
            p.drawLine(at(-5, 2.5), at(5, 2.5));
        } else {
            p.drawRoundedRect(QRectF(at(-7, -7), at(7, 7)), 3 * u, 3 * u);
            p.drawRoundedRect(QRectF(at(-4, -5), at(4, 2)), 1.5 * u, 1.5 * u);
        }
    } else if (name == "macro") {
        for (double y : {-5.0, 0.0, 5.0}) {
            p.drawLine(at(-3, y), at(8, y));
        }
        p.setBrush(colour);
        for (double y : {-5.0, 0.0, 5.0}) {
            p.drawEllipse(at(-7, y), 1.4 * u, 1.4 * u);
        }
    } else if (name == "media") {
        glyph(QStringLiteral("\u266A"), 18 * u);
    } else if (name == "fn") {
        glyph(QStringLiteral("Fn"), 13 * u, true);
    } else if (name == "clear") {
        glyph(QStringLiteral("\u232B"), 17 * u);
    } else if (!name.isEmpty()) {
        glyph(name, 13 * u, true);
    }
    p.restore();
}

} // namespace kw::skingen
