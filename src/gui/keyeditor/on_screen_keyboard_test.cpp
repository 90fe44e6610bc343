// Starting the desktop's on-screen keyboard from the search path.

#include "gui/keyeditor/on_screen_keyboard.h"
#include "testsupport/temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kw::gui {
namespace {

class RecordingShell : public app::ShellActions {
public:
    bool startDetached(const QString& program, const QStringList&, const QString&) override {
        started.push_back(program);
        return startResult;
    }
    QStringList started;
    bool startResult = true;
};

class OnScreenKeyboardTest : public ::testing::Test {
protected:
    OnScreenKeyboardTest() : savedPath_(qgetenv("PATH")) {
        qputenv("PATH", app::qtPath(dir.path()).toUtf8());
    }
    ~OnScreenKeyboardTest() override { qputenv("PATH", savedPath_); }

    QString install(const QString& name) {
        const QString file = app::qtPath(dir / name.toStdString());
        QFile program(file);
        EXPECT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.close();
        program.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ExeOwner);
        return file;
    }

    kw::testing::TempDir dir;
    RecordingShell shell;

private:
    QByteArray savedPath_;
};

TEST_F(OnScreenKeyboardTest, StartsThePreferredKeyboardFound) {
    install(QStringLiteral("xvkbd"));
    const QString onboard = install(QStringLiteral("onboard"));
    EXPECT_TRUE(StartOnScreenKeyboard(shell));
    EXPECT_EQ(shell.started, QStringList{onboard});
}

TEST_F(OnScreenKeyboardTest, NoneInstalledOrNoneStartingIsReported) {
    EXPECT_FALSE(StartOnScreenKeyboard(shell));
    EXPECT_TRUE(shell.started.isEmpty());

    install(QStringLiteral("florence"));
    shell.startResult = false;
    EXPECT_FALSE(StartOnScreenKeyboard(shell));
}

} // namespace
} // namespace kw::gui
