#include "core/config/macro_record.h"

#include <gtest/gtest.h>
#include <string>

namespace kw {
namespace {

TEST(MacroRecordName, KeepsAtMost249CharactersAndWholeSurrogatePairs) {
    struct Case {
        const char* name;
        std::u16string text;
        std::u16string stored;
    };
    const std::u16string max(249, u'm');
    const std::u16string pairAtCut = std::u16string(248, u'a') + u"\U0001F600";
    const std::vector<Case> cases = {
        {"short", u"Macro1", u"Macro1"},
        {"249 fit", max, max},
        {"250 cut", max + u"!", max},
        {"pair that does not fit is dropped whole", pairAtCut, std::u16string(248, u'a')},
        {"empty", u"", u""},
    };
    for (const auto& c : cases) {
        MacroRecord r;
        r.name.fill(u'z'); // a previous longer name must not show through
        r.setName(c.text);
        EXPECT_EQ(r.nameView(), c.stored) << c.name;
    }
}

TEST(MacroRecordName, UnterminatedNameFromAFileStopsAtTheRecord) {
    MacroRecord r;
    r.name.fill(u'q');
    EXPECT_EQ(r.nameView().size(), kMacroNameChars);
}

TEST(MacroRecordActions, UsedActionsNeverPassTheRecord) {
    MacroRecord r;
    r.actionCount = 3;
    EXPECT_EQ(r.usedActions().size(), 3u);
    r.actionCount = 60000; // as a damaged file may claim
    EXPECT_EQ(r.usedActions().size(), kMacroActionsMax);
}

} // namespace
} // namespace kw
