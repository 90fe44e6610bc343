#include "core/base/settings_store.h"
#include "core/macros/record_delay_setting.h"
#include "core/skin/language.h"
#include "testsupport/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kw {
namespace {

constexpr std::uint16_t kEnglish = 1033;
constexpr std::uint16_t kPortuguese = 1046;
constexpr const char* kEnglishEntry = "Record delay";
constexpr const char* kPortugueseEntry = "Atraso ao gravar";

// Two language files that name the setting differently.
class RecordDelaySettingTest : public ::testing::Test {
protected:
    RecordDelaySettingTest() {
        std::ofstream(folder / "Lang0409.ini", std::ios::binary)
            << "[TEXT]\nMACRO_ACTION_RECORD_DELAY=" << kEnglishEntry << "\n";
        std::ofstream(folder / "Lang0416.ini", std::ios::binary)
            << "[TEXT]\nMACRO_ACTION_RECORD_DELAY=" << kPortugueseEntry << "\n";
    }

    std::string storedUnder(const char* entry) const {
        return settings.readProfileString("PROFILES", entry, "<missing>");
    }

    testing::TempDir folder;
    SettingsStore settings{folder / "settings.ini"};
    Language language{folder.path(), settings, [] { return kEnglish; }};
};

struct LoadCase {
    const char* name;
    std::optional<const char*> stored; // nullopt: no entry
    bool on;
    const char* writtenBack;
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class RecordDelayLoadTest : public RecordDelaySettingTest,
                            public ::testing::WithParamInterface<LoadCase> {};

TEST_P(RecordDelayLoadTest, IsOnOnlyForOneAndLeavesANormalValue) {
    const LoadCase& c = GetParam();
    if (c.stored) {
        ASSERT_TRUE(settings.writeProfileString("PROFILES", kEnglishEntry, *c.stored));
    }
    EXPECT_EQ(LoadRecordDelay(settings, language), c.on);
    EXPECT_EQ(storedUnder(kEnglishEntry), c.writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RecordDelayLoadTest,
    ::testing::Values(LoadCase{"missing", std::nullopt, false, "0"},
                      LoadCase{"zero", "0", false, "0"}, LoadCase{"one", "1", true, "1"},
                      LoadCase{"leading_zero", "01", true, "1"}, LoadCase{"seven", "7", false, "0"},
                      LoadCase{"minus_one", "-1", false, "0"},
                      LoadCase{"letters", "abc", false, "0"}, LoadCase{"empty", "", false, "0"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(RecordDelaySettingTest, StoreWritesAtOnceAndLoadReadsItBack) {
    StoreRecordDelay(settings, language, true);
    EXPECT_EQ(storedUnder(kEnglishEntry), "1");
    EXPECT_TRUE(LoadRecordDelay(settings, language));
    StoreRecordDelay(settings, language, false);
    EXPECT_EQ(storedUnder(kEnglishEntry), "0");
    EXPECT_FALSE(LoadRecordDelay(settings, language));
}

TEST_F(RecordDelaySettingTest, EachLanguageKeepsItsOwnEntry) {
    StoreRecordDelay(settings, language, true);
    ASSERT_TRUE(settings.writeDword("LANGUAGE", kPortuguese));

    EXPECT_FALSE(LoadRecordDelay(settings, language));
    EXPECT_EQ(storedUnder(kPortugueseEntry), "0");
    StoreRecordDelay(settings, language, true);
    EXPECT_EQ(storedUnder(kPortugueseEntry), "1");
    StoreRecordDelay(settings, language, false);
    EXPECT_EQ(storedUnder(kEnglishEntry), "1"); // untouched
}

} // namespace
} // namespace kw
