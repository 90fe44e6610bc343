#include "core/base/atomic_file.h"
#include "core/base/settings_store.h"
#include "testsupport/scoped_env.h"
#include "testsupport/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kw {
namespace {

using testing::ScopedEnv;

#ifndef _WIN32
TEST(SettingsStore, DefaultPathFollowsTheXdgRules) {
    struct Case {
        const char* xdg;
        const char* home;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {"/x/config", "/home/u", "/x/config/keyweave/settings.ini"},
        {nullptr, "/home/u", "/home/u/.config/keyweave/settings.ini"},
        {"", "/home/u", "/home/u/.config/keyweave/settings.ini"},
        {"relative", "/home/u", "/home/u/.config/keyweave/settings.ini"},
    };
    for (const auto& c : cases) {
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(SettingsStore::defaultPath(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
}
#else
TEST(SettingsStore, DefaultPathIsInTheRoamingApplicationData) {
    struct Case {
        const char* appData;
        const char* profile;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {"C:\\Users\\u\\AppData\\Roaming", "C:\\Users\\u",
         "C:\\Users\\u\\AppData\\Roaming\\keyweave\\settings.ini"},
        {nullptr, "D:\\Profiles\\v", "D:\\Profiles\\v\\AppData\\Roaming\\keyweave\\settings.ini"},
        {"relative", "D:\\Profiles\\v",
         "D:\\Profiles\\v\\AppData\\Roaming\\keyweave\\settings.ini"},
        // A user name outside the ANSI code page.
        {"C:\\Users\\\xE4\xB8\xAD\\AppData\\Roaming", nullptr,
         std::filesystem::path(u8"C:\\Users\\\u4E2D\\AppData\\Roaming\\keyweave\\settings.ini")},
    };
    for (const auto& c : cases) {
        ScopedEnv appData("APPDATA", c.appData);
        ScopedEnv profile("USERPROFILE", c.profile);
        EXPECT_EQ(SettingsStore::defaultPath(), c.expected) << (c.appData ? c.appData : "(unset)");
    }
}
#endif

TEST(SettingsStore, DwordValuesAreTypedAndSurviveReload) {
    testing::TempDir dir;
    const auto file = dir / "keyweave" / "settings.ini"; // the folder does not exist yet
    {
        SettingsStore store(file);
        EXPECT_FALSE(store.readDword("LANGUAGE"));
        ASSERT_TRUE(store.writeDword("LANGUAGE", 1046));
        ASSERT_TRUE(store.writeDword("Big", 0xFFFFFFFFu));
        ASSERT_TRUE(store.writeString("Name", "1033"));
    }
    SettingsStore reloaded(file);
    EXPECT_EQ(reloaded.readDword("language"), 1046u);
    EXPECT_EQ(reloaded.readDword("Big"), 0xFFFFFFFFu);
    EXPECT_FALSE(reloaded.readDword("Name")); // a string that looks like a number is no DWORD
}

TEST(SettingsStore, ValuesThatAreNotDwordsAreRecognised) {
    testing::TempDir dir;
    const auto file = dir / "settings.ini";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("[ProductKey]\n"
                                                           "plain=1033\n"
                                                           "string=sz:1033\n"
                                                           "empty=dword:\n"
                                                           "negative=dword:-1\n"
                                                           "tooBig=dword:4294967296\n"
                                                           "trailing=dword:12x\n"
                                                           "upper=DWORD:7\n")));
    SettingsStore store(file);
    const char* notDwords[] = {"plain",  "string",   "empty",  "negative",
                               "tooBig", "trailing", "missing"};
    for (const char* name : notDwords) {
        EXPECT_FALSE(store.readDword(name)) << name;
    }
    EXPECT_EQ(store.readDword("upper"), 7u);
}

TEST(SettingsStore, ProfileSectionsHoldPlainStringsBesideTheProductKey) {
    testing::TempDir dir;
    const auto file = dir / "settings.ini";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("# kept\n[PROFILES]\nFlip=7\n")));
    SettingsStore store(file);
    ASSERT_TRUE(store.writeDword("LANGUAGE", 1033));
    ASSERT_TRUE(store.writeProfileString("PROFILES", "PROFILE00", "2"));
    ASSERT_TRUE(store.writeProfileString("PROFILES", "PROFILE01", "/home/u/My profile.fwc"));

    EXPECT_EQ(store.readProfileString("profiles", "PROFILE01", "-"), "/home/u/My profile.fwc");
    EXPECT_EQ(store.readProfileString("PROFILES", "PROFILE02", "-"), "-");
    EXPECT_EQ(store.readDword("LANGUAGE"), 1033u);
    const auto bytes = readFileBytes(file);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()),
              "# kept\n[PROFILES]\nFlip=7\nPROFILE00=2\nPROFILE01=/home/u/My profile.fwc\n"
              "[ProductKey]\nLANGUAGE=dword:1033\n");
}

TEST(SettingsStore, ProfileIntegersReadTheLeadingNumber) {
    testing::TempDir dir;
    const auto file = dir / "settings.ini";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("[PROFILES]\na=7\nb= -3 \nc=12ms\n"
                                                           "d=x\ne=\nf=+4\n")));
    SettingsStore store(file);
    struct Case {
        const char* key;
        int expected;
    };
    const Case cases[] = {{"a", 7}, {"b", -3}, {"c", 12},      {"d", 0},
                          {"e", 0}, {"f", 4},  {"missing", 42}};
    for (const auto& c : cases) {
        EXPECT_EQ(store.readProfileInt("PROFILES", c.key, 42), c.expected) << c.key;
    }
}

TEST(SettingsStore, AnUnwritablePlaceReportsFailure) {
    testing::TempDir dir;
    ASSERT_TRUE(writeFileAtomically(dir / "file", std::string_view("x")));
    SettingsStore store(dir / "file" / "settings.ini"); // a file where the folder should be
    EXPECT_FALSE(store.writeDword("LANGUAGE", 1033));
    EXPECT_FALSE(store.readDword("LANGUAGE"));
}

} // namespace
} // namespace kw
