#include "platform/linux_keyboard_lock.h"

#include "platform/lock_name_hash.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {

namespace {

// The holder record is one short line; a longer file is cut here.
constexpr std::size_t kHolderLimit = 200;
// File names stay well inside NAME_MAX; longer names end in a hash of the whole.
constexpr std::size_t kNameLimit = 120;

// The same keyboard reached through two spellings of its path is one keyboard.
std::string canonicalName(const std::string& name) {
    if (name.empty() || name.front() != '/') {
        return name;
    }
    std::error_code ec;
    const auto canonical = std::filesystem::weakly_canonical(name, ec);
    return ec ? name : canonical.string();
}

// Our own folder, mode 0700; a folder someone else made, or a link, is refused.
bool prepareFolder(const std::filesystem::path& folder) {
    // A session without its runtime folder yet (a test's, a bare login) gets it made.
    std::error_code ignored;
    std::filesystem::create_directories(folder.parent_path(), ignored);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return false;
    }
    return (info.st_mode & 0777) == 0700 || ::chmod(folder.c_str(), 0700) == 0;
}

std::string readHolder(int fd) {
    std::array<char, kHolderLimit> buffer{};
    const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), 0);
    std::string text(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

std::string selfRecord() {
    std::string program = program_invocation_short_name ? program_invocation_short_name : "";
    return program + " (pid " + std::to_string(::getpid()) + ")\n";
}

} // namespace

std::filesystem::path keyboardLockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        return std::filesystem::path(runtime) / "keyweave";
    }
    const char* temp = std::getenv("TMPDIR");
    const std::filesystem::path base = temp && temp[0] == '/' ? temp : "/tmp";
    return base / ("keyweave-" + std::to_string(::getuid()));
}

LinuxKeyboardLockFile::LinuxKeyboardLockFile(std::filesystem::path folder)
    : folder_(folder.empty() ? keyboardLockFolder() : std::move(folder)) {}

LinuxKeyboardLockFile::~LinuxKeyboardLockFile() {
    unlock();
}

std::filesystem::path LinuxKeyboardLockFile::fileFor(const std::filesystem::path& folder,
                                                     const std::string& name) {
    const std::string whole = canonicalName(name);
    std::string safe;
    for (const char c : whole) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-';
        safe += plain ? c : '_';
    }
    if (safe.size() > kNameLimit) {
        safe = safe.substr(safe.size() - kNameLimit) + "-" + lockNameHash(whole);
    }
    return folder / ("keyboard" + safe + ".lock");
}

bool LinuxKeyboardLockFile::tryLock(const std::string& name, std::string& holder) {
    holder.clear();
    if (fd_ >= 0) {
        return true;
    }
    if (!prepareFolder(folder_)) {
        holder = "nobody: " + folder_.string() + " is not this user's own folder";
        return false;
    }
    // The lock file is never replaced or removed: a lock on a file another
    // program has just unlinked would exclude nobody.
    const auto file = fileFor(folder_, name);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        holder = "nobody: " + file.string() + " cannot be opened";
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        holder = readHolder(fd);
        ::close(fd);
        return false;
    }
    const std::string record = selfRecord();
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t n = ::pwrite(fd, record.data(), record.size(), 0);
    }
    fd_ = fd;
    return true;
}

void LinuxKeyboardLockFile::unlock() {
    if (fd_ >= 0) {
        // A waiter that reads the file now finds no stale name in it.
        [[maybe_unused]] const int cleared = ::ftruncate(fd_, 0);
        ::close(fd_);
        fd_ = -1;
    }
}

std::filesystem::path LinuxKeyboardLockFile::changeRecord(const std::string& name) const {
    return std::filesystem::path(fileFor(folder_, name)).replace_extension(".changes");
}

} // namespace kw
