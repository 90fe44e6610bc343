#include "core/base/bytes.h"
#include "core/config/macro_area.h"
#include "core/keys/key_table.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kw {
namespace {

MacroRecord macro(std::u16string_view name, std::vector<MacroAction> actions,
                  std::uint8_t repeat = 1) {
    MacroRecord m;
    m.setName(name);
    m.repeatCount = repeat;
    m.actionCount = static_cast<std::uint16_t>(actions.size());
    std::copy(actions.begin(), actions.end(), m.actions.begin());
    return m;
}

const std::vector<MacroRecord> kAb = {
    macro(u"ab", {{100, 0x1E, 0}, {20, 0x1E, 1}, {0, 0x1D, 0}}, 3)};

TEST(MacroArea, SizesWithAndWithoutNames) {
    const auto sizes = macroAreaSizes(kAb);
    EXPECT_EQ(sizes.minimal, 34u);
    EXPECT_EQ(sizes.full, 38u);
    const auto none = macroAreaSizes({});
    EXPECT_EQ(none.minimal, 16u);
    EXPECT_EQ(none.full, 16u);
}

TEST(MacroArea, LayoutOfOneMacroWithItsName) {
    const auto area = buildMacroArea(kAb, 38, true);
    const std::vector<std::uint8_t> expected = {0xAA, 0x55, 38,   0,    1, 0, 1, 0,
                                                0,    0,    0,    0,    0, 0, 0, 0, // header
                                                18,   0,             // offset of macro 0
                                                3,    0,    3,    2, // actions, repeat, name length
                                                0x0A, 0xA0, 0x02, 0x04, // A down after 100 ms
                                                0x02, 0x20, 0x02, 0x04, // A up after 20 ms
                                                0x00, 0xA0, 0x01, 0x01, // left Ctrl down
                                                'a',  0,    'b',  0};
    EXPECT_EQ(area, expected);
}

TEST(MacroArea, WithoutNamesTheNameLengthIsZero) {
    const auto area = buildMacroArea(kAb, 34, false);
    ASSERT_EQ(area.size(), 34u);
    EXPECT_EQ(loadU16(area, 6), 0);
    EXPECT_EQ(area[21], 0);
}

TEST(MacroArea, NoMacrosIsAHeaderOnly) {
    const auto area = buildMacroArea(std::span<const MacroRecord>{}, 16, true);
    EXPECT_EQ(area,
              (std::vector<std::uint8_t>{0xAA, 0x55, 16, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(MacroArea, ActionWords) {
    struct Case {
        const char* name;
        MacroAction action;
        std::uint16_t word;
        std::uint8_t b0, b1;
    };
    const std::vector<Case> cases = {
        {"delay in 10 ms units, truncated", {19, 0x1E, 1}, 0x2001, 0x02, 0x04},
        {"largest delay that fits", {40950, 0x1E, 1}, 0x2FFF, 0x02, 0x04},
        {"40960 ms is masked to 0", {40960, 0x1E, 1}, 0x2000, 0x02, 0x04},
        {"masked, not clamped", {50000, 0x1E, 1}, 0x2000 | (5000 & 0xFFF), 0x02, 0x04},
        {"press", {0, 0x1E, 0}, 0xA000, 0x02, 0x04},
        {"any isRelease but 1 is a press", {0, 0x1E, 2}, 0xA000, 0x02, 0x04},
        {"right Alt", {0, 0x138, 1}, 0x2000, 0x01, 0x40},
        {"Right Shift second row", {0, 0x136, 1}, 0x2000, 0x02, 0xE5},
        {"left button", {0, 0x171, 1}, 0x1000, 0x01, 0x01},
        {"right button", {0, 0x172, 1}, 0x1000, 0x01, 0x02},
        {"middle button", {0, 0x173, 1}, 0x1000, 0x01, 0x04},
        {"wheel up", {0, 0x161, 1}, 0x1000, 0x05, 0x01},
        {"wheel down", {0, 0x162, 1}, 0x1000, 0x05, 0xFF},
        {"power", {0, 0x15E, 1}, 0x4000, 0x81, 0x00},
        {"wake", {0, 0x163, 1}, 0x4000, 0x83, 0x00},
        {"media key sends its raw byte", {0, 0x130, 1}, 0x2000, 0x02, 0xC0},
        {"code without usage", {0, 0x176, 1}, 0x0000, 0x00, 0x00},
        {"no key", {0, 0, 0}, 0x8000, 0x00, 0x00},
    };
    for (const auto& c : cases) {
        const std::vector<MacroRecord> one = {macro(u"", {c.action})};
        const auto area = buildMacroArea(one, macroAreaSizes(one).minimal, false);
        EXPECT_EQ(loadU16(area, 22), c.word) << c.name;
        EXPECT_EQ(area[24], c.b0) << c.name;
        EXPECT_EQ(area[25], c.b1) << c.name;
    }
}

TEST(MacroArea, TooSmallASizeCutsTheAreaWithoutOverrunning) {
    const auto area = buildMacroArea(kAb, 20, true);
    ASSERT_EQ(area.size(), 20u);
    EXPECT_EQ(loadU16(area, 16), 18);
}

// Every key of the list pressed and released, with delays that fit.
std::vector<MacroRecord> everyKeyMacros() {
    std::vector<MacroRecord> macros;
    std::vector<MacroAction> actions;
    for (std::uint16_t p = 0; p < kKeyListSize; ++p) {
        const KeyCode key = KeyCodeOfListPosition(p);
        actions.push_back({10u * p, key, 0});
        actions.push_back({40950, key, 1});
    }
    macros.push_back(macro(u"every key", actions, 255));
    macros.push_back(macro(std::u16string(249, u'\u00e9'), {{0, 0x15E, 0}, {0, 0x15E, 1}}, 1));
    macros.push_back(macro(u"", {}, 0));
    return macros;
}

TEST(MacroArea, BuildThenDecodeGivesTheMacrosBack) {
    const auto macros = everyKeyMacros();
    for (const bool names : {true, false}) {
        const auto sizes = macroAreaSizes(macros);
        const auto area = buildMacroArea(macros, names ? sizes.full : sizes.minimal, names);
        const auto back = decodeMacroArea(area, loadU16(area, 4), u"Macro ");
        ASSERT_EQ(back.size(), macros.size());
        for (std::size_t i = 0; i < macros.size(); ++i) {
            EXPECT_EQ(back[i].macroId, i + 1);
            EXPECT_EQ(back[i].repeatCount, macros[i].repeatCount);
            ASSERT_EQ(back[i].actionCount, macros[i].actionCount);
            for (std::size_t a = 0; a < macros[i].actionCount; ++a) {
                MacroAction expected = macros[i].actions[a];
                if (expected.keyCode == 0x146) {
                    expected.keyCode = 0x045; // Break is sent with Pause's usage
                }
                EXPECT_EQ(back[i].actions[a], expected) << i << " " << a;
            }
        }
        const std::u16string expectedName(names ? macros[1].nameView() : u"Macro 2");
        EXPECT_EQ(back[1].nameView(), expectedName);
        EXPECT_EQ(back[2].nameView(), u"Macro 3"); // a macro without a name gets one
    }
}

TEST(MacroArea, DecodedMacrosAreNumberedFromOne) {
    // Two macros in a 60-byte area.
    const std::vector<MacroRecord> macros = {
        macro(u"x", {{0, 0x1E, 0}, {0, 0x1E, 1}, {0, 0x30, 0}, {0, 0x30, 1}}),
        macro(u"yy", {{0, 0x2E, 0}, {0, 0x2E, 1}, {0, 0x20, 0}, {0, 0x20, 1}}),
    };
    const auto sizes = macroAreaSizes(macros);
    ASSERT_EQ(sizes.minimal, 16u + 4 + 2 * 20);
    const auto back = decodeMacroArea(buildMacroArea(macros, 60, false), 2, u"M");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].macroId, 1);
    EXPECT_EQ(back[1].macroId, 2);
    EXPECT_EQ(back[0].pendingFlag | back[0].playMode | back[0].reserved501, 0);
}

// A hand-made area: header, then `offsets`, then `body` bytes.
std::vector<std::uint8_t> area(std::uint16_t count, std::vector<std::uint16_t> offsets,
                               std::vector<std::uint8_t> body) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.u16(kMacroAreaMagic);
    out.u16(0);
    out.u16(count);
    out.u16(1);
    out.zeros(8);
    for (auto o : offsets) {
        out.u16(o);
    }
    out.bytes(body);
    return bytes;
}

TEST(MacroArea, DecodeStaysInsideALyingArea) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::uint16_t macroCount;
        std::size_t macros;
        std::vector<std::uint16_t> actionCounts; // of each decoded macro
        std::vector<std::u16string> names;
    };
    // One macro at offset 18 declaring 60000 actions, three present.
    std::vector<std::uint8_t> manyActions = {0x60, 0xEA, 1, 0};
    for (int a = 0; a < 3; ++a) {
        manyActions.insert(manyActions.end(), {0x00, 0xA0, 0x02, 0x04});
    }
    // 2500 actions all present: the record holds 2000.
    std::vector<std::uint8_t> tooMany = {0xC4, 0x09, 1, 0};
    for (int a = 0; a < 2500; ++a) {
        tooMany.insert(tooMany.end(), {0x00, 0xA0, 0x02, 0x04});
    }
    const std::vector<Case> cases = {
        {"count the area cannot hold", area(65535, {}, {}), 65535, 0, {}, {}},
        {"offset table cut short", area(3, {}, {20, 0, 0}), 3, 1, {0}, {u"M1"}},
        {"offset past the end keeps the position",
         area(2, {0xFFFF, 20}, {0, 0, 0, 0}),
         2,
         2,
         {0, 0},
         {u"M1", u"M2"}},
        {"macro header cut short", area(1, {18}, {1, 0}), 1, 1, {0}, {u"M1"}},
        {"actionCount past the end", area(1, {18}, manyActions), 1, 1, {3}, {u"M1"}},
        {"actionCount above 2000", area(1, {18}, tooMany), 1, 1, {2000}, {u"M1"}},
        {"name past the end", area(1, {18}, {0, 0, 1, 200, 'z', 0}), 1, 1, {0}, {u"z"}},
        {"name length without characters", area(1, {18}, {0, 0, 1, 5}), 1, 1, {0}, {u"M1"}},
        {"name cut in half a character",
         area(1, {18}, {0, 0, 1, 2, 'q', 0, 'r'}),
         1,
         1,
         {0},
         {u"q"}},
        // Reads the header as a macro: 0x55AA actions declared, the three that fit taken.
        {"offset into the header", area(1, {0}, {}), 1, 1, {3}, {u"M1"}},
        {"area shorter than its header",
         std::vector<std::uint8_t>{0xAA, 0x55, 0, 0, 5},
         5,
         0,
         {},
         {}},
    };
    for (const auto& c : cases) {
        const auto macros = decodeMacroArea(c.bytes, c.macroCount, u"M");
        ASSERT_EQ(macros.size(), c.macros) << c.name;
        for (std::size_t i = 0; i < macros.size(); ++i) {
            EXPECT_EQ(macros[i].actionCount, c.actionCounts[i]) << c.name;
            EXPECT_EQ(macros[i].nameView(), c.names[i]) << c.name;
            EXPECT_EQ(macros[i].macroId, i + 1) << c.name;
        }
    }
}

TEST(MacroArea, DecodeTakesNoMoreThanAListHolds) {
    std::vector<MacroRecord> macros(150, macro(u"m", {{0, 0x1E, 0}}));
    const auto sizes = macroAreaSizes(macros);
    const auto decoded = decodeMacroArea(buildMacroArea(macros, sizes.full, true), 150, u"M");
    EXPECT_EQ(decoded.size(), kMacroCountMax);
}

} // namespace
} // namespace kw
