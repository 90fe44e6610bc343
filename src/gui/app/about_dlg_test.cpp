#include "core/base/settings_store.h"
#include "gui/app/about_dlg.h"
#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <QKeyEvent>
#include <QTest>

namespace kw::app {
namespace {

class RecordingShell : public ShellActions {
public:
    void openUrl(const QUrl& url) override { urls.push_back(url); }
    bool startDetached(const QString& program, const QStringList&, const QString&) override {
        programs.push_back(program);
        return true;
    }
    std::vector<QUrl> urls;
    std::vector<QString> programs;
};

class AboutDlgTest : public gui::testing::WidgetTest {
protected:
    kw::testing::TempDir dir;
    SettingsStore settings{dir / "settings.ini"};
    Language language{kw::testing::programFolder(), settings, [] { return std::uint16_t{1033}; }};
    RecordingShell shell;
    CAboutDlg about{language, shell, dir / "Help", "https://keyweave.example.org/"};
};

TEST_F(AboutDlgTest, OpeningTwiceLeavesOneWindowAndClosingAllowsANewOne) {
    EXPECT_TRUE(about.Open());
    EXPECT_FALSE(about.Open());
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.FirstLine().text().toStdString(), language.LookupText("GUANYU_JIESHAO", 0));
    QTest::mouseClick(const_cast<QPushButton*>(&about.OkButton()), Qt::LeftButton);
    EXPECT_FALSE(about.IsOpen());
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(about.Open());
    about.CloseFromOutside();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutDlgTest, SecondLanguageRetextsEverything) {
    about.LanguageChanged(1);
    EXPECT_EQ(about.windowTitle().toStdString(), language.LookupText("LANG_ABOUT_TITLE", 1));
    EXPECT_EQ(about.FirstLine().text().toStdString(), language.LookupText("GUANYU_JIESHAO", 1));
    EXPECT_EQ(about.SecondLine().text().toStdString(), language.LookupText("GUANYU_BANQUAN", 1));
    EXPECT_NE(about.FirstLine().text().toStdString(), language.LookupText("GUANYU_JIESHAO", 0));
}

TEST_F(AboutDlgTest, LinkAndF1OpenTheirPages) {
    about.Open();
    QTest::mouseClick(const_cast<CHyperLink*>(&about.Link()), Qt::LeftButton);
    QTest::keyClick(&about, Qt::Key_F1);
    ASSERT_EQ(shell.urls.size(), 2u);
    EXPECT_EQ(shell.urls[0], QUrl("https://keyweave.example.org/"));
    EXPECT_EQ(shell.urls[1], QUrl::fromLocalFile(qtPath(dir / "Help" / "index.html")));
}

} // namespace
} // namespace kw::app
