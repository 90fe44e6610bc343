#include "core/device/keyboard_lock.h"

#include "core/base/atomic_file.h"

#include <charconv>
#include <thread>

namespace kw {

namespace {

// How often a waiting program looks again; the lock file offers no wait with a bound.
constexpr std::chrono::milliseconds kRetryPause{15};

} // namespace

void KeyboardLock::setFile(std::unique_ptr<KeyboardLockFile> file,
                           std::function<std::string()> name) {
    std::lock_guard guard(mutex_);
    file_ = std::move(file);
    name_ = std::move(name);
}

bool KeyboardLock::lock(std::string* holder) {
    const auto deadline = std::chrono::steady_clock::now() + wait_;
    const auto self = std::this_thread::get_id();
    std::unique_lock guard(mutex_);
    if (owner_ == self) {
        ++depth_;
        return true;
    }
    if (!freed_.wait_until(guard, deadline, [this] { return depth_ == 0; })) {
        if (holder) {
            holder->clear(); // this program itself: the text says "another program"
        }
        return false;
    }
    // Ours inside the process from here on; the other programs are waited
    // for outside the mutex, so no thread of ours blocks on it meanwhile.
    owner_ = self;
    depth_ = 1;
    guard.unlock();

    const std::string name = file_ && name_ ? name_() : std::string();
    if (!name.empty()) {
        std::string seen;
        while (!file_->tryLock(name, seen)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                if (holder) {
                    *holder = seen;
                }
                release();
                return false;
            }
            std::this_thread::sleep_for(kRetryPause);
        }
    }
    fileHeld_ = !name.empty();
    record_ = fileHeld_ ? file_->changeRecord(name) : std::filesystem::path();
    return true;
}

std::uint64_t KeyboardLock::changeCount() {
    if (record_.empty()) {
        return changes_;
    }
    // A missing or damaged record counts as no writes: the first write after
    // it makes every program that remembered another count look again.
    const auto bytes = readFileBytes(record_, 32);
    std::uint64_t count = 0;
    if (!bytes || bytes->empty()) {
        return 0;
    }
    const char* first = reinterpret_cast<const char*>(bytes->data());
    const char* last = first + bytes->size();
    const auto [end, error] = std::from_chars(first, last, count);
    return error == std::errc() && end == last ? count : 0;
}

void KeyboardLock::countChange() {
    const std::uint64_t next = changeCount() + 1;
    if (record_.empty()) {
        changes_ = next;
    } else {
        // A record that cannot be written leaves the count as it was: other
        // programs then miss this write, as they would without a record.
        writeFileAtomically(record_, std::to_string(next));
    }
}

void KeyboardLock::unlock() {
    {
        std::lock_guard guard(mutex_);
        if (--depth_ > 0) {
            return;
        }
        if (fileHeld_) {
            file_->unlock();
            fileHeld_ = false;
        }
    }
    release();
}

void KeyboardLock::release() {
    {
        std::lock_guard guard(mutex_);
        depth_ = 0;
        owner_ = {};
    }
    freed_.notify_one();
}

KeyboardLockGuard::KeyboardLockGuard(KeyboardLock* lock) : lock_(lock) {
    held_ = lock_ == nullptr || lock_->lock(&holder_);
}

KeyboardLockGuard::~KeyboardLockGuard() {
    if (lock_ && held_) {
        lock_->unlock();
    }
}

} // namespace kw
