#pragma once
// One writer at a time. Every sequence that reads or writes the keyboard's
// configuration or lighting holds this lock for its whole length, so two
// programs, or two threads of one, never interleave their reports (the
// keyboard has one answer queue: a read meant for one sequence could take
// another's answer). Reentrant on one thread, so a sequence may run another
// inside it. Across processes it rests on a platform lock file that records
// who holds it; without one it keeps this process's threads apart only.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kw {

// The cross-process half, supplied by the platform (an advisory file lock on Linux).
class KeyboardLockFile {
public:
    virtual ~KeyboardLockFile() = default;
    // Takes the lock called `name` without waiting; true when taken. When
    // another program holds it, `holder` tells who, as that program recorded it.
    virtual bool tryLock(const std::string& name, std::string& holder) = 0;
    // Gives up what the last successful tryLock took.
    virtual void unlock() = 0;
    // Where the count of configuration writes to the keyboard called `name`
    // is kept for every program; empty: nowhere beyond this process.
    virtual std::filesystem::path changeRecord(const std::string& name) const = 0;
};

// Long enough for another program's whole command, short enough that a stuck
// one is reported rather than waited for.
inline constexpr std::chrono::milliseconds kKeyboardLockWait{10000};

class KeyboardLock {
public:
    explicit KeyboardLock(std::chrono::milliseconds wait = kKeyboardLockWait) : wait_(wait) {}
    KeyboardLock(const KeyboardLock&) = delete;
    KeyboardLock& operator=(const KeyboardLock&) = delete;

    // Set up before any thread uses the lock. `name` is asked each time the
    // lock is first taken and names the keyboard (its interface path); an
    // empty name keeps the lock inside this process.
    void setFile(std::unique_ptr<KeyboardLockFile> file, std::function<std::string()> name);
    void setWait(std::chrono::milliseconds wait) { wait_ = wait; }

    // Waits at most the bound; false when another thread or program kept it.
    // `holder` then says who holds it, when known.
    bool lock(std::string* holder = nullptr);
    void unlock();

    // How many configuration writes every program together has made to the
    // keyboard (kept beside the lock file, else counted in this process).
    // Only while the lock is held. A program that remembers the count as of
    // its own last read or write tells from it whether another one wrote since.
    std::uint64_t changeCount();
    // Counts one more write; only while the lock is held.
    void countChange();

private:
    // Gives the lock up inside the process.
    void release();

    // A plain mutex and a condition rather than a timed recursive mutex, whose
    // timed lock ThreadSanitizer cannot follow.
    std::mutex mutex_;
    std::condition_variable freed_;
    // Guarded by mutex_; fileHeld_ only ever touched by the owner.
    std::thread::id owner_;
    int depth_ = 0;
    bool fileHeld_ = false;
    std::unique_ptr<KeyboardLockFile> file_;
    std::function<std::string()> name_;
    // The change record of the keyboard the lock is held for; empty while the
    // count stays in this process, in changes_.
    std::filesystem::path record_;
    std::uint64_t changes_ = 0;
    std::chrono::milliseconds wait_;
};

// Holds the lock for one sequence. A null lock holds nothing and counts as held.
class KeyboardLockGuard {
public:
    explicit KeyboardLockGuard(KeyboardLock* lock);
    explicit KeyboardLockGuard(KeyboardLock& lock) : KeyboardLockGuard(&lock) {}
    ~KeyboardLockGuard();
    KeyboardLockGuard(const KeyboardLockGuard&) = delete;
    KeyboardLockGuard& operator=(const KeyboardLockGuard&) = delete;

    bool held() const { return held_; }
    // Who kept the keyboard when it could not be had ("" when not known).
    const std::string& holder() const { return holder_; }

private:
    KeyboardLock* lock_;
    bool held_ = false;
    std::string holder_;
};

} // namespace kw
