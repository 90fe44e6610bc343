#include "gui/skin/skin_color_btn.h"
#include "gui/skin/test_application.h"

#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kw::gui {
namespace {

class SkinColorBtnTest : public testing::WidgetTest {
protected:
    CSkinColorBtn button;
};

TEST_F(SkinColorBtnTest, AutomaticColourStandsInForNoChoice) {
    button.SetAutomaticColor(Qt::white);
    button.SetColor(QColor());
    EXPECT_TRUE(button.IsAutomatic());
    EXPECT_EQ(button.GetColor(), QColor(Qt::white));
    button.SetColor(Qt::red);
    EXPECT_FALSE(button.IsAutomatic());
    EXPECT_EQ(button.GetColor(), QColor(Qt::red));
}

TEST_F(SkinColorBtnTest, PaletteOffersEveryColourAndAnOtherEntry) {
    std::vector<QColor> reported;
    QObject::connect(&button, &CSkinColorBtn::ColorChanged,
                     [&](const QColor& c) { reported.push_back(c); });
    button.SetOtherText(QStringLiteral("More colours"));
    const auto popup = button.CreatePopup();
    EXPECT_EQ(popup->findChildren<QToolButton*>().size(), CSkinColorBtn::PaletteColours().size());
    auto* other = popup->findChild<QPushButton*>(QStringLiteral("other"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->text(), QStringLiteral("More colours"));

    const QColor pick = CSkinColorBtn::PaletteColours().at(3);
    auto* swatch = popup->findChild<QToolButton*>(pick.name());
    ASSERT_NE(swatch, nullptr);
    swatch->click();
    EXPECT_EQ(button.GetColor(), pick);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], pick);
}

} // namespace
} // namespace kw::gui
