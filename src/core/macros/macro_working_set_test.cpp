#include "core/macros/macro_test_fixture.h"
#include "core/macros/macro_working_set.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

using testing::StoredMacro;

using testing::MacroTest;

constexpr MacroAction press(KeyCode code, std::uint32_t delay = 0) {
    return {delay, code, 0};
}
constexpr MacroAction release(KeyCode code, std::uint32_t delay = 0) {
    return {delay, code, 1};
}

class MacroListTest : public MacroTest {};

TEST_F(MacroListTest, LoadCopiesTheImageWithNothingPendingAndNothingCurrent) {
    config.macros = {StoredMacro(u"one", 4), StoredMacro(u"two", 9)};
    config.macros[0].pendingFlag = 1; // as a damaged file might hold it
    set.LoadMacroList();
    ASSERT_EQ(names(), (std::vector<std::u16string>{u"one", u"two"}));
    EXPECT_EQ(set.macros()[0].pendingFlag, 0);
    EXPECT_EQ(set.macros()[1].macroId, 9);
    EXPECT_EQ(set.currentMacro(), -1);
    EXPECT_FALSE(set.actionControlsEnabled());
    EXPECT_FALSE(set.unappliedChanges());
}

TEST_F(MacroListTest, AddingToAnEmptyListStartsTheCounterAndTheIdsAgain) {
    set.LoadMacroList();
    ASSERT_EQ(set.AddMacro(), 1);
    ASSERT_EQ(set.AddMacro(), 1);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"Macro 1", u"Macro 2"}));
    const MacroRecord& second = set.macros()[1];
    EXPECT_EQ(second.macroId, 2);
    EXPECT_EQ(second.repeatCount, 1);
    EXPECT_EQ(second.pendingFlag, 1);
    EXPECT_EQ(set.currentMacro(), 1);
    EXPECT_EQ(set.cyclesText(), "1");
    EXPECT_TRUE(set.actionControlsEnabled());
    EXPECT_TRUE(set.unappliedChanges());

    ASSERT_EQ(set.DeleteMacro(), 1);
    ASSERT_EQ(set.DeleteMacro(), 1);
    EXPECT_EQ(set.currentMacro(), -1);
    EXPECT_FALSE(set.actionControlsEnabled());
    ASSERT_EQ(set.AddMacro(), 1);
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"Macro 1"}));
    EXPECT_EQ(set.macros()[0].macroId, 1);
    EXPECT_TRUE(user.questions.empty()); // new macros go without asking
}

TEST_F(MacroListTest, NewNameSkipsEveryNameThatBeginsAnExistingOne) {
    // "Macro 1" begins "MACRO 10" (the search ignores case); "Macro 2" is free.
    config.macros = {StoredMacro(u"MACRO 10", 1)};
    set.LoadMacroList();
    ASSERT_EQ(set.AddMacro(), 1);
    EXPECT_EQ(set.macros()[1].nameView(), u"Macro 2");
    EXPECT_EQ(retryPauses, 1);
    EXPECT_EQ(set.newMacroCounter(), 2);
}

TEST_F(MacroListTest, NewMacroTakesTheSmallestFreeId) {
    config.macros = {StoredMacro(u"a", 1), StoredMacro(u"b", 3), StoredMacro(u"c", 100)};
    set.LoadMacroList();
    set.AddMacro();
    set.AddMacro();
    EXPECT_EQ(set.macros()[3].macroId, 2);
    EXPECT_EQ(set.macros()[4].macroId, 4);
}

TEST_F(MacroListTest, TheHundredAndFirstMacroIsRefusedWithTheLimitMessage) {
    for (std::uint16_t id = 1; id <= 100; ++id) {
        config.macros.push_back(StoredMacro(u"m" + utf8ToUtf16(std::to_string(id)), id));
    }
    set.LoadMacroList();
    set.SelectMacro(5);
    EXPECT_EQ(set.AddMacro(), 0);
    EXPECT_EQ(set.macros().size(), 100u);
    EXPECT_EQ(set.currentMacro(), 5);
    EXPECT_EQ(user.messages, std::vector<std::string>{"at most 100 macros"});
    EXPECT_FALSE(set.unappliedChanges());
}

