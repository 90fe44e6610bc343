#pragma once
// A transparent label in a chosen text colour, for captions on skin pictures.

#include <QColor>
#include <QLabel>

namespace kw::gui {

class ColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit ColorStatic(QWidget* parent = nullptr);
    void SetTextColour(const QColor& colour);
    QColor TextColour() const { return colour_; }

private:
    QColor colour_ = Qt::white;
};

} // namespace kw::gui
