#include "gui/app/tray_icon.h"
#include "gui/skin/test_application.h"

#include <QSignalSpy>

namespace kw::app {
namespace {

class TrayIconTest : public gui::testing::WidgetTest {
protected:
    CTrayIcon tray{gui::testing::application().applicationDirPath().toStdString()};
};

TEST_F(TrayIconTest, MenuIsRetextedBeforeItShowsWithOpenAsTheBoldDefault) {
    int preparations = 0;
    tray.SetMenuPreparation([&](QMenu& menu) {
        ++preparations;
        const QStringList texts = {"Abrir", "Sobre", "Iniciar com a minha sessão", "Sair"};
        for (int i = 0; i < 4; ++i) {
            menu.actions()[i]->setText(texts[i]);
        }
    });
    QMenu& menu = tray.PreparedMenu();
    EXPECT_EQ(preparations, 1);
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(menu.actions()[0]->text(), "Abrir");
    EXPECT_EQ(menu.actions()[3]->text(), "Sair");
    EXPECT_TRUE(menu.actions()[2]->isCheckable());
    ASSERT_NE(menu.defaultAction(), nullptr);
    EXPECT_EQ(menu.defaultAction()->data().toInt(), kCommandOpen);
    EXPECT_TRUE(menu.actions()[0]->font().bold());
    EXPECT_FALSE(menu.actions()[1]->font().bold());

    QSignalSpy commands(&tray, &CTrayIcon::command);
    menu.actions()[1]->trigger();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0][0].toInt(), kCommandAbout);
}

TEST_F(TrayIconTest, DoubleClickRunsTheDefaultCommandAndOtherClicksNothing) {
    QSignalSpy commands(&tray, &CTrayIcon::command);
    tray.HandleActivation(QSystemTrayIcon::Trigger);
    tray.HandleActivation(QSystemTrayIcon::Context);
    EXPECT_EQ(commands.size(), 0);
    tray.HandleActivation(QSystemTrayIcon::DoubleClick);
    tray.SetDefaultCommand(kCommandAbout);
    tray.HandleActivation(QSystemTrayIcon::DoubleClick);
    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands[0][0].toInt(), kCommandOpen);
    EXPECT_EQ(commands[1][0].toInt(), kCommandAbout);
}

TEST_F(TrayIconTest, WithoutANotificationAreaTheIconStaysAbsentAndCallsAreHarmless) {
    // The offscreen platform has no tray.
    EXPECT_FALSE(tray.Create(QString(200, 'x'), 128));
    EXPECT_FALSE(tray.IsCreated());
    EXPECT_EQ(tray.Tooltip().size(), 127);
    tray.SetTooltip(QString(300, 'y'));
    EXPECT_EQ(tray.Tooltip(), QString(127, 'y'));
    tray.SetIcon(141);
    tray.Remove();
    EXPECT_FALSE(tray.IsCreated());
}

} // namespace
} // namespace kw::app
