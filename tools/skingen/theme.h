#pragma once
// The skin's palette: a dark theme with one accent colour.

#include <QColor>
#include <QFont>

namespace kw::skingen::theme {

inline const QColor kAccent{0x22, 0xd3, 0xee};
inline const QColor kAccentDeep{0x0e, 0x8f, 0xab};
inline const QColor kWindowTop{0x15, 0x17, 0x1d};
inline const QColor kWindowBottom{0x0d, 0x0e, 0x12};
inline const QColor kWindowEdge{0x2a, 0x2e, 0x38};
inline const QColor kTitleBar{0x12, 0x14, 0x19};
inline const QColor kCard{0x17, 0x1a, 0x21};
inline const QColor kCardEdge{0x26, 0x2a, 0x34};
inline const QColor kPlate{0x0a, 0x0b, 0x0e};
inline const QColor kPlateEdge{0x23, 0x26, 0x2e};
inline const QColor kCapTop{0x2e, 0x32, 0x3c};
inline const QColor kCapBottom{0x24, 0x27, 0x2e};
inline const QColor kCapEdge{0x3a, 0x3f, 0x4b};
inline const QColor kCapShadow{0x05, 0x06, 0x08};
inline const QColor kLegend{0xd8, 0xdc, 0xe5};
inline const QColor kLegendDim{0x8b, 0x91, 0x9e};
inline const QColor kDisabledFill{0x1a, 0x1c, 0x21};
inline const QColor kDisabledText{0x4d, 0x52, 0x5d};
inline const QColor kWhite{0xf4, 0xf7, 0xfb};

inline QFont font(int pixelSize, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

inline QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// a over b with weight t of a.
inline QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * t + b.redF() * (1 - t)),
                            static_cast<float>(a.greenF() * t + b.greenF() * (1 - t)),
                            static_cast<float>(a.blueF() * t + b.blueF() * (1 - t)));
}

} // namespace kw::skingen::theme
