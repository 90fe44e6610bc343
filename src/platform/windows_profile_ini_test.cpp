// Our INI reader and writer against the platform's own private-profile
// functions: every file of the table is read through both, key by key, and
// every write is made by both on copies of a file and read back through both.
// A lookup that differs names the file, the section, the key and both answers.

#include "core/base/atomic_file.h"
#include "core/base/ini_file.h"
#include "core/base/text.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace kw {
namespace {

// No trailing blanks: the platform drops them from a default.
constexpr const char* kDefault = "<default>";

struct Lookup {
    std::string section;
    std::string key;
};

struct Answer {
    std::string text;
    std::size_t length = 0;
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Answer& a) {
    return os << '"' << a.text << "\" (" << a.length << ")";
}

std::wstring wide(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string utf8(std::wstring_view text) {
    return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

Answer platformLookup(const std::filesystem::path& file, const Lookup& l) {
    wchar_t buffer[kIniValueMaxChars + 1] = {};
    const DWORD length = GetPrivateProfileStringW(wide(l.section).c_str(), wide(l.key).c_str(),
                                                  wide(kDefault).c_str(), buffer,
                                                  kIniValueMaxChars + 1, file.wstring().c_str());
    return {utf8(std::wstring_view(buffer, std::min<std::size_t>(length, kIniValueMaxChars))),
            length};
}

Answer ourLookup(const std::filesystem::path& file, const Lookup& l) {
    const ProfileString found = getProfileString(file, l.section, l.key, kDefault);
    return {found.text, found.length};
}

std::string utf16le(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// A case's description as a test name.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& param) {
    std::string name;
    for (char c : std::string(param.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

struct IniCase {
    const char* name;
    std::string content;
    std::vector<Lookup> lookups;
    friend void PrintTo(const IniCase& c, std::ostream* os) { *os << c.name; }
};

const std::string kLong300(300, 'a');

// Files without a BOM hold ASCII only: the platform reads them in the ANSI code
// page, and ours are UTF-8 (the shipped language files have no BOM). That one
// difference is ours to keep.

const IniCase kCases[] = {
    {"quotes",
     "[q]\n"
     "double=\"double\"\n"
     "single='single'\n"
     "mixed=\"mixed'\n"
     "inner=a \"b\" c\n"
     "lone=\"\n"
     "loneSingle='\n"
     "empty=\"\"\n"
     "emptySingle=''\n"
     "padded=  \" padded \"  \n"
     "open=\"abc\n"
     "twice=\"\"twice\"\"\n",
     {{"q", "double"},
      {"q", "single"},
      {"q", "mixed"},
      {"q", "inner"},
      {"q", "lone"},
      {"q", "loneSingle"},
      {"q", "empty"},
      {"q", "emptySingle"},
      {"q", "padded"},
      {"q", "open"},
      {"q", "twice"}}},
    {"blanks and tabs",
     "[ spaced ]\n"
     "  key1  =  value with spaces  \n"
     "\tkey2\t=\tvalue\twith\ttabs\t\n"
     "key3=\n"
     "key4 =   \n"
     "in side = v\n"
     "[tabs]\n"
     "\tk\t=\tv\n",
     {{"spaced", "key1"},
      {" spaced ", "key1"},
      {"spaced", "key2"},
      {"spaced", "key3"},
      {"spaced", "key4"},
      {"spaced", "in side"},
      {"spaced", " key1 "},
      {"tabs", "k"},
      {"\ttabs\t", "k"}}},
    {"case and names",
     "[MiXeD]\n"
     "Key=1\n"
     "k=a=b\n"
     "[s] trailing text\n"
     "t=after a header with text\n"
     "[unterminated\n"
     "u=in the section before\n"
     "[x]y]\n"
     "c=up to the last bracket\n",
     {{"mixed", "KEY"},
      {"MIXED", "key"},
      {"mixed", "k"},
      {"s", "t"},
      {"s", "u"},
      {"unterminated", "u"},
      {"[unterminated", "u"},
      {"mixed", "u"},
      {"x]y", "c"},
      {"x", "c"}}},
    {"duplicate keys and sections",
     "[dup]\n"
     "k=first\n"
     "K=second\n"
     "[other]\n"
     "x=1\n"
     "[DUP]\n"
     "k=third\n"
     "extra=only in the second\n",
     {{"dup", "k"}, {"other", "x"}, {"dup", "extra"}}},
    {"lines without an equals sign",
     "[n]\n"
     "justaword\n"
     "key=value\n"
     "another line here\n"
     "=no name\n"
     " = spaced no name\n"
     "bare\n"
     "bare=after the bare line\n"
     "[no close=value\n",
     {{"n", "justaword"},
      {"n", "key"},
      {"n", "another line here"},
      {"n", ""},
      {"n", " "},
      {"n", "bare"},
      {"n", "[no close"}}},
    {"keys before any section",
     "top=level\n"
     "second = two\n"
     "[s]\n"
     "k=v\n"
     "[]\n"
     "unnamed=a later section without a name\n",
     {{"", "top"}, {"", "second"}, {"s", "k"}, {"s", "top"}, {"", "unnamed"}}},
    {"a section without a name first",
     "[]\n"
     "b=2\n",
     {{"", "b"}}},
    {"comment lines",
     "; a comment\n"
     ";key=semicolon\n"
     "#hash=value\n"
     "[c]\n"
     "; note = x\n"
     ";ck=1\n"
     "#hk=2\n"
     "k=v ; not a comment\n"
     "  ;indented=3\n",
     {{"", ";key"},
      {"", "#hash"},
      {"c", ";ck"},
      {"c", "#hk"},
      {"c", "; note"},
      {"c", "k"},
      {"c", ";indented"}}},
    {"long values",
     "[l]\n"
     "long=" +
         kLong300 + "\n" + "exact=" + std::string(259, 'b') + "\n" +
         "over=" + std::string(260, 'c') + "\n" + "quoted=\"" + kLong300 + "\"\n" + "quoted259=\"" +
         std::string(259, 'd') + "\"\n",
     {{"l", "long"}, {"l", "exact"}, {"l", "over"}, {"l", "quoted"}, {"l", "quoted259"}}},
    {"UTF-8 with BOM",
     "\xEF\xBB\xBF[s]\n"
     "k=v\xC3\xA9\n"
     "long=" +
         std::string(258, 'x') + "\xC3\xA9z\n" + // the 259th character is two bytes
         "name\xC3\xA9=accented key\n",
     {{"s", "k"}, {"s", "long"}, {"s", "name\xC3\xA9"}, {"s", "NAME\xC3\x89"}}},
    {"UTF-16 little-endian",
     utf16le(u"[s]\r\nk=wide\u00E9\r\n[\u4E2D]\r\nz=\u4E2D\u6587\r\n"),
     {{"s", "k"}, {"\xE4\xB8\xAD", "z"}}},
    {"UTF-16 big-endian", utf16le(u"[s]\r\nk=big\u00E9\r\n", true), {{"s", "k"}}},
    {"other blanks",
     "\xEF\xBB\xBF[v]\n"
     "\vvt\v=\vvertical tab\v\n"
     "\fff=form feed\f\n"
     "\x1Asub=\x1A"
     "Ctrl-Z\x1A\n"
     "nbsp=\xC2\xA0kept\xC2\xA0\n"
     "ideographic=\xE3\x80\x80kept\xE3\x80\x80\n",
     {{"v", "vt"}, {"v", "ff"}, {"v", "sub"}, {"v", "nbsp"}, {"v", "ideographic"}}},
    {"lone CR",
     "[s]\r"
     "lone=a\rb=c\r"
     "crcr=v\r\r\n"
     "after=1\r\n",
     {{"s", "lone"}, {"s", "b"}, {"s", "crcr"}, {"s", "after"}}},
    {"CR LF and mixed line ends",
     "[s]\r\n"
     "k=v\r\n"
     "k2 = v2 \r\n"
     "k3=unix\n"
     "\r\n"
     "[t]\r\n"
     "last=no line end",
     {{"s", "k"}, {"s", "k2"}, {"s", "k3"}, {"t", "last"}}},
    {"empty file", "", {{"s", "k"}, {"", ""}}},
    {"BOM only", "\xEF\xBB\xBF", {{"s", "k"}}},
};

class IniAgainstThePlatform : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniAgainstThePlatform, EveryLookupAgrees) {
    testing::TempDir dir;
    const auto file = dir / "case.ini";
    ASSERT_TRUE(writeFileAtomically(file, GetParam().content));
    for (const Lookup& l : GetParam().lookups) {
        EXPECT_EQ(ourLookup(file, l), platformLookup(file, l))
            << GetParam().name << ": [" << l.section << "] " << l.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, IniAgainstThePlatform, ::testing::ValuesIn(kCases),
                         caseName<IniCase>);

struct WriteCase {
    const char* name;
    std::string content;
    Lookup where;
    std::string value;
    // Read back after the write, besides the written key itself.
    std::vector<Lookup> others;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

const WriteCase kWrites[] = {
    {"new key in an existing section",
     "[s]\na=1\n\n[t]\nb=2\n",
     {"s", "new"},
     "value",
     {{"s", "a"}, {"t", "b"}}},
    {"existing key, other spelling",
     "[S]\nKey=old\nnext=1\n",
     {"s", "KEY"},
     "new",
     {{"s", "next"}}},
    {"new section in a CR LF file", "[s]\r\na=1\r\n", {"fresh", "k"}, "v", {{"s", "a"}}},
    {"missing file", "", {"s", "k"}, "v", {}},
    {"key of a duplicate section", "[d]\na=1\n[x]\n[D]\nb=2\n", {"d", "b"}, "new", {{"d", "a"}}},
    {"value with an equals sign", "[s]\n", {"s", "k"}, "a=b", {}},
    {"over a line without an equals sign", "[s]\nbare\nz=1\n", {"s", "bare"}, "now", {{"s", "z"}}},
    {"in a UTF-16 file", utf16le(u"[s]\r\na=\u00E9\r\n"), {"s", "b"}, "\xC3\xA9", {{"s", "a"}}},
    {"in a UTF-8 file with BOM", "\xEF\xBB\xBF[s]\na=1\n", {"s", "a"}, "\xC3\xA9", {}},
};

class IniWritesAgainstThePlatform : public ::testing::TestWithParam<WriteCase> {};

// The same write made by the platform and by us leaves files that read the
// same, through the platform and through our reader.
TEST_P(IniWritesAgainstThePlatform, BothFilesReadTheSame) {
    const WriteCase& c = GetParam();
    testing::TempDir dir;
    const auto theirs = dir / "theirs.ini";
    const auto ours = dir / "ours.ini";
    if (!c.content.empty()) {
        ASSERT_TRUE(writeFileAtomically(theirs, c.content));
        ASSERT_TRUE(writeFileAtomically(ours, c.content));
    }
    ASSERT_TRUE(WritePrivateProfileStringW(wide(c.where.section).c_str(), wide(c.where.key).c_str(),
                                           wide(c.value).c_str(), theirs.wstring().c_str()));
    ASSERT_TRUE(writeProfileString(ours, c.where.section, c.where.key, c.value));
    std::vector<Lookup> lookups = c.others;
    lookups.push_back(c.where);
    for (const Lookup& l : lookups) {
        const Answer expected = platformLookup(theirs, l);
        EXPECT_EQ(platformLookup(ours, l), expected)
            << c.name << ": [" << l.section << "] " << l.key;
        EXPECT_EQ(ourLookup(theirs, l), expected) << c.name << ": [" << l.section << "] " << l.key;
        EXPECT_EQ(ourLookup(ours, l), expected) << c.name << ": [" << l.section << "] " << l.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Writes, IniWritesAgainstThePlatform, ::testing::ValuesIn(kWrites),
                         caseName<WriteCase>);

} // namespace
} // namespace kw
