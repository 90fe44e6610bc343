#include "core/base/settings_store.h"
#include "core/keys/key_names.h"
#include "core/skin/language.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace kw {
namespace {

constexpr int kEnglish = 0;
constexpr int kPortuguese = 1;

// A program folder with two small language files and a settings store that
// already holds the chosen language.
class KeyNamesTest : public ::testing::Test {
protected:
    KeyNamesTest() {
        writeFile("Lang0409.ini", "[TEXT]\n"
                                  "IDS_KEYBOARD_HOME=Home\n"
                                  "IDS_KEYBOARD_A=A\n"
                                  "IDS_KEYBOARD_RSHIFT=Right Shift\n"
                                  "IDS_KEYBOARD_F1=\n"
                                  "MEDIA_MUTE_8=Mute\n"
                                  "FUNC_KEY_DESC1=Lock the Win keys\n"
                                  "UNKNOWN_KEY=Unknown key (%d)\n");
        writeFile("Lang0416.ini", "[TEXT]\n"
                                  "IDS_KEYBOARD_HOME=In\xC3\xAD"
                                  "cio\n"
                                  "MEDIA_MUTE_8=Sem som\n"
                                  "UNKNOWN_KEY=Tecla desconhecida (%d)\n");
        settings_.writeDword("LANGUAGE", 1033);
    }

    void writeFile(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }

    testing::TempDir folder_;
    SettingsStore settings_{folder_ / "settings.ini"};
    Language language_{folder_.path(), settings_, [] { return std::uint16_t{1033}; }};
};

struct NameCase {
    KeyCode code;
    int languageIndex;
    std::string expected;
    friend void PrintTo(const NameCase& c, std::ostream* os) {
        *os << std::hex << "0x" << c.code << std::dec << " in " << c.languageIndex;
    }
};

class KeyNameOfTest : public KeyNamesTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(KeyNameOfTest, LooksUpTheNameOrFallsBackToTheFormat) {
    EXPECT_EQ(KeyNameOf(GetParam().code, language_, GetParam().languageIndex), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, KeyNameOfTest,
    ::testing::Values(NameCase{0x147, kEnglish, "Home"},
                      NameCase{0x147, kPortuguese,
                               "In\xC3\xAD"
                               "cio"},
                      NameCase{0x120, kPortuguese, "Sem som"},
                      // Both Right Shift rows carry the same name.
                      NameCase{0x136, kEnglish, "Right Shift"},
                      // F13 has no name key, 0x055 is an empty row, G-keys have no row.
                      NameCase{0x064, kEnglish, "Unknown key (100)"},
                      NameCase{0x055, kEnglish, "Unknown key (85)"},
                      NameCase{0x055, kPortuguese, "Tecla desconhecida (85)"},
                      NameCase{0x200, kEnglish, "Unknown key (512)"},
                      NameCase{0xFFFF, kEnglish, "Unknown key (65535)"},
                      // A present but empty text falls back too.
                      NameCase{0x03B, kEnglish, "Unknown key (59)"},
                      // A missing key shows the lookup's own "#Error".
                      NameCase{0x148, kEnglish, "#Error"}));

TEST_F(KeyNamesTest, UnknownKeyWithoutItsTextShowsTheError) {
    writeFile("Lang0409.ini", "[TEXT]\nIDS_KEYBOARD_HOME=Home\n");
    EXPECT_EQ(KeyNameOf(0x064, language_, kEnglish), "#Error");
}

TEST_F(KeyNamesTest, FollowsTheStoredLanguageAtEachLookup) {
    EXPECT_EQ(KeyNameOf(0x147, language_), "Home");
    settings_.writeDword("LANGUAGE", 1046);
    EXPECT_EQ(KeyNameOf(0x147, language_), "In\xC3\xAD"
                                           "cio");
    // A changed file shows at the next lookup: nothing is cached.
    writeFile("Lang0416.ini", "[TEXT]\nIDS_KEYBOARD_HOME=Casa\n");
    EXPECT_EQ(KeyNameOf(0x147, language_), "Casa");
}

TEST_F(KeyNamesTest, ListEntryNames) {
    EXPECT_EQ(ListEntryName(0, language_, kEnglish), "A");
    EXPECT_EQ(ListEntryName(103, language_, kEnglish), "Right Shift");
    EXPECT_EQ(ListEntryName(69, language_), "Home");
    // Past the end of the list: empty, never the unknown-key text.
    EXPECT_EQ(ListEntryName(111, language_, kEnglish), "");
    EXPECT_EQ(ListEntryName(0xFFFF, language_, kEnglish), "");
}

TEST_F(KeyNamesTest, MediaAndFunctionNames) {
    EXPECT_EQ(MediaKeyName(7, language_), "Mute");
    EXPECT_EQ(MediaKeyName(18, language_), "");
    EXPECT_EQ(MediaKeyName(-1, language_), "");
    EXPECT_EQ(FunctionKeyName(0, language_), "Lock the Win keys");
    EXPECT_EQ(FunctionKeyName(1, language_), "#Error");
    EXPECT_EQ(FunctionKeyName(11, language_), "");
}

} // namespace
} // namespace kw
