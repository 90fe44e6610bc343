#pragma once
// A colour-picker button: a swatch of the chosen colour and a drop arrow; a
// click opens a palette with an "other" entry that opens the colour dialog.

#include <QAbstractButton>
#include <QColor>
#include <QMenu>
#include <QString>
#include <memory>

namespace kw::gui {

class CSkinColorBtn : public QAbstractButton {
    Q_OBJECT
public:
    explicit CSkinColorBtn(QWidget* parent = nullptr);

    // An invalid colour means "automatic": the button then reports the automatic colour.
    void SetColor(const QColor& colour);
    QColor GetColor() const { return colour_.isValid() ? colour_ : automatic_; }
    bool IsAutomatic() const { return !colour_.isValid(); }
    void SetAutomaticColor(const QColor& colour);
    // Text of the palette's last entry (a language text).
    void SetOtherText(const QString& text) { otherText_ = text; }

    // The palette the popup offers, in rows of eight.
    static const QList<QColor>& PaletteColours();

    // Shows the palette under the button; a choice there sets the colour.
    void ShowPopup();
    // The palette popup: one button per palette colour, then the "other"
    // entry (object name "other") that opens the colour dialog.
    std::unique_ptr<QMenu> CreatePopup();

signals:
    void ColorChanged(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void choose(const QColor& colour);

    QColor colour_;
    QColor automatic_ = Qt::black;
    QString otherText_ = QStringLiteral("\u2026");
};

} // namespace kw::gui
