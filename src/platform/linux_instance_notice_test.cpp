// The notice to the running window: one request line to its socket, and no
// error (nor wait) when no window listens.

#include "platform/linux_instance_notice.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace kw {
namespace {

// A listener in the folder, as the window's single-instance socket is.
class FakeWindow {
public:
    explicit FakeWindow(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (folder / "keyweave.socket").string();
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 4);
        thread_ = std::thread([this] {
            const int client = ::accept(fd_, nullptr, nullptr);
            char buffer[64] = {};
            const ssize_t n = ::read(client, buffer, sizeof buffer - 1);
            request_.assign(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
            ::write(client, "OK\n", 3);
            ::close(client);
        });
    }
    ~FakeWindow() {
        if (thread_.joinable()) {
            thread_.join();
        }
        ::close(fd_);
    }
    std::string request() {
        thread_.join();
        return request_;
    }

private:
    int fd_ = -1;
    std::thread thread_;
    std::string request_;
};

TEST(InstanceNotice, RunningWindowGetsTheRequestLine) {
    kw::testing::TempDir dir;
    FakeWindow window(dir / "run");
    EXPECT_TRUE(notifyRunningWindow("CHANGED", 2000, dir / "run"));
    EXPECT_EQ(window.request(), "CHANGED\n");
}

TEST(InstanceNotice, NoWindowIsNoError) {
    kw::testing::TempDir dir;
    std::filesystem::create_directories(dir / "run");
    EXPECT_FALSE(notifyRunningWindow("CHANGED", 2000, dir / "run"));
    // A socket file left by a window that crashed.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        (dir / "run/keyweave.socket").string().copy(address.sun_path, sizeof address.sun_path - 1);
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::close(fd);
    }
    EXPECT_FALSE(notifyRunningWindow("CHANGED", 2000, dir / "run"));
}

} // namespace
} // namespace kw
