#include "core/macros/macro_bindings.h"
#include "core/macros/macro_commit.h"
#include "core/macros/macro_test_fixture.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

using testing::StoredMacro;

using testing::MacroTest;

class MacroCommitTest : public MacroTest {};

TEST(MacroBindings, EveryGroupFollowsTheCommittedList) {
    auto block = makeDefaultBlock();
    const auto bind = [&](int group, int keyIndex, std::uint32_t value) {
        KeyEntry& e = block->entries[entryNumber(group, keyIndex)];
        e = KeyEntry{KeyEntryType::KeyMacro, 3, value, 0x11, 0x22};
        return entryNumber(group, keyIndex);
    };
    const std::size_t keptOld = bind(0, 0x1E, 5);
    const std::size_t gone = bind(1, 256, 7);
    const std::size_t reusedId = bind(2, 0x30, 2);
    const std::size_t groupThree = bind(3, 0x10, 7);
    const std::size_t unset = bind(1, 0x11, 0);
    const std::size_t highBits = bind(0, 0x12, 0x10005); // no macro has that id
    KeyEntry& single = block->entries[entryNumber(0, 0x13)];
    single = KeyEntry{KeyEntryType::KeySingle, 0, 7, 0, 0}; // not a macro key

    MacroRecord older;
    older.macroId = 5;
    MacroRecord created; // took id 2 while the editor was open
    created.macroId = 2;
    created.pendingFlag = 1;
    const std::vector<MacroRecord> list = {older, created};

    const MacroBindingChanges changes = ReconcileMacroBindings(*block, list);
    EXPECT_EQ(changes.reset, (std::vector<std::size_t>{highBits, gone, reusedId, groupThree}));
    EXPECT_EQ(changes.assigned, std::vector<std::size_t>{unset});

    for (const std::size_t n : changes.reset) {
        // Only the type changes; the rest of the entry stays for the key caption.
        EXPECT_EQ(block->entries[n].type, KeyEntryType::KeyDefault) << n;
        EXPECT_EQ(block->entries[n].keyId, 3) << n;
        EXPECT_EQ(block->entries[n].mark, 0x11u) << n;
        EXPECT_EQ(block->entries[n].extra, 0x22u) << n;
    }
    EXPECT_EQ(block->entries[keptOld].type, KeyEntryType::KeyMacro);
    EXPECT_EQ(block->entries[unset].value, 5u); // the first macro's id
    EXPECT_EQ(block->entries[entryNumber(0, 0x13)],
              (KeyEntry{KeyEntryType::KeySingle, 0, 7, 0, 0}));
}

TEST(MacroBindings, AnUnsetMacroKeyStaysUnsetWithoutMacros) {
    auto block = makeDefaultBlock();
    block->entries[5] = KeyEntry{KeyEntryType::KeyMacro, 0, 0, 0, 0};
    EXPECT_FALSE(ReconcileMacroBindings(*block, {}).any());
    EXPECT_EQ(block->entries[5].type, KeyEntryType::KeyMacro);
}

TEST_F(MacroCommitTest, InstallsTheListWithTheCurrentRowsAndNothingPending) {
    config.macros = {StoredMacro(u"a", 1)};
    set.LoadMacroList();
    set.SelectMacro(0);
    set.InsertAction({30, 0x1E, 0}, {});
    set.SetCycles("3");
    set.AddMacro();

    const MacroCommitResult result = CommitMacroList(set);
    ASSERT_EQ(result.result, 1);
    EXPECT_FALSE(result.modified());
    EXPECT_FALSE(result.positionsChanged);
    ASSERT_EQ(config.macros.size(), 2u);
    EXPECT_EQ(config.macros[0].actionCount, 1);
    EXPECT_EQ(config.macros[0].repeatCount, 3);
    EXPECT_EQ(config.macros[1].nameView(), u"Macro 1");
    EXPECT_EQ(config.macros[1].pendingFlag, 0);
    EXPECT_EQ(set.macros()[1].pendingFlag, 0); // after Apply the editor goes on with it

    // Once committed the new macro counts as stored: its keys stay and deleting asks.
    bindKey(1, 0x1E, 2);
    EXPECT_FALSE(CommitMacroList(set).modified());
    set.SelectMacro(1);
    EXPECT_EQ(set.DeleteMacro(), 0);
    EXPECT_EQ(user.questions.size(), 1u);
}

