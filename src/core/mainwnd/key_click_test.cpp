#include "core/mainwnd/key_click.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(KeyClickTest, DispatchDependsOnTheLightingView) {
    struct Case {
        int controlId;
        KeyClickAction viewOff, viewOn;
    };
    const Case cases[] = {
        {1058, KeyClickAction::SelectKey, KeyClickAction::ColourKey}, // A
        {1057, KeyClickAction::SelectKey, KeyClickAction::ColourKey}, // hidden Enter
        {1223, KeyClickAction::SelectKey, KeyClickAction::ColourKey}, // K56
        {1000, KeyClickAction::Nothing, KeyClickAction::ColourKey},   // G1
        {1004, KeyClickAction::Nothing, KeyClickAction::ColourKey},   // G5
        {1174, KeyClickAction::Nothing, KeyClickAction::ColourKey},   // Fn
        {1140, KeyClickAction::SelectKey, KeyClickAction::SelectKey}, // G6
        {1143, KeyClickAction::SelectKey, KeyClickAction::SelectKey}, // G9
        {1007, KeyClickAction::SelectKey, KeyClickAction::SelectKey}, // macro button
        {1016, KeyClickAction::Nothing, KeyClickAction::Nothing},     // D1 has no entry
        {1138, KeyClickAction::Nothing, KeyClickAction::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.controlId);
        EXPECT_EQ(KeyClickActionOf(c.controlId, false), c.viewOff);
        EXPECT_EQ(KeyClickActionOf(c.controlId, true), c.viewOn);
    }
}

TEST(KeyClickTest, SelectionNamesTheEditedEntry) {
    struct Case {
        int clicked;
        std::optional<EditorSelection> expected;
    };
    const Case cases[] = {
        {1058, EditorSelection{0, 0x1E, 1058, 0}},
        {1140, EditorSelection{0, 261, 1140, 0}},
        {1143, EditorSelection{0, 264, 1143, 1}},
        {1007, EditorSelection{0, 264, 1143, 1}},
        {1057, EditorSelection{0, 0x1C, 1070, 0}},
        {1089, EditorSelection{0, 0x9D, 1089, 0}}, // right Ctrl folds onto row 0x9D
        {1016, std::nullopt},
        {0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked);
        EXPECT_EQ(EditorSelectionOf(c.clicked), c.expected);
    }
}

} // namespace
} // namespace kw
