#include "core/base/text.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(Text, RoundTripsAcrossAllPlanes) {
    const std::string samples[] = {"", "Home", "Configuração", "宏", "emoji \xF0\x9F\x8E\xB9"};
    for (const auto& s : samples) {
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(s)), s) << s;
    }
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x8E\xB9").size(), 2u); // surrogate pair
}

TEST(Text, InvalidInputBecomesReplacementCharacters) {
    struct Case {
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"\xFF", u"\uFFFD"},         // never a lead byte
        {"a\xC3", u"a\uFFFD"},       // truncated sequence at the end
        {"\xC0\x80", u"\uFFFD"},     // overlong NUL
        {"\xED\xA0\x80", u"\uFFFD"}, // encoded surrogate
        {"\xE2\x82x", u"\uFFFDx"},   // broken continuation keeps the next byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToUtf16(c.utf8), c.expected);
    }
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, CaseFoldingIsAsciiOnly) {
    EXPECT_TRUE(equalsIgnoreCase("ButtonInfo", "BUTTONINFO"));
    EXPECT_FALSE(equalsIgnoreCase("KEY_A", "KEY_AB"));
    EXPECT_EQ(asciiLower("Ção"), "Ção");
    EXPECT_EQ(trimBlanks(" \t key = \t"), "key =");
}

} // namespace
} // namespace kw
