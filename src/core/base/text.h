#pragma once
// Conversions between the UTF-8 text the program works in and the UTF-16
// that the keyboard's files and some INI files hold. Invalid sequences become
// U+FFFD rather than failing: text from files is never trusted.

#include <string>
#include <string_view>

namespace kw {

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// ASCII-only case folding, as names of INI sections and keys compare.
std::string asciiLower(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Leading and trailing spaces and tabs removed.
std::string_view trimBlanks(std::string_view text);

} // namespace kw
