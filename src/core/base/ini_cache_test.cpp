// Lookups through the parsed-file cache still see every change on disk.

#include "core/base/ini_cache.h"
#include "testsupport/temp_dir.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>

namespace kw {
namespace {

void write(const std::filesystem::path& file, const char* text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

TEST(IniCache, EveryChangeOnDiskIsSeen) {
    testing::TempDir dir;
    const auto file = dir / "a.ini";
    const auto value = [&] { return CachedIniDocument(file)->value("S", "k"); };

    EXPECT_EQ(value(), std::nullopt); // not there yet
    write(file, "[S]\nk=one\n");
    EXPECT_EQ(value(), "one");
    EXPECT_EQ(value(), "one");

    // The same size with the same time stamp, as two writes within one tick
    // of the file system's clock leave it.
    const auto before = std::filesystem::last_write_time(file);
    write(file, "[S]\nk=two\n");
    std::filesystem::last_write_time(file, before);
    EXPECT_EQ(value(), "two");

    write(file, "[S]\nk=three\n"); // another size
    EXPECT_EQ(value(), "three");

    // Long untouched, then known by its stamp; a write gives it a new one.
    std::filesystem::last_write_time(file, before - std::chrono::hours(1));
    EXPECT_EQ(value(), "three");
    EXPECT_EQ(value(), "three");
    write(file, "[S]\nk=seven\n"); // the same size
    EXPECT_EQ(value(), "seven");

    std::filesystem::remove(file);
    EXPECT_EQ(value(), std::nullopt);
}

TEST(IniCache, ProfileStringsGoThroughIt) {
    testing::TempDir dir;
    const auto file = dir / "b.ini";
    write(file, "[S]\nk=cached\n");
    EXPECT_EQ(getProfileString(file, "S", "k", "x").text, "cached");
    EXPECT_TRUE(writeProfileString(file, "S", "k", "written"));
    EXPECT_EQ(getProfileString(file, "S", "k", "x").text, "written");
}

} // namespace
} // namespace kw
