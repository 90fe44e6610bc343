#include "layout_description.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kw::skingen {
namespace {

TEST(LayoutDescription, ReadsWindowPicturesAndControls) {
    const WindowDescription window = parseWindowDescription(R"(
# a comment line
window Main.ini 1000 560
screen Link https://example.org/a b
picture main_over.jpg over
picture macro_down.jpg down macro
key   KEY_004  10 20 34 34  #\n3
pill@macro,macro2 FUNC_ADD 5 6 7 8
card  -  0 0 10 10
)",
                                                            "test.txt");
    EXPECT_EQ(window.iniFile, "Main.ini");
    EXPECT_EQ(window.width, 1000);
    EXPECT_EQ(window.height, 560);
    ASSERT_EQ(window.screen.size(), 1u);
    EXPECT_EQ(window.screen[0].second, "https://example.org/a b");
    ASSERT_EQ(window.pictures.size(), 2u);
    EXPECT_EQ(window.pictures[1].state, PictureState::Down);
    EXPECT_EQ(window.pictures[1].page, "macro");
    const Item* key = window.find("KEY_004");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->label, "#\\n3"); // '#' inside a line is a legend, not a comment
    EXPECT_EQ(key->x, 10);
    EXPECT_EQ(key->height, 34);
    const Item* add = window.find("FUNC_ADD");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->style, "pill");
    EXPECT_EQ(add->page, "macro,macro2");
    EXPECT_EQ(window.items.size(), 3u);
}

TEST(LayoutDescription, MistakesNameTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"window A.ini 10 10\nkey K 1 1 5 5\nkey K 9 9 5 5\n", "test.txt:3: key K is placed twice"},
        {"window A.ini 10 10\nkey K 1 1 0 5\n", "test.txt:2: a control needs a positive size"},
        {"window A.ini 10 10\nkey K 1 1\n", "test.txt:2: expected"},
        {"window A.ini 10 10\npicture a.jpg sideways\n",
         "test.txt:2: unknown picture state 'sideways'"},
        {"key K 1 1 5 5\n", "no window line"},
    };
    for (const Case& c : cases) {
        try {
            parseWindowDescription(c.text, "test.txt");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

} // namespace
} // namespace kw::skingen
