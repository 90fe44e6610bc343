#include "core/base/atomic_file.h"
#include "core/lighting/user_lighting_file.h"
#include "core/lighting/view_settings.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace kw {
namespace {

std::string textOf(const std::filesystem::path& file) {
    const auto bytes = readFileBytes(file, 64u << 20);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

TEST(UserLightingFile, AMissingFileReadsAsDefaults) {
    const IniDocument empty;
    EXPECT_EQ(ReadPresentMode(empty), 0);
    EXPECT_EQ(ReadModeName(empty, 9), "0");
    UserModeSettings previous{kBaseColourTool, 0x112233, 0x445566};
    EXPECT_EQ(ReadModeSettings(empty, 0, previous), (UserModeSettings{kColourTool, 0, 0}));
    EXPECT_EQ(ReadKeyEntry(empty, 0, 60, KeyColourEntry{Rgb{1, 2, 3}, false}),
              (KeyColourEntry{Rgb{255, 0, 0}, true}));
}

TEST(UserLightingFile, DamagedValuesReadAsFarAsTheyGo) {
    struct Case {
        const char* value;
        KeyColourEntry expected;
    };
    const KeyColourEntry previous{Rgb{1, 2, 3}, false};
    const Case cases[] = {
        {"10,20,30,0", {Rgb{10, 20, 30}, false}},
        {"999,-5,256,7", {Rgb{231, 251, 0}, true}}, // low bytes; any nonzero mark follows the base
        {"10,20", {Rgb{10, 20, 3}, false}},
        {" 7 , 8,9,1", {Rgb{7, 2, 3}, false}}, // a blank before the comma ends the list
        {"abc", previous},
        {"", previous},
        {"40,x,50,1", {Rgb{40, 2, 3}, false}},
    };
    for (const auto& c : cases) {
        const auto doc = IniDocument::parse(std::string("[Mode2]\n5=") + c.value + "\n");
        EXPECT_EQ(ReadKeyEntry(doc, 2, 5, previous), c.expected) << '"' << c.value << '"';
    }
}

TEST(UserLightingFile, ModeNumbersThatAreNotNumbersMeanTheFirstMode) {
    struct Case {
        const char* value;
        int mode;
    };
    const Case cases[] = {{"3", 3}, {"12", 12}, {"x", 0}, {"", 0}, {"4th", 4}, {"-1", -1}};
    for (const auto& c : cases) {
        const auto doc = IniDocument::parse(std::string("[PRESENTMODE]\nmode=") + c.value + "\n");
        EXPECT_EQ(ReadPresentMode(doc), c.mode) << c.value;
    }
}

TEST(UserLightingFile, WritesKeepTheRestOfTheFile) {
    kw::testing::TempDir dir;
    const UserLightingFile file(dir / "u.userd");
    ASSERT_TRUE(
        writeFileAtomically(file.path(), std::string_view("; kept\r\n[Mode1]\r\n7=1,2,3,0\r\n")));

    ASSERT_TRUE(file.writeKeyEntry(1, KeyEntryWrite{8, KeyColourEntry{Rgb{0, 128, 255}, true}}));
    ASSERT_TRUE(file.writeModeSettings(1, UserModeSettings{kBaseColourTool, 0x0000FF, 0x00FF00},
                                       std::vector{KeyEntryWrite{7, {Rgb{255, 0, 0}, true}}}));
    ASSERT_TRUE(file.writePresentMode(1));
    ASSERT_TRUE(file.writeModeName(1, ""));

    EXPECT_EQ(textOf(file.path()),
              "; kept\r\n[Mode1]\r\n7=255,0,0,1\r\n8=0,128,255,1\r\ntool=1\r\njcolor=255,0,0\r\n"
              "color=0,255,0\r\n[PRESENTMODE]\r\nmode=1\r\n[MODENAME]\r\n1=\r\n");
    const auto doc = file.load();
    EXPECT_EQ(ReadModeName(doc, 1), "") << "an empty name stays empty";
    EXPECT_EQ(ReadModeSettings(doc, 1, {}),
              (UserModeSettings{kBaseColourTool, 0x0000FF, 0x00FF00}));
}

TEST(UserLightingFile, AFileThatCannotBeReadIsNeverReplaced) {
    kw::testing::TempDir dir;
    const UserLightingFile file(dir / "u.userd");
    {
        // Larger than any settings file: reading it is refused, so must writing be.
        std::ofstream out(file.path(), std::ios::binary);
        const std::string line = "[Mode0]\n0=1,2,3,1\n";
        for (std::size_t written = 0; written <= kIniMaxFileBytes; written += line.size()) {
            out << line;
        }
    }
    const auto size = std::filesystem::file_size(file.path());
    EXPECT_FALSE(file.writeKeyEntry(0, KeyEntryWrite{0, {}}));
    EXPECT_FALSE(file.writeModeSettings(0, {}));
    EXPECT_EQ(std::filesystem::file_size(file.path()), size);
}

TEST(UserLightingFile, RestoringCopiesTheDefaultOrEmptiesTheFile) {
    kw::testing::TempDir dir;
    const UserLightingFile file(dir / "u.userd");
    ASSERT_TRUE(writeFileAtomically(file.path(), std::string_view("[Mode0]\n0=1,2,3,0\n")));
    ASSERT_TRUE(writeFileAtomically(dir / "default.userd",
                                    std::string_view("[PRESENTMODE]\r\nmode=2\r\n")));

    ASSERT_TRUE(file.restoreFrom(dir / "default.userd"));
    EXPECT_EQ(textOf(file.path()), "[PRESENTMODE]\r\nmode=2\r\n");
    ASSERT_TRUE(file.restoreFrom(dir / "missing.userd"));
    EXPECT_EQ(textOf(file.path()), "");
}

TEST(ViewSettings, OnlyTheNumberOneSwitchesTheViewOn) {
    kw::testing::TempDir dir;
    const auto file = dir / "wskb.ini";
    EXPECT_FALSE(ReadLightingViewSetting(file));
    struct Case {
        const char* value;
        bool on;
    };
    for (const Case c : {Case{"1", true}, Case{" 1", true}, Case{"01", true}, Case{"2", false},
                         Case{"yes", false}, Case{"0", false}}) {
        ASSERT_TRUE(
            writeFileAtomically(file, "[KEYCOLOR]\nDengCheck=" + std::string(c.value) + "\n"));
        EXPECT_EQ(ReadLightingViewSetting(file), c.on) << c.value;
    }
    ASSERT_TRUE(WriteLightingViewSetting(file, true));
    EXPECT_EQ(textOf(file), "[KEYCOLOR]\nDengCheck=1\n");
}

} // namespace
} // namespace kw
