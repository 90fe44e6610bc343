#include "core/base/atomic_file.h"
#include "core/base/settings_store.h"
#include "core/skin/language.h"
#include "testsupport/scoped_env.h"
#include "testsupport/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kw {
namespace {

// A program folder with two small language files and a settings store of its own.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        write("Lang0409.ini",
              "[TEXT]\nMAIN_CAPTION=Keyweave\nEMPTY=\nLONG=" + std::string(300, 'e') +
                  "\n[LIGHT]\nSpeed=Speed\n"
                  "[MODE]\n5=Breathing\n");
        write("Lang0416.ini",
              "\xEF\xBB\xBF[TEXT]\r\nMAIN_CAPTION=Keyweave PT\r\n"
              "[LIGHT]\r\nSpeed=Velocidade\r\n[MODE]\r\n5=Respira\xC3\xA7\xC3\xA3o\r\n");
    }

    void write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(folder / name, text));
    }

    Language language(std::uint16_t systemId) {
        return Language(folder.path(), settings, [systemId] { return systemId; });
    }

    testing::TempDir folder;
    testing::TempDir config;
    SettingsStore settings{config / "settings.ini"};
};

TEST_F(LanguageTest, FirstRunChoosesFromTheSystemLanguageAndStoresIt) {
    struct Case {
        std::uint16_t system;
        std::uint16_t stored;
        int index;
    };
    const Case cases[] = {
        {1033, 1033, 0},
        {1046, 1046, 1},
        {4100, 1046, 1}, // Chinese (Singapore) is mapped to
                         // Portuguese
        {3076, 1033, 0}, // Chinese (Hong Kong) to English
        {1031, 1033, 0},
        {2052, 1033, 0},
        {2070, 1033, 0},
        {0, 1033, 0},
    };
    for (const auto& c : cases) {
        testing::TempDir fresh;
        SettingsStore store(fresh / "settings.ini");
        Language lang(folder.path(), store, [&c] { return c.system; });
        EXPECT_EQ(lang.CurrentLanguageIndex(), c.index) << c.system;
        EXPECT_EQ(store.readDword("LANGUAGE"), c.stored) << c.system;
    }
}

TEST_F(LanguageTest, AStoredChoiceIsKeptWhateverTheSystemSays) {
    struct Case {
        std::optional<std::string> storedValue; // the raw settings line, nullopt for none
        std::uint16_t system;
        std::uint16_t id;
        int index;
    };
    const Case cases[] = {
        {"dword:2052", 1046, 2052, 0}, // not in the table: English file, value kept
        {"dword:1046", 1033, 1046, 1},
        {"dword:0", 1046, 1046, 1}, // 0 means "not chosen"
        {"sz:1046", 1046, 1046, 1}, // not a DWORD: chosen again
        {"1033", 4100, 1046, 1},
        {"dword:70000", 1033, 1033, 0}, // no language id fits in 17 bits
        {std::nullopt, 1046, 1046, 1},
    };
    for (const auto& c : cases) {
        testing::TempDir fresh;
        const auto file = fresh / "settings.ini";
        if (c.storedValue) {
            ASSERT_TRUE(
                writeFileAtomically(file, "[ProductKey]\nLANGUAGE=" + *c.storedValue + "\n"));
        }
        SettingsStore store(file);
        Language lang(folder.path(), store, [&c] { return c.system; });
        EXPECT_EQ(lang.CurrentLanguageId(), c.id) << c.storedValue.value_or("(none)");
        EXPECT_EQ(lang.CurrentLanguageIndex(), c.index);
        EXPECT_EQ(store.readDword("LANGUAGE"), c.id);
    }
}

