// The keyboard lock: reentrant on one thread, exclusive between threads and
// between programs (two locks sharing one fake lock file stand for two
// programs), a bounded wait that names the holder.

#include "core/base/atomic_file.h"
#include "core/device/keyboard_lock.h"
#include "testsupport/temp_dir.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kw {
namespace {

using namespace std::chrono_literals;

// One lock file as the kernel keeps it: at most one owner, who records a name.
struct SharedFile {
    std::mutex mutex;
    const void* owner = nullptr;
    std::string record;
    int lockCount = 0;
    std::vector<std::string> names;
    std::filesystem::path changes; // the change record; empty: none
};

class FakeLockFile : public KeyboardLockFile {
public:
    FakeLockFile(SharedFile& shared, std::string self) : shared_(shared), self_(std::move(self)) {}
    bool tryLock(const std::string& name, std::string& holder) override {
        std::lock_guard guard(shared_.mutex);
        shared_.names.push_back(name);
        if (shared_.owner && shared_.owner != this) {
            holder = shared_.record;
            return false;
        }
        shared_.owner = this;
        shared_.record = self_;
        ++shared_.lockCount;
        return true;
    }
    void unlock() override {
        std::lock_guard guard(shared_.mutex);
        if (shared_.owner == this) {
            shared_.owner = nullptr;
            shared_.record.clear();
        }
    }
    std::filesystem::path changeRecord(const std::string&) const override {
        return shared_.changes;
    }

private:
    SharedFile& shared_;
    std::string self_;
};

struct Program {
    KeyboardLock lock;
    Program(SharedFile& file, const std::string& self, std::chrono::milliseconds wait,
            std::string name = "/dev/hidraw3")
        : lock(wait) {
        lock.setFile(std::make_unique<FakeLockFile>(file, self), [name] { return name; });
    }
};

TEST(KeyboardLock, NestedSequencesOnOneThreadTakeTheFileOnce) {
    SharedFile file;
    Program window(file, "keyweave (pid 1)", 50ms);
    {
        KeyboardLockGuard outer(window.lock);
        ASSERT_TRUE(outer.held());
        KeyboardLockGuard inner(window.lock);
        EXPECT_TRUE(inner.held());
    }
    EXPECT_EQ(file.lockCount, 1);
    EXPECT_EQ(file.owner, nullptr) << "given up only when the outer sequence ends";
}

TEST(KeyboardLock, AnotherProgramWaitsInVainAndLearnsWhoHoldsIt) {
    SharedFile file;
    Program window(file, "keyweave (pid 1)", 50ms);
    Program cli(file, "keyweave-cli (pid 2)", 60ms);
    KeyboardLockGuard held(window.lock);
    {
        KeyboardLockGuard second(cli.lock);
        EXPECT_FALSE(second.held());
        EXPECT_EQ(second.holder(), "keyweave (pid 1)");
    }
    EXPECT_EQ(file.record, "keyweave (pid 1)") << "the failed attempt releases nothing";
}

TEST(KeyboardLock, AnotherProgramGetsItOnceTheHolderIsDone) {
    SharedFile file;
    Program window(file, "keyweave (pid 1)", 5000ms);
    Program cli(file, "keyweave-cli (pid 2)", 5000ms);
    window.lock.lock();
    std::atomic<bool> released{false};
    std::atomic<bool> overlapped{false};
    std::thread other([&] {
        KeyboardLockGuard second(cli.lock);
        overlapped = !released.load();
        EXPECT_TRUE(second.held());
    });
    std::this_thread::sleep_for(30ms);
    released = true;
    window.lock.unlock();
    other.join();
    EXPECT_FALSE(overlapped);
}

TEST(KeyboardLock, WritesAreCountedForEveryProgramInTheChangeRecord) {
    kw::testing::TempDir dir;
    SharedFile file;
    file.changes = dir / "keyboard.changes";
    Program window(file, "keyweave (pid 1)", 50ms);
    Program cli(file, "keyweave-cli (pid 2)", 50ms);
    {
        KeyboardLockGuard held(window.lock);
        EXPECT_EQ(window.lock.changeCount(), 0u) << "no record yet";
    }
    for (int i = 0; i < 2; ++i) {
        KeyboardLockGuard held(cli.lock);
        cli.lock.countChange();
    }
    {
        KeyboardLockGuard held(window.lock);
        EXPECT_EQ(window.lock.changeCount(), 2u);
    }
    // A damaged record counts as none; the next write makes it whole again.
    KeyboardLockGuard held(window.lock);
    for (const std::string damaged :
         {std::string("12x\0junk"), std::string(100, '9'), std::string("99999999999999999999")}) {
        ASSERT_TRUE(writeFileAtomically(file.changes, damaged));
        EXPECT_EQ(window.lock.changeCount(), 0u) << damaged;
    }
    window.lock.countChange();
    EXPECT_EQ(window.lock.changeCount(), 1u);
}

TEST(KeyboardLock, ThreadsOfOneProgramNeverOverlap) {
    SharedFile file;
    Program window(file, "keyweave (pid 1)", 10000ms);
    int inside = 0;
    int most = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                KeyboardLockGuard held(window.lock);
                ASSERT_TRUE(held.held());
                KeyboardLockGuard nested(window.lock);
                most = std::max(most, ++inside);
                --inside;
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_EQ(most, 1);
}

TEST(KeyboardLock, ThreadWaitingInVainLeavesTheLockUsable) {
    KeyboardLock lock(20ms);
    lock.lock();
    std::thread([&] {
        KeyboardLockGuard second(lock);
        EXPECT_FALSE(second.held());
    }).join();
    lock.unlock();
    std::thread([&] {
        KeyboardLockGuard third(lock);
        EXPECT_TRUE(third.held());
    }).join();
}

TEST(KeyboardLock, EmptyNameStaysInsideTheProcess) {
    SharedFile file;
    Program simulated(file, "keyweave (pid 1)", 50ms, "");
    KeyboardLockGuard held(simulated.lock);
    EXPECT_TRUE(held.held());
    EXPECT_TRUE(file.names.empty());
}

TEST(KeyboardLock, NameIsAskedWhenFirstTaken) {
    SharedFile file;
    KeyboardLock lock(50ms);
    std::string path = "/dev/hidraw1";
    lock.setFile(std::make_unique<FakeLockFile>(file, "a"), [&path] { return path; });
    { KeyboardLockGuard first(lock); }
    path = "/dev/hidraw7"; // re-plugged at another node
    {
        KeyboardLockGuard second(lock);
        KeyboardLockGuard nested(lock);
    }
    EXPECT_EQ(file.names, (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw7"}));
}

TEST(KeyboardLockGuard, NullLockCountsAsHeld) {
    KeyboardLockGuard none(nullptr);
    EXPECT_TRUE(none.held());
}

} // namespace
} // namespace kw
