// The keyboard lock file on Linux. Two lock-file objects in one process stand
// for two programs: flock() locks belong to the open file, not to the process.

#include "platform/linux_keyboard_lock.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {
namespace {

TEST(LinuxKeyboardLockFile, SecondHolderIsRefusedWithTheFirstOnesName) {
    kw::testing::TempDir dir;
    LinuxKeyboardLockFile first(dir / "run");
    LinuxKeyboardLockFile second(dir / "run");
    std::string holder;
    ASSERT_TRUE(first.tryLock("/dev/hidraw4", holder));
    EXPECT_FALSE(second.tryLock("/dev/hidraw4", holder));
    EXPECT_NE(holder.find("(pid " + std::to_string(::getpid()) + ")"), std::string::npos) << holder;
    std::string other;
    EXPECT_TRUE(second.tryLock("/dev/hidraw5", other)) << "another keyboard is another lock";
    second.unlock();
    first.unlock();
    EXPECT_TRUE(second.tryLock("/dev/hidraw4", holder));
}

TEST(LinuxKeyboardLockFile, FolderIsPrivate) {
    kw::testing::TempDir dir;
    LinuxKeyboardLockFile lock(dir / "run");
    std::string holder;
    ASSERT_TRUE(lock.tryLock("/dev/hidraw0", holder));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "run").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(LinuxKeyboardLockFile, LinkInPlaceOfTheFolderIsRefused) {
    kw::testing::TempDir dir;
    std::filesystem::create_directories(dir / "elsewhere");
    std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "run");
    LinuxKeyboardLockFile lock(dir / "run");
    std::string holder;
    EXPECT_FALSE(lock.tryLock("/dev/hidraw0", holder));
    EXPECT_FALSE(holder.empty());
}

TEST(LinuxKeyboardLockFile, NamesMapToFilesOfTheirOwn) {
    kw::testing::TempDir dir;
    std::filesystem::create_directories(dir / "root/dev");
    const auto folder = dir / "run";
    const auto plain = (dir / "root/dev/hidraw0").string();
    const auto roundabout = (dir / "root/dev/../dev/hidraw0").string();
    EXPECT_EQ(LinuxKeyboardLockFile::fileFor(folder, plain),
              LinuxKeyboardLockFile::fileFor(folder, roundabout));
    EXPECT_NE(LinuxKeyboardLockFile::fileFor(folder, "/dev/hidraw1"),
              LinuxKeyboardLockFile::fileFor(folder, "/dev/hidraw10"));
    // Long names that end alike are told apart by the whole name.
    const std::string tail(400, 'a');
    const auto a = LinuxKeyboardLockFile::fileFor(folder, "/x/" + tail);
    const auto b = LinuxKeyboardLockFile::fileFor(folder, "/y/" + tail);
    EXPECT_LT(a.filename().string().size(), 255u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.parent_path(), folder);
}

} // namespace
} // namespace kw
