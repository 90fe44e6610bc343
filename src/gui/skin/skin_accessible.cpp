#include "gui/skin/skin_accessible.h"

#include "gui/skin/bitmap_slider.h"
#include "gui/skin/png_button.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kw::gui {
namespace {

class PngButtonAccessible : public QAccessibleWidget {
public:
    explicit PngButtonAccessible(CPngButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return button().IsDecorative() ? QAccessible::Graphic : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override {
        const auto& b = button();
        if (t == QAccessible::Name) {
            if (!b.accessibleName().isEmpty()) {
                return b.accessibleName();
            }
            return b.text().isEmpty() ? b.TooltipText() : b.text();
        }
        if (t == QAccessible::Description && b.accessibleDescription().isEmpty() &&
            b.TooltipText() != text(QAccessible::Name)) {
            return b.TooltipText();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (button().IsAccessibleToggle()) {
            s.checkable = true;
            s.checked = button().IsSelected();
        }
        return s;
    }

    QStringList actionNames() const override {
        if (button().IsDecorative()) {
            return QAccessibleWidget::actionNames();
        }
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name == pressAction() && button().isEnabled() && !button().IsDecorative()) {
            button().click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    CPngButton& button() const { return *static_cast<CPngButton*>(widget()); }
};

class BitmapSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit BitmapSliderAccessible(CBitmapSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return slider().GetPos(); }
    void setCurrentValue(const QVariant& value) override { slider().SetPosByUser(value.toInt()); }
    QVariant maximumValue() const override { return slider().Maximum(); }
    QVariant minimumValue() const override { return slider().Minimum(); }
    QVariant minimumStepSize() const override { return 1; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QString::number(slider().GetPos());
        }
        return QAccessibleWidget::text(t);
    }

private:
    CBitmapSlider& slider() const { return *static_cast<CBitmapSlider*>(widget()); }
};

QAccessibleInterface* skinAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("kw::gui::CPngButton")) {
        return new PngButtonAccessible(static_cast<CPngButton*>(object));
    }
    if (className == QLatin1String("kw::gui::CBitmapSlider")) {
        return new BitmapSliderAccessible(static_cast<CBitmapSlider*>(object));
    }
    return nullptr;
}

} // namespace

void InstallSkinAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(skinAccessibleFactory);
        return true;
    }();
    (void)installed;
}

} // namespace kw::gui
