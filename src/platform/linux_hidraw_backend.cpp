#include "platform/linux_hidraw_backend.h"

#include "core/base/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace kw {

namespace {

std::optional<std::uint32_t> parseHex(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    if (text.starts_with("0x")) {
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::string readText(const std::filesystem::path& path) {
    const auto bytes = readFileBytes(path, 64 * 1024);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// hidraw17 -> 17; nullopt for other names.
std::optional<int> hidrawNumber(const std::string& name) {
    constexpr std::string_view prefix = "hidraw";
    if (!name.starts_with(prefix) || name.size() == prefix.size()) {
        return std::nullopt;
    }
    int n = 0;
    const auto [end, ec] =
        std::from_chars(name.data() + prefix.size(), name.data() + name.size(), n);
    if (ec != std::errc() || end != name.data() + name.size()) {
        return std::nullopt;
    }
    return n;
}

HidOpenError errorOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return HidOpenError::AccessDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return HidOpenError::NotFound;
    default:
        return HidOpenError::Other;
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

class HidrawConnection : public HidConnection {
public:
    HidrawConnection(int fd, int stopFd, HidAttributes attributes, TopLevelCollection collection)
        : fd_(fd), stop_(stopFd), attributes_(attributes), collection_(std::move(collection)) {}

    HidAttributes attributes() const override { return attributes_; }
    const TopLevelCollection& collection() const override { return collection_; }
    int descriptor() const { return fd_.get(); }

    // Without report ids hidraw carries no id byte; callers still see the
    // platform's form with byte 0 = 0, so it is dropped and added here.
    TransferResult write(std::span<const std::uint8_t> report, int timeoutMs,
                         std::size_t& transferred) override {
        transferred = 0;
        auto data = collection_.usesReportIds || report.empty() ? report : report.subspan(1);
        const TransferResult ready = waitFor(POLLOUT, timeoutMs);
        if (ready != TransferResult::Done) {
            return ready;
        }
        const ssize_t n = ::write(fd_.get(), data.data(), data.size());
        if (n < 0) {
            return TransferResult::Failed;
        }
        transferred = static_cast<std::size_t>(n) + (report.size() - data.size());
        return TransferResult::Done;
    }

    TransferResult read(std::span<std::uint8_t> report, int timeoutMs,
                        std::size_t& transferred) override {
        transferred = 0;
        const bool addId = !collection_.usesReportIds;
        if (report.size() < (addId ? 2u : 1u)) {
            return TransferResult::Failed;
        }
        auto target = addId ? report.subspan(1) : report;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            int left = timeoutMs;
            if (timeoutMs >= 0) {
                left = static_cast<int>(
                    std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  deadline - std::chrono::steady_clock::now())
                                                  .count()));
            }
            const TransferResult ready = waitFor(POLLIN, left);
            if (ready != TransferResult::Done) {
                return ready;
            }
            const ssize_t n = ::read(fd_.get(), target.data(), target.size());
            if (n > 0) {
                if (addId) {
                    report[0] = 0;
                }
                transferred = static_cast<std::size_t>(n) + (addId ? 1 : 0);
                return TransferResult::Done;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue; // another reader took it; wait for the next one
            }
            return TransferResult::Failed;
        }
    }

    bool alive() const override {
        pollfd fd{fd_.get(), 0, 0};
        return ::poll(&fd, 1, 0) >= 0 && (fd.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
    }

    void interrupt() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(stop_.get(), &one, sizeof one);
    }

private:
    TransferResult waitFor(short events, int timeoutMs) {
        pollfd fds[2] = {{stop_.get(), POLLIN, 0}, {fd_.get(), events, 0}};
        for (;;) {
            const int r = ::poll(fds, 2, timeoutMs);
            if (r < 0 && errno == EINTR) {
                continue;
            }
            if (r < 0) {
                return TransferResult::Failed;
            }
            if (r == 0) {
                return TransferResult::TimedOut;
            }
            if (fds[0].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] const ssize_t n = ::read(stop_.get(), &count, sizeof count);
                return TransferResult::Stopped;
            }
            if (fds[1].revents & events) {
                return TransferResult::Done;
            }
            return TransferResult::Failed; // POLLERR, POLLHUP, POLLNVAL: the device went away
        }
    }

    FileDescriptor fd_;
    FileDescriptor stop_;
    HidAttributes attributes_;
    TopLevelCollection collection_;
};

