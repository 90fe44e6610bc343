#include "core/base/settings_store.h"
#include "core/mainwnd/flip_state.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

class FlipStateTest : public ::testing::Test {
protected:
    std::string stored() const { return settings.readProfileString("PROFILES", "Flip", "<none>"); }

    testing::TempDir folder;
    SettingsStore settings{folder / "settings.ini"};
};

TEST_F(FlipStateTest, StartsAtZeroAndTogglingTwiceReturns) {
    EXPECT_EQ(ReadFlipState(settings), 0);
    EXPECT_EQ(ToggleFlipState(settings), 1);
    EXPECT_EQ(stored(), "1");
    EXPECT_EQ(ReadFlipState(settings), 1);
    EXPECT_EQ(ToggleFlipState(settings), 0);
    EXPECT_EQ(stored(), "0");
    EXPECT_EQ(ReadFlipState(settings), 0);
}

TEST_F(FlipStateTest, AnOddStoredValueReadsAsOneAndIsWrittenBackAsZero) {
    for (const char* value : {"7", "-1", "yes"}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(settings.writeProfileString("PROFILES", "Flip", value));
        const int shown = ReadFlipState(settings);
        if (std::string(value) == "yes") {
            EXPECT_EQ(shown, 0) << "not a number reads as the default";
            continue;
        }
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(ToggleFlipState(settings), 0);
        EXPECT_EQ(stored(), "0");
    }
}

} // namespace
} // namespace kw