TEST_F(MacroCommitTest, ADeletedMacrosKeysAreResetInEveryProfile) {
    config.macros = {StoredMacro(u"a", 1), StoredMacro(u"b", 2), StoredMacro(u"c", 3)};
    bindKey(0, 0x1E, 1);
    bindKey(2, 257, 1);
    bindKey(1, 0x30, 3);
    set.LoadMacroList();
    set.SelectMacro(0);
    user.answers = {true};
    ASSERT_EQ(set.DeleteMacro(), 1);

    const MacroCommitResult result = CommitMacroList(set);
    EXPECT_EQ(result.bindings.reset,
              (std::vector<std::size_t>{entryNumber(0, 0x1E), entryNumber(2, 257)}));
    EXPECT_TRUE(result.modified());
    EXPECT_EQ(config.entry(0, 0x1E)->type, KeyEntryType::KeyDefault);
    EXPECT_EQ(config.entry(2, 257)->type, KeyEntryType::KeyDefault);
    EXPECT_EQ(config.entry(1, 0x30)->type, KeyEntryType::KeyMacro);
    EXPECT_EQ(config.entry(1, 0x30)->value, 3u); // ids are kept, not renumbered
    ASSERT_EQ(config.macros.size(), 2u);
    EXPECT_EQ(config.macros[0].macroId, 2);
    EXPECT_EQ(config.macros[1].macroId, 3);
    // c moved from position 2 to 1: the key tables of all profiles name it anew.
    EXPECT_TRUE(result.positionsChanged);
    EXPECT_TRUE(result.needsAllProfiles(0));
}

TEST_F(MacroCommitTest, AMacroRecreatedUnderADeletedIdDoesNotInheritItsKeys) {
    config.macros = {StoredMacro(u"Macro 1", 1)};
    bindKey(0, 0x1E, 1);
    set.LoadMacroList();
    set.SelectMacro(0);
    user.answers = {true};
    ASSERT_EQ(set.DeleteMacro(), 1);
    ASSERT_EQ(set.AddMacro(), 1);
    ASSERT_EQ(set.macros()[0].nameView(), u"Macro 1");
    ASSERT_EQ(set.macros()[0].macroId, 1);

    const MacroCommitResult result = CommitMacroList(set);
    EXPECT_EQ(config.entry(0, 0x1E)->type, KeyEntryType::KeyDefault);
    EXPECT_EQ(result.bindings.reset, std::vector<std::size_t>{entryNumber(0, 0x1E)});
    EXPECT_FALSE(result.positionsChanged); // a new macro is in no key table yet
    EXPECT_FALSE(result.needsAllProfiles(0));
    EXPECT_TRUE(result.needsAllProfiles(1));
}

TEST_F(MacroCommitTest, DeletingTheLastMacroMovesNoOther) {
    config.macros = {StoredMacro(u"a", 1), StoredMacro(u"b", 2)};
    set.LoadMacroList();
    set.SelectMacro(1);
    ASSERT_EQ(set.DeleteMacro(), 1);
    const MacroCommitResult result = CommitMacroList(set);
    EXPECT_FALSE(result.positionsChanged);
    EXPECT_FALSE(result.needsAllProfiles(2));
}

TEST_F(MacroCommitTest, AnEmptiedListLeavesNoMacrosAndUnsetKeysAlone) {
    config.macros = {StoredMacro(u"a", 1)};
    bindKey(0, 0x1F, 0);
    set.LoadMacroList();
    set.SelectMacro(0);
    ASSERT_EQ(set.DeleteMacro(), 1);
    EXPECT_EQ(CommitMacroList(set).result, 1);
    EXPECT_TRUE(config.macros.empty());
    EXPECT_EQ(config.macroCount(), 0);
    EXPECT_EQ(config.entry(0, 0x1F)->value, 0u);
}

} // namespace
} // namespace kw
