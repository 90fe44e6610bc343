// The keyboard lock file on Windows. Two lock-file objects in one process
// stand for two programs: byte-range locks belong to the open handle.

#include "platform/windows_keyboard_lock.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <windows.h>

namespace kw {
namespace {

TEST(WindowsKeyboardLockFile, SecondHolderIsRefusedWithTheFirstOnesName) {
    kw::testing::TempDir dir;
    WindowsKeyboardLockFile first(dir / "locks");
    WindowsKeyboardLockFile second(dir / "locks");
    std::string holder;
    ASSERT_TRUE(first.tryLock("\\\\?\\hid#vid_0001&pid_0002&mi_01#1", holder));
    EXPECT_FALSE(second.tryLock("\\\\?\\HID#VID_0001&PID_0002&MI_01#1", holder))
        << "paths that differ in case name one keyboard";
    EXPECT_NE(holder.find("(pid " + std::to_string(GetCurrentProcessId()) + ")"), std::string::npos)
        << holder;
    EXPECT_NE(holder.find(".exe"), std::string::npos) << holder;
    std::string other;
    EXPECT_TRUE(second.tryLock("\\\\?\\hid#vid_0001&pid_0002&mi_02#1", other))
        << "another keyboard is another lock";
    second.unlock();
    first.unlock();
    EXPECT_TRUE(second.tryLock("\\\\?\\hid#vid_0001&pid_0002&mi_01#1", holder));
    // The record was cleared with the unlock and is the new holder's now.
    WindowsKeyboardLockFile third(dir / "locks");
    EXPECT_FALSE(third.tryLock("\\\\?\\hid#vid_0001&pid_0002&mi_01#1", holder));
    EXPECT_NE(holder.find("(pid "), std::string::npos) << holder;
}

TEST(WindowsKeyboardLockFile, AFolderThatCannotBeMadeIsReported) {
    kw::testing::TempDir dir;
    std::ofstream(dir / "file") << "x";
    WindowsKeyboardLockFile lock(dir / "file" / "locks");
    std::string holder;
    EXPECT_FALSE(lock.tryLock("k", holder));
    EXPECT_EQ(holder.rfind("nobody: ", 0), 0u) << holder;
}

} // namespace
} // namespace kw
