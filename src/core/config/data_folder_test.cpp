#include "core/base/atomic_file.h"
#include "core/base/ini_file.h"
#include "core/config/config_file.h"
#include "core/config/data_folder.h"
#include "testsupport/scoped_env.h"
#include "testsupport/temp_dir.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

using testing::TempDir;

const std::string kDefaultLighting = "[PRESENTMODE]\r\nmode=0\r\n";

TEST(DataFolder, CreatedAndSeededWithTheDefaultLightingOfEachProfile) {
    TempDir home;
    TempDir program;
    std::filesystem::create_directories(program / "Skins");
    ASSERT_TRUE(writeFileAtomically(program / "Skins" / "UserDengColor_3.userd", kDefaultLighting));

    const auto config = configFilePath(home.path(), program.path());
    EXPECT_EQ(config, home / "Velkor Keyboard" / "$Profile0");
    EXPECT_FALSE(std::filesystem::exists(config)); // only a refresh or an export makes it
    for (int profile = 0; profile < 3; ++profile) {
        const auto file = userLightingFilePath(home.path(), profile);
        EXPECT_EQ(file.filename(), "UserDengColor_" + std::to_string(profile) + ".userd");
        const auto bytes = readFileBytes(file);
        ASSERT_TRUE(bytes) << profile;
        EXPECT_EQ(std::string(bytes->begin(), bytes->end()), kDefaultLighting);
    }
}

TEST(DataFolder, ExistingFolderIsLeftAsItIs) {
    TempDir home;
    TempDir program;
    std::filesystem::create_directories(program / "Skins");
    ASSERT_TRUE(writeFileAtomically(program / "Skins" / "UserDengColor_3.userd", kDefaultLighting));
    std::filesystem::create_directories(dataFolderPath(home.path()));
    ASSERT_TRUE(writeFileAtomically(userLightingFilePath(home.path(), 1), "painted"));

    EXPECT_TRUE(ensureDataFolder(home.path(), program.path()));
    EXPECT_FALSE(std::filesystem::exists(userLightingFilePath(home.path(), 0)));
    const auto kept = readFileBytes(userLightingFilePath(home.path(), 1));
    EXPECT_EQ(std::string(kept->begin(), kept->end()), "painted");
}

TEST(DataFolder, WithoutADefaultFileTheFolderStaysEmpty) {
    TempDir home;
    TempDir program;
    EXPECT_TRUE(ensureDataFolder(home.path(), program.path()));
    EXPECT_TRUE(std::filesystem::is_empty(dataFolderPath(home.path())));
}

TEST(DataFolder, FolderThatCannotBeMadeIsReported) {
    TempDir home;
    ASSERT_TRUE(writeFileAtomically(home / "file", "x"));
    EXPECT_FALSE(ensureDataFolder(home / "file", home.path()));
}

#ifndef _WIN32
TEST(DataFolder, DataHomeFollowsTheXdgRules) {
    testing::ScopedEnv home("HOME", "/home/someone");
    testing::ScopedEnv xdg("XDG_DATA_HOME", "/data/here");
    EXPECT_EQ(defaultDataHome(), "/data/here");
    testing::setEnvironment("XDG_DATA_HOME", "relative/data"); // ignored, as the XDG rules say
    EXPECT_EQ(defaultDataHome(), "/home/someone/.local/share");
    testing::setEnvironment("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(defaultDataHome(), "/home/someone/.local/share");
}
#else
TEST(DataFolder, DataHomeIsTheLocalApplicationDataFolder) {
    struct Case {
        const char* localAppData;
        const char* profile;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {"C:\\Users\\u\\AppData\\Local", "C:\\Users\\u", "C:\\Users\\u\\AppData\\Local"},
        {nullptr, "D:\\Profiles\\v", "D:\\Profiles\\v\\AppData\\Local"},
        {"", "D:\\Profiles\\v", "D:\\Profiles\\v\\AppData\\Local"},
        {"relative", "D:\\Profiles\\v", "D:\\Profiles\\v\\AppData\\Local"},
        // A user name outside the ANSI code page.
        {"C:\\Users\\\xE4\xB8\xAD\\AppData\\Local", nullptr,
         std::filesystem::path(u8"C:\\Users\\\u4E2D\\AppData\\Local")},
    };
    for (const auto& c : cases) {
        testing::ScopedEnv local("LOCALAPPDATA", c.localAppData);
        testing::ScopedEnv profile("USERPROFILE", c.profile);
        EXPECT_EQ(defaultDataHome(), c.expected) << (c.localAppData ? c.localAppData : "(unset)");
    }
}
#endif

// "r,g,b" (parts 3) or "r,g,b,F" (parts 4) with colours 0..255 and F 0 or 1.
bool parseColour(const std::string& text, std::size_t parts) {
    std::vector<int> values;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        int v = -1;
        const auto [end, ec] = std::from_chars(text.data() + at, text.data() + comma, v);
        if (ec != std::errc{} || end != text.data() + comma) {
            return false;
        }
        values.push_back(v);
        at = comma + 1;
    }
    if (values.size() != parts) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (values[i] < 0 || values[i] > 255) {
            return false;
        }
    }
    return parts == 3 || values[3] == 0 || values[3] == 1;
}

TEST(ShippedDefaultLighting, HoldsTenCompleteModes) {
    const auto file = defaultUserLightingFile(testing::programFolder());
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    const IniDocument ini = IniDocument::load(file);
    EXPECT_EQ(ini.value("PRESENTMODE", "mode"), "0");
    for (int m = 0; m < 10; ++m) {
        const std::string section = "Mode" + std::to_string(m);
        EXPECT_TRUE(ini.value("MODENAME", std::to_string(m)).has_value()) << m;
        EXPECT_EQ(ini.value(section, "tool"), "0") << m;
        const auto base = ini.value(section, "jcolor").value_or("");
        EXPECT_TRUE(parseColour(base, 3)) << section << " jcolor " << base;
        EXPECT_TRUE(parseColour(ini.value(section, "color").value_or(""), 3)) << section;
        for (int k = 0; k < 140; ++k) {
            const auto key = ini.value(section, std::to_string(k)).value_or("");
            EXPECT_TRUE(parseColour(key, 4)) << section << " key " << k << ": " << key;
            // Keys that follow the base colour have it, so the marks survive a recomputation.
            EXPECT_EQ(key, base + ",1") << section << " key " << k;
        }
    }
}

TEST(ShippedDefaultLighting, SeedsTheDataFolderUnchanged) {
    TempDir home;
    ASSERT_TRUE(ensureDataFolder(home.path(), testing::programFolder()));
    const auto shipped = readFileBytes(defaultUserLightingFile(testing::programFolder()));
    ASSERT_TRUE(shipped);
    EXPECT_EQ(readFileBytes(userLightingFilePath(home.path(), 2)), shipped);
}

} // namespace
} // namespace kw