// Arrivals and removals of nodes in ROOT/dev (where the folder reports them),
// and the hang-up of an open handle when its device goes, which hidraw and the
// simulated tree both signal.
class HidrawChangeWatch : public HidChangeWatch {
public:
    explicit HidrawChangeWatch(const std::filesystem::path& devFolder)
        : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          stop_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
        if (inotify_.get() >= 0) {
            ::inotify_add_watch(inotify_.get(), devFolder.c_str(),
                                IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO);
        }
    }

    bool wait(std::chrono::milliseconds timeout, const HidConnection* open) override {
        pollfd fds[3] = {{stop_.get(), POLLIN, 0}, {inotify_.get(), POLLIN, 0}, {-1, 0, 0}};
        if (const auto* hidraw = dynamic_cast<const HidrawConnection*>(open)) {
            // No events asked for: only a hang-up or an error wakes the wait.
            fds[2].fd = hidraw->descriptor();
        }
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            const int r = ::poll(fds, 3, static_cast<int>(std::max<long long>(0, left.count())));
            if (r < 0 && errno == EINTR) {
                continue;
            }
            if (r <= 0 || (fds[0].revents & POLLIN)) {
                return false;
            }
            bool changed = fds[2].revents != 0;
            if (fds[1].revents & POLLIN) {
                alignas(inotify_event) char buffer[4096];
                while (::read(inotify_.get(), buffer, sizeof buffer) > 0) {
                    changed = true;
                }
            }
            if (changed) {
                return true;
            }
        }
    }

    void stop() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(stop_.get(), &one, sizeof one);
    }

private:
    FileDescriptor inotify_;
    FileDescriptor stop_;
};

} // namespace

std::optional<HidAttributes> idsFromUevent(std::string_view uevent) {
    std::size_t at = 0;
    while (at < uevent.size()) {
        const std::size_t end = std::min(uevent.find('\n', at), uevent.size());
        std::string_view line = uevent.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with("HID_ID=")) {
            continue;
        }
        line.remove_prefix(7);
        const std::size_t a = line.find(':');
        const std::size_t b = a == std::string_view::npos ? a : line.find(':', a + 1);
        if (b == std::string_view::npos) {
            return std::nullopt;
        }
        const auto vendor = parseHex(line.substr(a + 1, b - a - 1));
        const auto product = parseHex(line.substr(b + 1));
        if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) {
            return std::nullopt;
        }
        return HidAttributes{static_cast<std::uint16_t>(*vendor),
                             static_cast<std::uint16_t>(*product), 0};
    }
    return std::nullopt;
}

LinuxHidrawBackend::LinuxHidrawBackend(std::filesystem::path root) : root_(std::move(root)) {}

std::unique_ptr<HidChangeWatch> LinuxHidrawBackend::watchChanges() {
    return std::make_unique<HidrawChangeWatch>(root_ / "dev");
}

std::filesystem::path LinuxHidrawBackend::classFolder() const {
    return root_ / "sys/class/hidraw";
}

std::optional<std::vector<HidInterfaceEntry>> LinuxHidrawBackend::enumerate() {
    std::error_code ec;
    std::vector<std::pair<int, HidInterfaceEntry>> found;
    if (!std::filesystem::exists(classFolder(), ec)) {
        return std::vector<HidInterfaceEntry>{}; // no hidraw at all: nothing present
    }
    std::filesystem::directory_iterator it(classFolder(), ec);
    if (ec) {
        return std::nullopt;
    }
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        const auto number = hidrawNumber(name);
        if (!number) {
            continue;
        }
        const auto ids = idsFromUevent(readText(entry.path() / "device/uevent"));
        HidInterfaceEntry e{(root_ / "dev" / name).string(), 0, 0};
        if (ids) {
            e.vendorId = ids->vendorId;
            e.productId = ids->productId;
        }
        found.emplace_back(*number, std::move(e));
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<HidInterfaceEntry> result;
    for (auto& [n, e] : found) {
        result.push_back(std::move(e));
    }
    return result;
}

HidOpenResult LinuxHidrawBackend::open(const std::string& path, const HidOpenOptions& options) {
    const std::string name = std::filesystem::path(path).filename().string();
    const auto device = classFolder() / name / "device";
    const auto descriptor = readFileBytes(device / "report_descriptor", 64 * 1024);
    const auto ids = idsFromUevent(readText(device / "uevent"));
    if (!descriptor || !ids) {
        return {nullptr, HidOpenError::NotFound};
    }
    auto parsed = parseReportDescriptor(*descriptor);
    if (!parsed || parsed->collections.empty()) {
        return {nullptr, HidOpenError::BadDescriptor};
    }
    // Without read or write access the node is only described (as an open
    // without access rights is on other platforms); transfers then fail.
    int flags = O_CLOEXEC | O_NONBLOCK;
    if (!options.read && !options.write) {
        flags = O_CLOEXEC | O_PATH;
    } else {
        flags |= options.read && options.write ? O_RDWR : options.write ? O_WRONLY : O_RDONLY;
    }
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        return {nullptr, errorOf(errno)};
    }
    const int stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd < 0) {
        ::close(fd);
        return {nullptr, HidOpenError::Other};
    }
    HidAttributes attributes = *ids;
    if (const auto version = parseHex(readText(device / "../../bcdDevice"))) {
        attributes.versionNumber = static_cast<std::uint16_t>(*version);
    }
    return {std::make_unique<HidrawConnection>(fd, stopFd, attributes,
                                               std::move(parsed->collections.front())),
            HidOpenError::None};
}

bool LinuxHidrawBackend::exists(const std::string& path) {
    const int fd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace kw
