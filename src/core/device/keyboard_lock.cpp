#include "core/device/keyboard_lock.h"

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
    if (!mutex_.try_lock_until(deadline)) {
        if (holder) {
            holder->clear(); // this program itself: the text says "another program"
        }
        return false;
    }
    if (depth_ > 0) {
        ++depth_;
        return true;
    }
    const std::string name = file_ && name_ ? name_() : std::string();
    if (!name.empty()) {
        std::string seen;
        while (!file_->tryLock(name, seen)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                if (holder) {
                    *holder = seen;
                }
                mutex_.unlock();
                return false;
            }
            std::this_thread::sleep_for(kRetryPause);
        }
    }
    fileHeld_ = !name.empty();
    depth_ = 1;
    return true;
}

void KeyboardLock::unlock() {
    if (--depth_ == 0 && fileHeld_) {
        file_->unlock();
        fileHeld_ = false;
    }
    mutex_.unlock();
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
