// A command that changed the keyboard tells the running window so; one that
// only read it does not. The window is a listener on the socket in the
// command's runtime folder.

#include "cli/run_cli_for_test.h"
#include "sim/simkbd_mount.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using kw::cli::testing::runCli;

// Takes the requests that arrive while a command runs, each answered "OK".
class ListeningWindow {
public:
    explicit ListeningWindow(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        (folder / "keyweave.socket").string().copy(address.sun_path, sizeof address.sun_path - 1);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 4);
    }
    ~ListeningWindow() { ::close(fd_); }

    // What arrived within `waitMs` ("" when nothing).
    std::string take(int waitMs) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, waitMs) <= 0) {
            return {};
        }
        const int client = ::accept(fd_, nullptr, nullptr);
        char buffer[64] = {};
        const ssize_t n = ::read(client, buffer, sizeof buffer - 1);
        // The command may have stopped waiting for the answer by now.
        [[maybe_unused]] const ssize_t w = ::send(client, "OK\n", 3, MSG_NOSIGNAL);
        ::close(client);
        return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    }

private:
    int fd_ = -1;
};

TEST(WindowNotice, ChangingCommandsTellTheWindowReadingOnesDoNot) {
    kw::testing::TempDir dir;
    kw::sim::SimkbdMount mount(kw::testing::programFolder() / "keyweave-simkbd", dir / "root");
    if (!mount.available()) {
        GTEST_SKIP() << "FUSE tests skipped: " << mount.reason();
    }
    // A runtime folder of this test's own, so no other test's window answers.
    const auto runtime = dir / "run";
    ListeningWindow window(runtime / "keyweave");
    const std::string env = "XDG_RUNTIME_DIR=" + runtime.string();
    const std::string root = "--hid-root " + mount.root().string() + " ";

    ASSERT_EQ(runCli(root + "macro list", env).exitCode, 0);
    EXPECT_EQ(window.take(0), "");
    const auto added = runCli(root + "macro add ONE \"A down 10, A up 10\"", env);
    ASSERT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(window.take(2000), "CHANGED\n");
}

} // namespace