TEST_F(MacroListTest, RenameFollowsTheCurrentMacroOrCreatesTheFirstOne) {
    set.LoadMacroList();
    set.RenameMacro(u"typed");
    ASSERT_EQ(names(), std::vector<std::u16string>{u"typed"});
    EXPECT_EQ(set.macros()[0].macroId, 1);
    EXPECT_EQ(set.macros()[0].pendingFlag, 1);
    EXPECT_EQ(set.currentMacro(), 0);

    set.RenameMacro(std::u16string(300, u'x'));
    EXPECT_EQ(set.macros()[0].nameView(), std::u16string(249, u'x'));

    set.AddMacro();
    set.SelectMacro(-1);
    set.RenameMacro(u"lost"); // no macro is current: nothing is renamed
    EXPECT_EQ(names(), (std::vector<std::u16string>{std::u16string(249, u'x'), u"Macro 1"}));
}

TEST_F(MacroListTest, SwitchingStoresTheRowsAndCyclesOfTheMacroLeft) {
    config.macros = {StoredMacro(u"a", 1, {press(0x1E, 50), release(0x1E, 50)}),
                     StoredMacro(u"b", 2)};
    set.LoadMacroList();
    set.SelectMacro(0);
    ASSERT_EQ(set.rows().size(), 2u);
    set.SelectRow(0);
    set.DeleteAction();
    set.SetCycles("7");
    set.SelectMacro(1);
    EXPECT_TRUE(set.rows().empty());
    EXPECT_EQ(set.cyclesText(), "1");

    const MacroRecord& a = set.macros()[0];
    EXPECT_EQ(a.actionCount, 1);
    EXPECT_EQ(a.actions[0], release(0x1E, 50));
    EXPECT_EQ(a.actions[1], MacroAction{}); // nothing of the longer list is left behind
    EXPECT_EQ(a.repeatCount, 7);
}

TEST_F(MacroListTest, EditsWithoutACommitLeaveTheImageAsItWas) {
    config.macros = {StoredMacro(u"a", 1, {press(0x1E, 50)}), StoredMacro(u"b", 2)};
    bindKey(0, 0x1E, 1);
    const std::vector<MacroRecord> before = config.macros;
    const ConfigBlock blockBefore = *config.block;
    set.LoadMacroList();
    set.SelectMacro(0);
    set.InsertAction(press(0x30), {.markChanged = true});
    set.RenameMacro(u"renamed");
    set.SelectMacro(1);
    user.answers = {true};
    set.DeleteMacro();
    set.AddMacro();
    EXPECT_EQ(config.macros, before);
    EXPECT_EQ(*config.block, blockBefore);
}

struct DeleteCase {
    const char* name;
    int boundGroup; // -1: no key bound
    int boundKeyIndex;
    std::deque<bool> answers;
    bool asked;
    bool deleted;
    friend void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }
};

class MacroDeleteTest : public MacroTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(MacroDeleteTest, AsksOnlyWhenAKeyIsBoundAndKeepsTheMacroOnNo) {
    const DeleteCase& c = GetParam();
    config.macros = {StoredMacro(u"a", 1), StoredMacro(u"b", 2), StoredMacro(u"c", 3)};
    if (c.boundGroup >= 0) {
        bindKey(c.boundGroup, c.boundKeyIndex, 2);
    }
    bindKey(0, 0x10, 3); // another macro's key does not count
    set.LoadMacroList();
    set.SelectMacro(1);
    user.answers = c.answers;

    EXPECT_EQ(set.DeleteMacro(), c.deleted ? 1 : 0);
    EXPECT_EQ(user.questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(user.questions[0], "MACRO_DELETE_CONFIRM_OF_KEYS");
    }
    EXPECT_EQ(set.macros().size(), c.deleted ? 2u : 3u);
    EXPECT_EQ(set.currentMacro(), c.deleted ? 0 : 1);
    EXPECT_EQ(set.unappliedChanges(), c.deleted);
}

