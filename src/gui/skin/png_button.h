#pragma once
// An image button whose faces are cut from whole-window skin pictures at the
// button's own place, with hover, pressed, disabled, selected and marking
// looks, an optional colour mark, text style, tooltip and after-paint call.

#include "gui/skin/skin_picture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QColor>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <array>
#include <functional>

namespace kw::gui {

class CPngButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Face {
        Normal,
        Hover,
        Pressed,
        Disabled,
        Selected,
        MarkFirst,
        MarkSecond,
        Png,
        ColourMark,
        None
    };
    using AfterPaint = std::function<void(CPngButton& button, bool normalDrawn)>;
    struct TextColours {
        QColor normal = Qt::black, hover = Qt::black, pressed = Qt::black, disabled = Qt::gray,
               selected = Qt::black;
    };

    explicit CPngButton(QWidget* parent = nullptr);

    // Face offset (the skin position) and the five face pictures.
    // A face picture is decoded when the button first shows that face.
    void SetFaces(int x, int y, const SkinPicture& normal, const SkinPicture& hover,
                  const SkinPicture& pressed, const SkinPicture& disabled,
                  const SkinPicture& selected, bool redraw = true);
    void SetFaceSources(const SkinPicture& normal, const SkinPicture& hover,
                        const SkinPicture& pressed, const SkinPicture& disabled,
                        const SkinPicture& selected, bool redraw = true);
    void SetSelected(bool selected, bool redraw);
    bool IsSelected() const { return selected_; }
    // Strength is kept (0..100) but the mark is always a 2-pixel frame.
    void SetColourMark(const QColor& colour, int strength, bool enable, bool redraw = true);
    bool HasColourMark() const { return markEnabled_; }
    void SetTextStyle(bool drawText, int pointSize, const QString& family,
                      const TextColours& colours, Qt::Alignment alignment = Qt::AlignCenter);
    void SetTextAngle(int tenthsOfDegree, bool rotateAndCentre);
    // An empty text changes nothing; the tip shows 300 ms after the pointer arrives.
    void SetTooltip(const QString& text, bool activate);
    void SetAfterPaint(AfterPaint callback) { afterPaint_ = std::move(callback); }
    // Mode 1: the button takes the shape of the mask (white cut away).
    void SetMask(const QImage& mask, int mode);
    // Faces drawn at their natural size instead of cut pictures: normal, hover,
    // pressed, and disabled or selected.
    void SetPngFaces(const QImage& normal, const QImage& hover, const QImage& pressed,
                     const QImage& disabledOrSelected);
    // Marking mode shows one of two alternative faces over every other state.
    void SetMarkFaces(const SkinPicture& first, const SkinPicture& second, bool useSecond,
                      bool markingMode, bool redraw = true);

    // A toggle tells assistive technology its selected state as checked.
    void SetAccessibleToggle(bool toggle) { accessibleToggle_ = toggle; }
    bool IsAccessibleToggle() const { return accessibleToggle_; }
    // A picture that only shows something (a lamp, a frame, an arrow): it
    // takes no focus and reads as a graphic, not as a button.
    void SetDecorative();
    bool IsDecorative() const { return decorative_; }

    QPoint FaceOffset() const { return offset_; }
    Face LastFace() const { return lastFace_; }
    bool IsHovered() const { return hover_; }
    QString TooltipText() const { return tooltipText_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    Face chooseFace() const;
    void resetInteraction();
    void showTooltip();
    void announce(QAccessible::Event change);

    std::array<SkinPicture, 5> faces_;
    std::array<SkinPicture, 2> markFaces_;
    std::array<QImage, 4> pngFaces_;
    bool markingMode_ = false;
    bool useSecondMark_ = false;
    bool hover_ = false;
    bool selected_ = false;
    bool accessibleToggle_ = false;
    bool decorative_ = false;
    bool focusRing_ = false; // the focus came by the keyboard
    QPoint offset_{1, 1};
    Face lastFace_ = None;

    bool drawText_ = false;
    int pointSize_ = 8;
    QString family_ = QStringLiteral("DejaVu Sans");
    TextColours textColours_;
    Qt::Alignment alignment_ = Qt::AlignCenter;
    int angle_ = 0;
    bool rotate_ = false;

    AfterPaint afterPaint_;
    QString tooltipText_;
    bool tooltipActive_ = false;
    QTimer tooltipTimer_;

    bool markEnabled_ = false;
    QColor markColour_;
    int markStrength_ = 0;
};

} // namespace kw::gui
