// The firmware update dialog in the real main window on the simulated
// keyboard: the menu opens it, Update's four outcomes, Backup's two.

#include "core/config/profile_file.h"
#include "gui/mainwnd/simulated_window_test_fixture.h"
#include "gui/update/keyweave_dlg_update.h"
#include "testsupport/scripted_file_chooser.h"

#include <QTest>
#include <fstream>

namespace kw::gui {
namespace {

using namespace testing;
using namespace update;

constexpr int kUpdateCommand = 32780;

void click(QWidget* control) {
    ASSERT_NE(control, nullptr);
    QTest::mouseClick(control, Qt::LeftButton, {},
                      QPoint(control->width() / 2, control->height() / 2));
}

bool contains(const std::vector<std::string>& messages, const std::string& text) {
    return !messages.empty() && messages.back().find(text) != std::string::npos;
}

class UpdateDialogTest : public SimulatedWindowTest {
protected:
    UpdateDialogTest() {
        startWithParts();
        parts->SetFileChooser(files);
        std::ofstream(program) << "#!/bin/sh\n";
    }

    // The menu command, with `whileOpen` inside the dialog's modal loop.
    void openUpdate(std::function<void(CKeyweave_DlgUpdate&)> whileOpen) {
        bool ran = false;
        parts->SetWhileDialogOpen([&](QDialog& dialog) {
            ran = true;
            whileOpen(static_cast<CKeyweave_DlgUpdate&>(dialog));
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        parts->Commands().Command(kUpdateCommand);
        EXPECT_TRUE(ran);
    }
    void choose(CKeyweave_DlgUpdate& d, const std::filesystem::path& file) {
        files.answers = {file};
        click(d.Control(kOpen));
    }

    kw::testing::ScriptedFileChooser files;
    std::filesystem::path program = dir / "flash-tool";
};

TEST_F(UpdateDialogTest, UpdateWithoutAProgramAsksForOneAndStays) {
    openUpdate([&](CKeyweave_DlgUpdate& d) {
        click(d.Control(kUpdate));
        EXPECT_TRUE(contains(prompter.messages, "请选择正确的更新文件! "));
        EXPECT_TRUE(contains(prompter.messages, language.text("UPDATE_ERR_FILE")));
        EXPECT_TRUE(d.isVisible());
        // A cancelled choice empties it.
        choose(d, program);
        choose(d, {});
        click(d.Control(kUpdate));
        EXPECT_EQ(prompter.messages.size(), 2u);
    });
    ASSERT_FALSE(files.asked.empty());
    EXPECT_EQ(files.asked[0].startFolder, kw::testing::programFolder() / "Package");
    EXPECT_FALSE(simulated.inBootMode());
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(UpdateDialogTest, WithTheKeyboardAbsentNothingIsStarted) {
    simulated.unplug();
    ASSERT_TRUE(waitFor([&] { return link.devicePresent == 0; }));
    openUpdate([&](CKeyweave_DlgUpdate& d) {
        choose(d, program);
        click(d.Control(kUpdate));
        EXPECT_TRUE(contains(prompter.messages, "无法进入Boot模式! "));
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_TRUE(shell.started.empty());
    // The choice is kept for the next try.
    EXPECT_EQ(parts->UpdateProgram(), program);
}

TEST_F(UpdateDialogTest, AProgramThatCannotStartIsSaidAndTheChoiceEmptied) {
    shell.startResult = false;
    openUpdate([&](CKeyweave_DlgUpdate& d) {
        choose(d, program);
        click(d.Control(kUpdate));
        EXPECT_TRUE(contains(prompter.messages, "无法执行更新文件! "));
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(static_cast<QLabel*>(d.Control(kPath))->text().isEmpty());
    });
    EXPECT_TRUE(simulated.inBootMode());
    EXPECT_TRUE(parts->UpdateProgram().empty());
}

TEST_F(UpdateDialogTest, UpdateSendsTheKeyboardToBootModeStartsTheProgramAndCloses) {
    openUpdate([&](CKeyweave_DlgUpdate& d) {
        choose(d, program);
        EXPECT_EQ(static_cast<QLabel*>(d.Control(kPath))->text(),
                  QString::fromStdString(program.string()));
        click(d.Control(kUpdate));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(simulated.inBootMode());
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_TRUE(shell.started[0].startsWith(QString::fromStdString(program.string())));
    // The keyboard left: the window hides, as on any removal.
    EXPECT_TRUE(waitFor([&] { return link.devicePresent == 0; }));
}

TEST_F(UpdateDialogTest, BackupSaysWhetherItWasWritten) {
    const auto good = dir / "backup.fwc";
    std::ofstream(dir / "plain") << "x";
    openUpdate([&](CKeyweave_DlgUpdate& d) {
        files.answers = {good};
        click(d.Control(kBackup));
        EXPECT_TRUE(contains(prompter.messages, "备份成功!"));
        // A folder that is a file: not even root can write there.
        files.answers = {dir / "plain" / "backup.fwc"};
        click(d.Control(kBackup));
        EXPECT_TRUE(contains(prompter.messages, "备份失败,请重新备份!"));
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(ValidateProfileFile(good, prompter, language), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "plain" / "backup.fwc"));
}

TEST_F(UpdateDialogTest, CancelUpdateForgetsTheChoice) {
    openUpdate([&](CKeyweave_DlgUpdate& d) {
        choose(d, program);
        click(d.Control(kCancelUpdate));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(parts->UpdateProgram().empty());
    EXPECT_FALSE(simulated.inBootMode());
}

} // namespace
} // namespace kw::gui
