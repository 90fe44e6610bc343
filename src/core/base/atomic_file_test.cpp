#include "core/base/atomic_file.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    kw::testing::TempDir temp_;
    const fs::path& dir_ = temp_.path();
};

TEST_F(AtomicFileTest, ReplacesContentAndLeavesNoTemporaryFile) {
    const fs::path file = dir_ / "a.bin";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("first version")));
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("second")));
    auto bytes = readFileBytes(file);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileTest, FailureKeepsTheOldFile) {
    // A folder where the file should be: rename fails, nothing is lost or left.
    const fs::path target = dir_ / "busy";
    fs::create_directories(target / "child");
    EXPECT_FALSE(writeFileAtomically(target, std::string_view("x")));
    EXPECT_TRUE(fs::is_directory(target / "child"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_FALSE(writeFileAtomically(dir_ / "missing" / "f", std::string_view("x")));
}

TEST_F(AtomicFileTest, ReadRefusesMissingAndOversizedFiles) {
    EXPECT_FALSE(readFileBytes(dir_ / "nope"));
    const fs::path file = dir_ / "big";
    ASSERT_TRUE(writeFileAtomically(file, std::string(100, 'x')));
    EXPECT_FALSE(readFileBytes(file, 99));
    EXPECT_EQ(readFileBytes(file, 100)->size(), 100u);
}

} // namespace
} // namespace kw
