#include "platform/linux_instance_notice.h"

#include "platform/linux_keyboard_lock.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kw {

namespace {

// The window's socket file, beside its single-instance lock.
constexpr char kSocketName[] = "keyweave.socket";

class Socket {
public:
    Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return false;
        }
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left));
        if (n > 0) {
            return (p.revents & events) != 0;
        }
        if (n < 0 && errno != EINTR) {
            return false;
        }
    }
}

} // namespace

bool notifyRunningWindow(std::string_view request, int timeoutMs, std::filesystem::path folder) {
    const std::string path =
        ((folder.empty() ? keyboardLockFolder() : std::move(folder)) / kSocketName).string();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);

    Socket socket;
    if (socket.fd() < 0) {
        return false;
    }
    if (::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if ((errno != EINPROGRESS && errno != EAGAIN) || !waitFor(socket.fd(), POLLOUT, deadline)) {
            return false;
        }
    }
    const std::string line = std::string(request) + "\n";
    std::size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t n = ::send(socket.fd(), line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!waitFor(socket.fd(), POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    // The answer is one short line; anything after "OK" is not looked at.
    std::string answer;
    std::array<char, 16> buffer{};
    while (answer.find('\n') == std::string::npos && answer.size() < 16) {
        if (!waitFor(socket.fd(), POLLIN, deadline)) {
            return false;
        }
        const ssize_t n = ::recv(socket.fd(), buffer.data(), buffer.size(), 0);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            return false;
        }
        answer.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return answer.rfind("OK", 0) == 0;
}

} // namespace kw
