#include "core/macros/macro_text.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

struct ParseCase {
    const char* text;
    std::vector<MacroAction> actions;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class MacroTextParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(MacroTextParse, ReadsKeysDirectionsAndPauses) {
    const ParsedMacroActions parsed = ParseMacroActions(GetParam().text);
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.actions, GetParam().actions);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MacroTextParse,
    ::testing::Values(ParseCase{"A down 50, A up 50", {{50, 0x1E, 0}, {50, 0x1E, 1}}},
                      ParseCase{"", {}},
                      // Names of several words, any case, no blank after the comma, pause left out.
                      ParseCase{"page up DOWN 10,Right Shift up", {{10, 0x149, 0}, {0, 0x036, 1}}},
                      // Names that end in a direction word and the arrow names.
                      ParseCase{"Roll Up down 0, Up up 20, Down down 30",
                                {{0, 0x161, 0}, {20, 0x148, 1}, {30, 0x150, 0}}},
                      // The comma key.
                      ParseCase{", down 10, , up", {{10, 0x033, 0}, {0, 0x033, 1}}},
                      ParseCase{"Left Button down 40000, 0x064 up 10",
                                {{40000, 0x171, 0}, {10, 0x064, 1}}}));

TEST(MacroTextErrors, SayWhatIsWrongAndWhere) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"A down 50, Foo up 10", "action 2: unknown key name \"Foo\""},
        {"A 50", "action 1: \"A 50\" needs down or up after it"},
        {"A down 40010", "action 1: a pause of 40010 ms is not one of 0..40000 in steps of 10"},
        {"A down 15", "action 1: a pause of 15 ms is not one of 0..40000 in steps of 10"},
        {"A down -10", "action 1: a pause of -10 ms is not one of 0..40000 in steps of 10"},
        {"A down soon", "action 1: \"soon\" is not a pause in ms"},
        {"A down 10 B up", "action 1: expected a comma before \"B\""},
        {"A down 10,", "action 1: nothing follows the last comma"},
        {"0x1A0 down", "action 1: unknown key name \"0x1A0\""}, // folds onto D's row
        {"G1 down", "action 1: unknown key name \"G1\""},       // not a macro key
    };
    for (const Case& c : cases) {
        const ParsedMacroActions parsed = ParseMacroActions(c.text);
        EXPECT_EQ(parsed.error, c.error) << c.text;
    }
}

TEST(MacroTextErrors, MoreThan2000ActionsAreRefused) {
    std::string text = "A down 10";
    for (std::size_t i = 1; i < kMacroActionsMax; ++i) {
        text += ", A up 10";
    }
    EXPECT_TRUE(ParseMacroActions(text).ok());
    EXPECT_EQ(ParseMacroActions(text + ", A down").error, "more than 2000 actions");
}

TEST(MacroTextFormat, ReadsBackToTheSameActions) {
    const std::vector<MacroAction> actions = {
        {50, 0x1E, 0}, {3, 0x148, 1}, {0, 0x033, 0}, {70000, 0x064, 1}, {10, 0x136, 0}};
    const std::string text = FormatMacroActions(actions);
    EXPECT_EQ(text, "A down 50, Up up 3, , down 0, 0x064 up 70000, 0x136 down 10");
    // Recorded pauses need not be typeable; the keys and directions read back.
    const ParsedMacroActions back =
        ParseMacroActions("A down 50, Up up 0, , down 0, 0x064 up 0, 0x136 down 10");
    ASSERT_TRUE(back.ok()) << back.error;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(back.actions[i].keyCode, actions[i].keyCode) << i;
        EXPECT_EQ(back.actions[i].isRelease, actions[i].isRelease) << i;
    }
}

} // namespace
} // namespace kw