TEST_F(LanguageTest, LookupsFollowTheRulesOfTheFiles) {
    const auto lang = language(1033);
    struct Case {
        std::string (Language::*lookup)(std::string_view, int) const;
        const char* key;
        int index;
        std::string expected;
    };
    const Case cases[] = {
        {&Language::LookupText, "MAIN_CAPTION", 0, "Keyweave"},
        {&Language::LookupText, "main_caption", 1, "Keyweave PT"},
        {&Language::LookupText, "EMPTY", 0, ""},         // present but empty
        {&Language::LookupText, "MISSING", 0, "#Error"}, // missing key
        {&Language::LookupText, "EMPTY", 1, "#Error"},   // missing in the other file
        {&Language::LookupText, "LONG", 0, std::string(259, 'e')},
        {&Language::LookupText, "Speed", 0, "#Error"}, // another section's key
        {&Language::LookupLightText, "Speed", 1, "Velocidade"},
        {&Language::LookupModeText, "5", 1, "Respira\xC3\xA7\xC3\xA3o"},
        {&Language::LookupText, "MAIN_CAPTION", 2, "#Error"},   // the empty third position
        {&Language::LookupText, "MAIN_CAPTION", 4, "Keyweave"}, // 4 and more read English
        {&Language::LookupText, "MAIN_CAPTION", -1, "Keyweave"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((lang.*c.lookup)(c.key, c.index), c.expected) << c.key << " " << c.index;
    }
    EXPECT_EQ(lang.languageFile(1), folder / "Lang0416.ini");
}

TEST_F(LanguageTest, AMissingFileGivesTheErrorText) {
    std::filesystem::remove(folder / "Lang0416.ini");
    EXPECT_EQ(language(1046).text("MAIN_CAPTION"), "#Error");
}

TEST_F(LanguageTest, NothingIsCached) {
    const auto lang = language(1033);
    EXPECT_EQ(lang.text("MAIN_CAPTION"), "Keyweave");
    ASSERT_TRUE(settings.writeDword("LANGUAGE", 1046));
    EXPECT_EQ(lang.text("MAIN_CAPTION"), "Keyweave PT");
    write("Lang0416.ini", "[TEXT]\nMAIN_CAPTION=Changed\n");
    EXPECT_EQ(lang.text("MAIN_CAPTION"), "Changed");
}

TEST(LanguageFormat, FillsTheFirstIntegerConversionOnly) {
    struct Case {
        const char* format;
        long long value;
        const char* expected;
    };
    const Case cases[] = {
        {"Unknown key (%d)", 100, "Unknown key (100)"},
        {"%u", 65535, "65535"},
        {"%i items", -3, "-3 items"},
        {"%ld ms", 40000, "40000 ms"},
        {"0x%04X", 0x147, "0x0147"},
        {"%u", -1, "4294967295"}, // read as an unsigned int, as printf would
        {"%d and %d", 1, "1 and %d"},
        {"%s then %d", 7, "%s then 7"},
        {"no conversion", 7, "no conversion"},
        {"100%% of %d", 5, "100% of 5"},
        {"trailing %", 5, "trailing %"},
        {"%-5d|", 42, "42   |"},
        {"%*d", 5, "%*d"},           // a width from the arguments is never read
        {"%999999d", 5, "%999999d"}, // nor an absurd width printed
        {"%lld %hd", 9, "9 %hd"},
        {"%n%d", 1, "%n1"}, // the conversion that writes memory is never used
        {"", 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Language::formatWithNumber(c.format, c.value), c.expected) << c.format;
    }
}

TEST(LanguageFormat, FillsTheFirstTextConversion) {
    EXPECT_EQ(Language::formatWithText("Bad file: %s (%s)", "/home/u/a%d.fwc"),
              "Bad file: /home/u/a%d.fwc (%s)");
    EXPECT_EQ(Language::formatWithText("100%% %d", "x"), "100% %d");
    EXPECT_EQ(Language::formatWithText("none", "x"), "none");
}

TEST(SystemLanguage, LocaleNamesMapToWindowsIds) {
    struct Case {
        const char* locale;
        std::uint16_t id;
    };
    const Case cases[] = {
        {"en_US.UTF-8", 1033},
        {"pt_BR.UTF-8", 1046},
        {"pt_PT", 2070},
        {"pt", 1046},
        {"zh_CN.GB18030", 2052},
        {"zh_HK", 3076},
        {"zh_SG.UTF-8", 4100},
        {"zh_TW", 1028},
        {"de_DE@euro", 1031},
        {"de_AT", 3079},
        {"de", 1031},
        {"fr_FR", 1036},
        {"fr_CA", 3084},
        {"es_ES", 3082},
        {"es_MX", 2058},
        {"en_GB", 2057},
        {"PT_br", 1046},
        {"pt-BR", 1046},
        {"de_XX", 1031},
        {"C", 1033},
        {"POSIX", 1033},
        {"C.UTF-8", 1033},
        {"", 1033},
        {"xx_YY", 1033},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageIdOfLocale(c.locale), c.id) << c.locale;
    }
}

TEST(SystemLanguage, TheFirstSetLocaleVariableDecides) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::uint16_t id;
    };
    const Case cases[] = {
        {"pt_BR.UTF-8", "de_DE", "fr_FR", 1046},
        {"", "de_DE", "fr_FR", 1031},
        {nullptr, nullptr, "zh_SG", 4100},
        {nullptr, nullptr, nullptr, 1033},
    };
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i) {
        if (const char* value = std::getenv(names[i])) {
            saved[i] = value;
        }
    }
    auto set = [](const char* name, const char* value) { testing::setEnvironment(name, value); };
    for (const auto& c : cases) {
        set("LC_ALL", c.lcAll);
        set("LC_MESSAGES", c.lcMessages);
        set("LANG", c.lang);
        EXPECT_EQ(systemDefaultLanguageId(), c.id);
    }
    for (int i = 0; i < 3; ++i) {
        set(names[i], saved[i] ? saved[i]->c_str() : nullptr);
    }
}

} // namespace
} // namespace kw
