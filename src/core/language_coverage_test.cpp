// The shipped language files against the keys the code looks up: every key in
// both files, the same keys in both, formats that take exactly what the code
// passes. Reads the real files from the program folder.

#include "core/base/ini_file.h"
#include "core/base/text.h"
#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"
#include "core/skin/language.h"
#include "core/skin/text_keys.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace kw {
namespace {

struct LanguageKey {
    std::string section;
    std::string key;
};

// The name keys of the key tables (IDS_KEYBOARD_*, MEDIA_*), collected from
// the tables themselves.
std::vector<LanguageKey> keyTableNameKeys() {
    const std::string section(text_keys::kTextSection);
    std::vector<LanguageKey> keys;
    for (const auto& row : KeyTable()) {
        if (!row.nameKey.empty()) {
            keys.push_back({section, std::string(row.nameKey)});
        }
    }
    for (const auto& media : MediaKeyTable()) {
        keys.push_back({section, std::string(media.nameKey)});
    }
    for (const auto key : FunctionKeyTable()) {
        keys.push_back({section, std::string(key)});
    }
    return keys;
}

std::vector<LanguageKey> keysTheCodeLooksUp() {
    namespace tk = text_keys;
    std::vector<LanguageKey> keys;
    for (const auto group : tk::kTextGroups) {
        for (const auto key : group) {
            keys.push_back({std::string(tk::kTextSection), std::string(key)});
        }
    }
    for (const auto key : tk::kLightKeys) {
        keys.push_back({std::string(tk::kLightSection), std::string(key)});
    }
    for (int code = tk::kFirstEffectCode; code <= tk::kLastEffectCode; ++code) {
        keys.push_back({std::string(tk::kModeSection), std::to_string(code)});
    }
    for (auto& key : keyTableNameKeys()) {
        keys.push_back(std::move(key));
    }
    return keys;
}

const char* const kLanguageFiles[] = {"Lang0409.ini", "Lang0416.ini"};

IniDocument loadShipped(const char* name) {
    return IniDocument::load(testing::programFolder() / name);
}

TEST(LanguageFiles, HoldEveryKeyTheCodeLooksUp) {
    for (const char* file : kLanguageFiles) {
        const auto doc = loadShipped(file);
        ASSERT_TRUE(doc.hasSection(text_keys::kTextSection)) << file << " is missing";
        for (const auto& [section, key] : keysTheCodeLooksUp()) {
            const auto value = doc.value(section, key);
            EXPECT_TRUE(value && !value->empty()) << file << ": [" << section << "] " << key;
        }
    }
}

TEST(LanguageFiles, BothLanguagesHaveTheSameKeys) {
    const auto english = loadShipped(kLanguageFiles[0]);
    const auto portuguese = loadShipped(kLanguageFiles[1]);
    for (const auto section :
         {text_keys::kTextSection, text_keys::kLightSection, text_keys::kModeSection}) {
        auto keySet = [&](const IniDocument& doc) {
            std::set<std::string> out;
            for (const auto& key : doc.keys(section)) {
                out.insert(asciiLower(key));
            }
            return out;
        };
        EXPECT_EQ(keySet(english), keySet(portuguese)) << section;
        EXPECT_FALSE(keySet(english).empty()) << section;
    }
}

TEST(LanguageFiles, EnglishKeyNamesAreTheKeyTablesOwn) {
    const auto english = loadShipped(kLanguageFiles[0]);
    for (const auto& row : KeyTable()) {
        if (!row.nameKey.empty()) {
            EXPECT_EQ(english.value(text_keys::kTextSection, row.nameKey).value_or(""),
                      row.englishName)
                << row.nameKey;
        }
    }
}

TEST(LanguageFiles, TextsAreValidUtf8AndNeverCut) {
    for (const char* file : kLanguageFiles) {
        const auto doc = loadShipped(file);
        for (const auto& section : doc.sections()) {
            for (const auto& key : doc.keys(section)) {
                const auto value = doc.value(section, key).value_or("");
                EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(value)), value) << file << ": " << key;
                EXPECT_LT(utf8ToUtf16(value).size(), kIniValueMaxChars) << file << ": " << key;
            }
        }
    }
}

TEST(LanguageFiles, FormatsTakeExactlyTheirOneArgument) {
    for (const char* file : kLanguageFiles) {
        const auto doc = loadShipped(file);
        for (const auto key : text_keys::kIntegerFormats) {
            const auto format = doc.value(text_keys::kTextSection, key).value_or("");
            const auto filled = Language::formatWithNumber(format, 40000);
            EXPECT_NE(filled.find("40000"), std::string::npos) << file << ": " << key;
            EXPECT_EQ(filled.find('%'), std::string::npos) << file << ": " << key;
        }
        for (const auto key : text_keys::kTextFormats) {
            const auto format = doc.value(text_keys::kTextSection, key).value_or("");
            const auto filled = Language::formatWithText(format, "/x/y.fwc");
            EXPECT_NE(filled.find("/x/y.fwc"), std::string::npos) << file << ": " << key;
            EXPECT_EQ(filled.find('%'), std::string::npos) << file << ": " << key;
        }
    }
}

TEST(LanguageFiles, TheRecordDelaySettingNameCanBeStored) {
    // The text names the stored record-delay entry, so it must be a valid key name.
    for (const char* file : kLanguageFiles) {
        const auto name = loadShipped(file)
                              .value(text_keys::kTextSection, text_keys::MACRO_ACTION_RECORD_DELAY)
                              .value_or("");
        IniDocument settings;
        EXPECT_TRUE(settings.set("PROFILES", name, "1")) << file << ": " << name;
    }
}

} // namespace
} // namespace kw
