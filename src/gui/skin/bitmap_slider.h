#pragma once
// A slider drawn from one face bitmap per value; the owner swaps the face when
// the position changes. Reports every move with SliderChanged.

#include "core/skin/slider_mapping.h"

#include <QImage>
#include <QWidget>

namespace kw::gui {

class CBitmapSlider : public QWidget {
    Q_OBJECT
public:
    explicit CBitmapSlider(QWidget* parent = nullptr, int controlId = 0);

    // The first face: the slider takes the bitmap's size where it stands.
    void SetBitmap(const QImage& face);
    virtual void SetFaceBitmap(const QImage& face);
    void SetRange(int minimum, int maximum);
    void SetPage(int page) { page_ = page; }
    void SetPos(int position);
    int GetPos() const { return position_; }
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    // A move asked for another way than the pointer or keys (assistive
    // technology); reported like theirs.
    void SetPosByUser(int position) { moveTo(position); }
    void SetVertical(bool vertical) { vertical_ = vertical; }
    int ControlId() const { return controlId_; }
    bool IsFocused() const { return focused_; }

signals:
    // The slider's control id and its position after a press, drag, release, key or wheel.
    void SliderChanged(int controlId, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    skin::SliderGeometry geometry() const;
    void followPointer(QPoint point);
    void moveTo(int position);

    int controlId_;
    QImage face_;
    int minimum_ = 0;
    int maximum_ = 0;
    int position_ = 0;
    int page_ = 0;
    bool vertical_ = false;
    bool dragging_ = false;
    bool focused_ = false;
};

} // namespace kw::gui
