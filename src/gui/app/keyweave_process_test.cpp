// keyweave as a user starts it: one instance per user, "/Kill", the
// screenshot run, with exit codes. Each test has its own runtime folder.

#include "gui/skin/test_application.h"
#include "testsupport/temp_dir.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <fstream>

namespace kw::app {
namespace {

using namespace std::chrono_literals;

class KeyweaveProcessTest : public gui::testing::WidgetTest {
protected:
    KeyweaveProcessTest() {
        std::filesystem::create_directories(dir / "run");
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir / "run").string()));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
        environment.insert("XDG_DATA_HOME", QString::fromStdString((dir / "data").string()));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    }
    ~KeyweaveProcessTest() override {
        for (auto& process : running) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }
    QProcess& launch(const QStringList& arguments) {
        running.push_back(std::make_unique<QProcess>());
        QProcess& process = *running.back();
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString((kw::testing::programFolder() / "keyweave").string()),
                      arguments);
        EXPECT_TRUE(process.waitForStarted(5000));
        return process;
    }
    // The exit code of a run that must end by itself.
    int run(const QStringList& arguments) {
        QProcess& process = launch(arguments);
        EXPECT_TRUE(process.waitForFinished(15000)) << arguments.join(' ').toStdString();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    bool listening() const {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!std::filesystem::exists(dir / "run" / "keyweave" / "keyweave.socket")) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            QThread::msleep(20);
        }
        return true;
    }

    kw::testing::TempDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> running;
};

TEST_F(KeyweaveProcessTest, SecondStartHandsOverAndKillEndsTheFirst) {
    QProcess& first = launch({"--simulate", "/START"});
    ASSERT_TRUE(listening());
    EXPECT_EQ(run({"--simulate"}), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    EXPECT_EQ(run({"/kill", "/Start"}), 0);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);

    // The lock went with it: the next start is a first instance again.
    QProcess& next = launch({"--simulate"});
    ASSERT_TRUE(listening());
    EXPECT_EQ(run({"/Kill"}), 0);
    ASSERT_TRUE(next.waitForFinished(10000));
    EXPECT_EQ(next.exitCode(), 0);
}

TEST_F(KeyweaveProcessTest, KillWithNothingRunningEndsWithoutStartingAnInstance) {
    EXPECT_EQ(run({"/Kill", "--simulate"}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "run" / "keyweave" / "keyweave.socket"));
}

TEST_F(KeyweaveProcessTest, AKilledInstanceDoesNotBlockTheNextStart) {
    QProcess& crashed = launch({"--simulate", "/Start"});
    ASSERT_TRUE(listening());
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished(5000));
    QProcess& next = launch({"--simulate", "/Start"});
    QThread::msleep(300);
    EXPECT_EQ(next.state(), QProcess::Running);
    EXPECT_EQ(run({"/Kill"}), 0);
    ASSERT_TRUE(next.waitForFinished(10000));
}

TEST_F(KeyweaveProcessTest, ScreenshotRendersTheConnectedWindow) {
    const std::filesystem::path file = dir / "window.png";
    EXPECT_EQ(run({"--simulate", "--screenshot", QString::fromStdString(file.string())}), 0);
    const QImage shot(QString::fromStdString(file.string()));
    ASSERT_FALSE(shot.isNull());
    const QImage background(QString::fromStdString(
        (kw::testing::programFolder() / "Skins" / "main_background.bmp").string()));
    ASSERT_FALSE(background.isNull());
    EXPECT_EQ(shot.size(), background.size());
}

TEST_F(KeyweaveProcessTest, BadOptionsAndStateFilesEndWithUsageCode) {
    EXPECT_EQ(run({"--hid-root"}), 2);
    const std::filesystem::path state = dir / "not-a-state";
    { std::ofstream(state) << "hello"; }
    EXPECT_EQ(run({"--simulate=" + QString::fromStdString(state.string()), "--screenshot",
                   QString::fromStdString((dir / "x.png").string())}),
              2);
}

} // namespace
} // namespace kw::app
