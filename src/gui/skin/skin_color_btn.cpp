#include "gui/skin/skin_color_btn.h"

#include "gui/skin/focus_ring.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace kw::gui {

CSkinColorBtn::CSkinColorBtn(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, &CSkinColorBtn::ShowPopup);
}

const QList<QColor>& CSkinColorBtn::PaletteColours() {
    static const QList<QColor> colours = [] {
        QList<QColor> list;
        const int hues[] = {0, 30, 55, 120, 175, 200, 230, 280};
        for (const int value : {255, 200, 140}) {
            for (const int hue : hues) {
                list << QColor::fromHsv(hue, 220, value);
            }
        }
        for (int grey = 0; grey < 8; ++grey) {
            list << QColor::fromRgb(grey * 255 / 7, grey * 255 / 7, grey * 255 / 7);
        }
        return list;
    }();
    return colours;
}

void CSkinColorBtn::SetColor(const QColor& colour) {
    colour_ = colour;
    update();
}

void CSkinColorBtn::SetAutomaticColor(const QColor& colour) {
    automatic_ = colour;
    update();
}

void CSkinColorBtn::choose(const QColor& colour) {
    if (!colour.isValid()) {
        return;
    }
    SetColor(colour);
    emit ColorChanged(GetColor());
}

std::unique_ptr<QMenu> CSkinColorBtn::CreatePopup() {
    auto popup = std::make_unique<QMenu>(this);
    QMenu* menu = popup.get();
    auto* panel = new QWidget(menu);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    const QList<QColor>& colours = PaletteColours();
    for (int i = 0; i < colours.size(); ++i) {
        auto* swatch = new QToolButton(panel);
        swatch->setFixedSize(18, 18);
        swatch->setAutoRaise(true);
        swatch->setObjectName(colours[i].name());
        swatch->setStyleSheet(
            QStringLiteral("background:%1;border:1px solid #303540;").arg(colours[i].name()));
        const QColor colour = colours[i];
        connect(swatch, &QToolButton::clicked, menu, [this, colour, menu] {
            menu->close();
            choose(colour);
        });
        grid->addWidget(swatch, i / 8, i % 8);
    }
    layout->addLayout(grid);
    auto* other = new QPushButton(otherText_, panel);
    other->setObjectName(QStringLiteral("other"));
    connect(other, &QPushButton::clicked, menu, [this, menu] {
        menu->close();
        choose(QColorDialog::getColor(GetColor(), window()));
    });
    layout->addWidget(other);
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(panel);
    menu->addAction(action);
    return popup;
}

void CSkinColorBtn::ShowPopup() {
    const std::unique_ptr<QMenu> popup = CreatePopup();
    popup->exec(mapToGlobal(QPoint(0, height())));
    update();
}

void CSkinColorBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect client = rect();
    const QColor colour = GetColor();
    // Swatch: the client grown by one, cut at the middle plus five.
    QRect swatch = client.adjusted(-1, -1, 1, 1);
    swatch.setRight(client.right() / 2 + 5);
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(IsAutomatic() || !isEnabled() ? QBrush(Qt::NoBrush) : QBrush(colour));
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
    // Drop-arrow area on the right half.
    QRect arrow = client.adjusted(-1, -2, 1, 2);
    arrow.setLeft(client.left() + client.right() / 2 + 3);
    p.setPen(palette().color(QPalette::Mid));
    p.setBrush(QColor(148, 146, 139));
    p.drawRect(arrow.adjusted(0, 0, -1, -1));
    const int r = client.adjusted(-1, -1, 1, 1).right();
    const int m = client.height() / 2;
    QPainterPath triangle;
    triangle.moveTo(r - 11, m - 2);
    triangle.lineTo(r - 5, m - 2);
    triangle.lineTo(r - 8, m + 1);
    triangle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(triangle);
    if (hasFocus()) {
        // Inside the button: a frame outside it would be clipped away.
        DrawFocusRing(p, client);
    }
}

void CSkinColorBtn::focusOutEvent(QFocusEvent* event) {
    setDown(false);
    update();
    QAbstractButton::focusOutEvent(event);
}

void CSkinColorBtn::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace kw::gui