INSTANTIATE_TEST_SUITE_P(
    Bindings, MacroDeleteTest,
    ::testing::Values(DeleteCase{"unbound", -1, 0, {}, false, true},
                      DeleteCase{"bound_no", 0, 0x1E, {false}, true, false},
                      DeleteCase{"bound_yes", 0, 0x1E, {true}, true, true},
                      // The commit resets keys of every profile, so keys of
                      // other profiles and G1 (keyIndex 256) count as well.
                      DeleteCase{"other_profile", 2, 0x1E, {false}, true, false},
                      DeleteCase{"first_g_key", 0, 256, {false}, true, false},
                      DeleteCase{"first_g_key_of_profile_1", 1, 256, {false}, true, false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(MacroListTest, DeletingTheFirstMacroMakesTheNextOneCurrent) {
    config.macros = {StoredMacro(u"a", 1), StoredMacro(u"b", 2, {press(0x1E, 20)})};
    set.LoadMacroList();
    set.SelectMacro(0);
    ASSERT_EQ(set.DeleteMacro(), 1);
    EXPECT_EQ(set.currentMacro(), 0);
    EXPECT_EQ(set.rows(), std::vector<MacroAction>{press(0x1E, 20)});
}

TEST_F(MacroListTest, ANewMacroIsDeletedWithoutAskingEvenWhenItsIdIsBound) {
    bindKey(0, 0x1E, 1); // left over from a macro deleted earlier
    set.LoadMacroList();
    set.AddMacro();
    EXPECT_EQ(set.DeleteMacro(), 1);
    EXPECT_TRUE(user.questions.empty());
}

class MacroActionTest : public MacroTest {
protected:
    MacroActionTest() {
        config.macros = {
            StoredMacro(u"m", 1, {press(0x1E, 10), release(0x1E, 20), press(0x30, 30)})};
        set.LoadMacroList();
        set.SelectMacro(0);
    }
};

TEST_F(MacroActionTest, RecordingInsertsAfterTheSelectionAndHandsThePauseOn) {
    const InsertOptions recording{.grey = true, .markChanged = true, .afterSelection = true};
    set.SelectRow(0);
    ASSERT_TRUE(set.InsertAction(press(0x20, 50), recording));
    ASSERT_TRUE(set.InsertAction(release(0x20, 60), recording));
    // Row 0 takes the first offered pause, each new row the pause of the row it follows.
    EXPECT_EQ(set.rows(),
              (std::vector<MacroAction>{press(0x1E, 50), press(0x20, 60), release(0x20, 10),
                                        release(0x1E, 20), press(0x30, 30)}));
    EXPECT_EQ(set.selectedRow(), 2);
    EXPECT_TRUE(set.unappliedChanges());
}

TEST_F(MacroActionTest, AFirstRowDropsTheOfferedPause) {
    set.ClearActions(); // needs a Yes
    ASSERT_EQ(set.rows().size(), 3u);
    user.answers = {true};
    set.ClearActions();
    ASSERT_TRUE(set.rows().empty());
    EXPECT_EQ(user.questions, (std::vector<std::string>{"MACRO_ACTION_CLEAR_CONFIRM",
                                                        "MACRO_ACTION_CLEAR_CONFIRM"}));

    ASSERT_TRUE(set.InsertAction(MacroAction{70, 0x1E, 5}, {.afterSelection = true}));
    EXPECT_EQ(set.rows(), std::vector<MacroAction>{press(0x1E, 0)}); // and 5 is no direction
}

TEST_F(MacroActionTest, RowsStopAt2000) {
    while (set.rows().size() < kMacroActionsMax) {
        ASSERT_TRUE(set.InsertAction(press(0x1E, 10), {}));
    }
    EXPECT_FALSE(set.InsertAction(press(0x1E, 10), {.markChanged = true}));
    EXPECT_EQ(set.rows().size(), kMacroActionsMax);
    EXPECT_FALSE(set.unappliedChanges());
}

TEST_F(MacroActionTest, NothingIsInsertedWithoutACurrentMacro) {
    set.SelectMacro(-1);
    EXPECT_FALSE(set.InsertAction(press(0x1E), {}));
    EXPECT_TRUE(set.rows().empty());
}

TEST_F(MacroActionTest, MovesCarryTheRowWithItsPauseAndClampToTheList) {
    struct Case {
        int from;
        MoveTarget target;
        int to;
    };
    const Case cases[] = {{1, MoveTarget::Top, 0},  {1, MoveTarget::Up, 0},
                          {1, MoveTarget::Down, 2}, {1, MoveTarget::Bottom, 2},
                          {0, MoveTarget::Up, 0},   {2, MoveTarget::Down, 2},
                          {2, MoveTarget::Top, 0},  {0, MoveTarget::Bottom, 2}};
    const std::vector<MacroAction> original = set.rows();
    for (const Case& c : cases) {
        set.SelectMacro(0); // shows the stored, unmoved rows again
        set.clearUnappliedChanges();
        set.SelectRow(c.from);
        set.MoveAction(c.target);
        EXPECT_EQ(set.rows()[static_cast<std::size_t>(c.to)],
                  original[static_cast<std::size_t>(c.from)])
            << c.from << " -> " << c.to;
        EXPECT_EQ(set.selectedRow(), c.to);
        EXPECT_TRUE(set.unappliedChanges()); // also when nothing moved
        set.LoadMacroList();
    }
}

TEST_F(MacroActionTest, DeleteAndMoveNeedASelectedRow) {
    set.DeleteAction();
    set.MoveAction(MoveTarget::Top);
    EXPECT_EQ(set.rows().size(), 3u);
    EXPECT_FALSE(set.unappliedChanges());
    set.SelectRow(1);
    set.DeleteAction();
    EXPECT_EQ(set.rows(), (std::vector<MacroAction>{press(0x1E, 10), press(0x30, 30)}));
    EXPECT_EQ(set.selectedRow(), -1);
}

TEST_F(MacroActionTest, DelayCellTakesWholeTensUpTo40000) {
    struct Case {
        const char* typed;
        std::uint32_t stored;
        bool complains;
    };
    const Case cases[] = {{"1234", 1230, false},  {"40000", 40000, false},
                          {"40001", 40000, true}, {"99999999999999999999", 40000, true},
                          {"-5", 40000, true},    {"0", 0, false},
                          {"9", 0, false}};
    for (const Case& c : cases) {
        user.messages.clear();
        set.SelectRow(0);
        EXPECT_TRUE(set.EditDelayCell(c.typed)) << c.typed;
        EXPECT_EQ(set.rows()[0].delayMs, c.stored) << c.typed;
        EXPECT_EQ(user.messages, c.complains ? std::vector<std::string>{"at most 40000 ms"}
                                             : std::vector<std::string>{})
            << c.typed;
    }
    EXPECT_FALSE(set.EditDelayCell("")); // an empty text changes nothing
    EXPECT_EQ(set.rows()[0].delayMs, 0u);
}

TEST_F(MacroActionTest, KeyAndDirectionCellsChangeOnlyOnANewValidChoice) {
    set.SelectRow(0);
    EXPECT_FALSE(set.EditKeyCell(0)); // A is already there
    EXPECT_FALSE(set.EditKeyCell(111));
    EXPECT_FALSE(set.unappliedChanges());
    EXPECT_TRUE(set.EditKeyCell(103)); // Right Shift: the first row with that place
    EXPECT_EQ(set.rows()[0].keyCode, 0x036);
    EXPECT_FALSE(set.EditDirectionCell(0));
    EXPECT_FALSE(set.EditDirectionCell(2));
    EXPECT_TRUE(set.EditDirectionCell(1));
    EXPECT_EQ(set.rows()[0], release(0x036, 10));
    EXPECT_TRUE(set.unappliedChanges());
}

TEST_F(MacroActionTest, OnlyTheThreeColumnsCanBeEdited) {
    set.SelectRow(0);
    EXPECT_TRUE(set.BeginCellEdit(2));
    EXPECT_TRUE(user.messages.empty());
    EXPECT_FALSE(set.BeginCellEdit(3));
    EXPECT_EQ(user.messages, std::vector<std::string>{"MACRO_ACTION_ERR_MODIFY"});
}

TEST_F(MacroActionTest, RowTexts) {
    EXPECT_EQ(ActionKeyText(press(0x1E), language), "A");
    EXPECT_EQ(ActionDirectionText(press(0x1E)), "\u2193");
    EXPECT_EQ(ActionDirectionText(release(0x1E)), "  \u2191");
    EXPECT_EQ(ActionDelayText(press(0x1E, 40000)), "40000");
}

TEST_F(MacroListTest, CyclesAreHeldTo1Through255) {
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"0", "1"}, {"300", "255"}, {"255", "255"}, {"12", "12"},
        {"", "1"},  {"x", "1"},     {"-4", "1"},    {"99999999999999999999", "255"}};
    for (const Case& c : cases) {
        EXPECT_EQ(set.SetCycles(c.typed), c.shown) << c.typed;
    }
    EXPECT_TRUE(set.unappliedChanges());
}

} // namespace
} // namespace kw
