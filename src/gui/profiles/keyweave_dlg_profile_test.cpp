// The profile manager in the real main window on the simulated keyboard,
// driven by clicks: New, Load, Delete, the active mark, Apply, OK and Cancel.

#include "core/config/profile_file.h"
#include "gui/mainwnd/simulated_window_test_fixture.h"
#include "gui/profiles/keyweave_dlg_profile.h"
#include "testsupport/scripted_file_chooser.h"

#include <QTest>
#include <fstream>

namespace kw::gui {
namespace {

using namespace testing;
using namespace profiles;

constexpr int kProfileManagerButton = 1005;

void click(QWidget* control) {
    ASSERT_NE(control, nullptr);
    QTest::mouseClick(control, Qt::LeftButton, {},
                      QPoint(control->width() / 2, control->height() / 2));
}

class ProfileDialogTest : public SimulatedWindowTest {
protected:
    ProfileDialogTest() {
        startWithParts();
        parts->SetFileChooser(files);
    }

    // Clicks the folder button and runs `whileOpen` inside the manager's modal loop.
    void openManager(std::function<void(CKeyweave_DlgProfile&)> whileOpen) {
        bool ran = false;
        parts->SetWhileDialogOpen([&](QDialog& dialog) {
            ran = true;
            whileOpen(static_cast<CKeyweave_DlgProfile&>(dialog));
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        click(parts->Commands().button(kProfileManagerButton));
        EXPECT_TRUE(ran);
    }

    void tick(CKeyweave_DlgProfile& d, int row) {
        d.List().item(row, 0)->setCheckState(Qt::Checked);
    }

    std::string stored(const std::string& entry) {
        SettingsStore store(SettingsStore::defaultPath());
        return store.readProfileString("PROFILES", entry, "(none)");
    }

    int keyboardProfile() { return simulated.memory().info.activeProfile(); }

    kw::testing::ScriptedFileChooser files;
};

TEST_F(ProfileDialogTest, OpensOnTheThreeProfilesWithTheActiveOneMarked) {
    openManager([&](CKeyweave_DlgProfile& d) {
        ASSERT_EQ(d.List().rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(d.List().item(row, 0)->checkState(),
                      row == profile() ? Qt::Checked : Qt::Unchecked)
                << row;
        }
        EXPECT_FALSE(d.Control(kApply)->isEnabled());
    });
}

TEST_F(ProfileDialogTest, NewWritesADefaultProfileFileAndApplyStoresTheList) {
    const auto file = dir / "mine" / "Work.fwc";
    std::filesystem::create_directories(file.parent_path());
    files.answers = {file};
    openManager([&](CKeyweave_DlgProfile& d) {
        click(d.Control(kNew));
        ASSERT_EQ(d.List().rowCount(), 4);
        EXPECT_EQ(d.List().item(3, 1)->text(), QStringLiteral("Work"));
        EXPECT_TRUE(d.Control(kApply)->isEnabled());
        tick(d, 2);
        click(d.Control(kApply));
        EXPECT_FALSE(d.Control(kApply)->isEnabled());
    });
    // The file chooser started in the data folder with the proposed name.
    ASSERT_FALSE(files.asked.empty());
    EXPECT_EQ(files.asked[0].proposedName, language.text("PROFILE_NEW"));
    EXPECT_EQ(std::filesystem::file_size(file), 32832u);
    EXPECT_EQ(ValidateProfileFile(file, prompter, language), 1);
    EXPECT_EQ(stored("PROFILE00"), "4");
    EXPECT_EQ(stored("PROFILE04"), file.string());
    EXPECT_EQ(keyboardProfile(), 2);
    EXPECT_EQ(profile(), 2);
    EXPECT_EQ(parts->Commands().selectedProfile(), 2);
    EXPECT_FALSE(window.Sync().modified.isSet());
}

TEST_F(ProfileDialogTest, NewIntoAPlaceThatCannotBeWrittenSaysSoAndAddsNothing) {
    // A folder that is a file: not even root can write there.
    std::ofstream(dir / "plain") << "x";
    files.answers = {dir / "plain" / "Work.fwc"};
    openManager([&](CKeyweave_DlgProfile& d) {
        click(d.Control(kNew));
        EXPECT_EQ(d.List().rowCount(), 3);
        EXPECT_FALSE(d.Control(kApply)->isEnabled());
    });
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], language.text("PROFILE_NEW_FAILED"));
}

TEST_F(ProfileDialogTest, CancelWritesNothingAndOkApplies) {
    const auto garbage = dir / "notes.fwc";
    std::ofstream(garbage) << "not a profile";
    files.answers = {garbage};
    const int before = keyboardProfile();
    openManager([&](CKeyweave_DlgProfile& d) {
        click(d.Control(kLoad));
        EXPECT_EQ(d.List().rowCount(), 4);
        d.List().selectRow(3);
        click(d.Control(kDelete));
        EXPECT_EQ(d.List().rowCount(), 3);
        tick(d, (before + 1) % 3);
        click(d.Control(kCancel));
    });
    EXPECT_EQ(stored("PROFILE00"), "(none)");
    EXPECT_EQ(keyboardProfile(), before);

    files.answers = {garbage};
    openManager([&](CKeyweave_DlgProfile& d) {
        click(d.Control(kLoad));
        // A loaded row is listed, never loaded: marking it leaves the keyboard alone.
        tick(d, 3);
        click(d.Control(kOk));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(stored("PROFILE00"), "4");
    EXPECT_EQ(stored("PROFILE04"), garbage.string());
    EXPECT_EQ(keyboardProfile(), before);
}

} // namespace
} // namespace kw::gui
