#include "core/base/atomic_file.h"
#include "core/base/ini_file.h"
#include "testsupport/temp_dir.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

std::string fileText(const std::filesystem::path& file) {
    const auto bytes = readFileBytes(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<unreadable>");
}

TEST(IniDocument, LooksUpValuesByTheReadingRules) {
    const auto doc = IniDocument::parse("top=before any section\n"
                                        "[Text]\n"
                                        "  Caption  =  Hello  world  \n"
                                        "Empty=\n"
                                        "Quoted=\"  padded  \"\n"
                                        "Single='single'\n"
                                        "Mixed=\"mixed'\n"
                                        "Half=\"open\n"
                                        "no equals sign here\n"
                                        "=value without a name\n"
                                        "; comment=a key like any other\n"
                                        "#hash=too\n"
                                        "Dup=first\n"
                                        "dup=second\n"
                                        "bare\n"
                                        "bare=after the bare line\n"
                                        "\v\f\x1A blanks\x1A=\x1Aother blanks\f\n"
                                        "[Other]\n"
                                        "Caption=other\n"
                                        "[x]y]\n"
                                        "k=up to the last bracket\n"
                                        "[no close=a key\n"
                                        "[text]\n"
                                        "Late=in a repeated section\n"
                                        "[]\n"
                                        "unnamed=never read\n");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"TEXT", "caption", "Hello  world"},    // names without case, inner blanks kept
        {" Text ", " Caption", "Hello  world"}, // blanks around names do not count
        {"Text", "Empty", ""},                  // present but empty
        {"Text", "Quoted", "  padded  "},       // one pair of quotes stripped
        {"Text", "Single", "single"},           // single quotes too
        {"Text", "Mixed", "\"mixed'"},          // but only a matching pair
        {"Text", "Half", "\"open"},             // a lone quote stays
        {"Text", "Dup", "first"},               // the first of two spellings wins
        {"Text", "", "value without a name"},
        {"Text", "; comment", "a key like any other"},
        {"Text", "#hash", "too"},
        {"Text", "blanks", "other blanks"}, // vertical tab, form feed, Ctrl-Z are blanks
        {"Other", "Caption", "other"},
        {"x]y", "k", "up to the last bracket"},
        {"x]y", "[no close", "a key"},
        {"", "top", "before any section"},
        {"Text", "Missing", std::nullopt},
        {"Missing", "Caption", std::nullopt},
        {"Text", "no equals sign here", std::nullopt}, // a key without a value
        {"Text", "bare", std::nullopt},                // and it hides a later line
        {"Text", "Late", std::nullopt},                // only the first section of a name is read
        {"", "unnamed", std::nullopt},                 // "" is the part before the first header
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc.value(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
    EXPECT_EQ(doc.keys("text"),
              (std::vector<std::string>{"Caption", "Empty", "Quoted", "Single", "Mixed", "Half",
                                        "; comment", "#hash", "Dup", "bare", "blanks"}));
    EXPECT_EQ(doc.sections(), (std::vector<std::string>{"Text", "Other", "x]y", ""}));
}

TEST(IniDocument, LinesEndAtLfCrLfOrALoneCr) {
    const auto doc = IniDocument::parse("[S]\ra=1\r\nb=2\nc=3\r\r\nd=4");
    EXPECT_EQ(doc.value("S", "a"), "1");
    EXPECT_EQ(doc.value("S", "b"), "2");
    EXPECT_EQ(doc.value("S", "c"), "3");
    EXPECT_EQ(doc.value("S", "d"), "4");
    EXPECT_EQ(doc.serialize(), "[S]\ra=1\r\nb=2\nc=3\r\r\nd=4");
}

TEST(IniDocument, CutsValuesTo259Utf16Units) {
    const std::string ascii(300, 'x');
    // 258 ASCII characters and a character outside the BMP: the pair would straddle the cut.
    const std::string straddling = std::string(258, 'y') + "\xF0\x9F\x8E\xB9";
    std::string twoByte;
    for (int i = 0; i < 300; ++i) {
        twoByte += "\xC3\xA7"; // ç: one unit, two bytes
    }
    const auto doc = IniDocument::parse("[S]\nascii=" + ascii + "\nstraddling=" + straddling +
                                        "\ntwoByte=" + twoByte + "\n");
    EXPECT_EQ(doc.value("S", "ascii"), std::string(259, 'x'));
    EXPECT_EQ(doc.value("S", "straddling"), std::string(258, 'y'));
    EXPECT_EQ(doc.value("S", "twoByte")->size(), 259u * 2);
}

TEST(IniDocument, QuotedValuesAreCutWithTheirClosingQuote) {
    // The closing quote counts while the quoted text fits the buffer of 260
    // whole: 259 characters in quotes come back as 258, as the platform has it.
    struct Case {
        std::size_t inside;
        std::size_t expected;
    };
    const Case cases[] = {{258, 258}, {259, 258}, {260, 259}, {300, 259}};
    for (const auto& c : cases) {
        const auto doc = IniDocument::parse("[S]\nk=\"" + std::string(c.inside, 'q') + "\"\n");
        EXPECT_EQ(doc.value("S", "k"), std::string(c.expected, 'q')) << c.inside;
    }
}

TEST(IniDocument, ReadsEveryEncodingTheFilesCanHave) {
    const std::string utf8Body = "[TEXT]\r\nNAME=Configura\xC3\xA7\xC3\xA3o\r\n";
    auto utf16 = [](bool bigEndian, const std::u16string& text) {
        std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t c : text) {
            const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        }
        return out;
    };
    const std::u16string body16 = u"[TEXT]\r\nNAME=Configuração\r\n";
    const std::string inputs[] = {
        utf8Body,
        "\xEF\xBB\xBF" + utf8Body,
        utf16(false, body16),
        utf16(true, body16),
        utf16(false, body16) + "\x41", // a stray odd byte at the end is dropped
    };
    for (const auto& bytes : inputs) {
        EXPECT_EQ(IniDocument::parse(bytes).value("text", "name"), "Configura\xC3\xA7\xC3\xA3o");
    }
}

TEST(IniDocument, GarbageNeverCrashesAndYieldsNothing) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 131) & 0xFF));
    }
    const std::string inputs[] = {"",   "\xFF",           "\xFE", "[",
                                  "[]", "[unclosed\nk=v", binary, std::string("[S]\nk=a\0b\n", 10)};
    for (const auto& bytes : inputs) {
        const auto doc = IniDocument::parse(bytes);
        (void)doc.value("S", "k");
        (void)doc.keys("S");
        EXPECT_EQ(IniDocument::parse(doc.serialize()).serialize(), doc.serialize());
    }
    EXPECT_FALSE(IniDocument::parse("[unclosed\nk=v").value("unclosed", "k"));
}

TEST(IniDocument, SetKeepsEveryOtherLineByteForByte) {
    struct Case {
        const char* name;
        std::string before;
        std::string section, key, value;
        std::string after;
    };
    const Case cases[] = {
        {"replace keeps comments, spelling and CR LF",
         "; top comment\r\n[Main]\r\n  Flip = 1 \r\nOther=x\r\n", "main", "FLIP", "0",
         "; top comment\r\n[Main]\r\nFlip=0\r\nOther=x\r\n"},
        {"new key goes after the section's last line, before blank lines", "[A]\nx=1\n\n[B]\ny=2\n",
         "A", "z", "3", "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
        {"new section appended, missing last line end added", "[A]\nx=1", "B", "k", "v",
         "[A]\nx=1\n[B]\nk=v\n"},
        {"CR LF of the file used for new lines", "[A]\r\nx=1\r\n", "B", "k", "v",
         "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        {"empty file", "", "S", "k", "", "[S]\nk=\n"},
        {"outer blanks and quotes survive a round trip", "[S]\n", "S", "k", " spaced ",
         "[S]\nk=\" spaced \"\n"},
        {"BOM kept", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "2", "\xEF\xBB\xBF[S]\nk=2\n"},
        {"single quotes survive a round trip", "[S]\n", "S", "k", "'q'", "[S]\nk=\"'q'\"\n"},
        {"a key without a value gets one", "[S]\nbare\nz=1\n", "S", "bare", "now",
         "[S]\nbare=now\nz=1\n"},
        {"a key beginning with ';' is replaced like any other", "[S]\n;k=old\n", "S", ";k", "new",
         "[S]\n;k=new\n"},
        {"lone CR line ends kept and used", "[A]\rx=1\r", "A", "z", "3", "[A]\rx=1\rz=3\r"},
    };
    for (const auto& c : cases) {
        auto doc = IniDocument::parse(c.before);
        ASSERT_TRUE(doc.set(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(doc.serialize(), c.after) << c.name;
        EXPECT_EQ(IniDocument::parse(doc.serialize()).value(c.section, c.key), c.value) << c.name;
    }
}

TEST(IniDocument, RefusesNamesAndValuesThatWouldBreakTheFile) {
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"S", "k", "line\ninjected=1"},
        {"S", "k", "cr\r"},
        {"S", "k=x", "v"},
        {"S]", "k", "v"},
        {"S\n[T", "k", "v"},
        {"", "k", "v"},
        {"S", "", "v"},
        {"S", " k", "v"},
        {"S", "[k", "v"},
        {"S", "k\v", "v"},
        {"S", "k", std::string("a\0b", 3)},
    };
    const std::string original = "[S]\nk=old\n";
    for (const auto& c : cases) {
        auto doc = IniDocument::parse(original);
        EXPECT_FALSE(doc.set(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(doc.serialize(), original);
    }
}

TEST(IniDocument, RemoveDropsOnlyThatLine) {
    auto doc = IniDocument::parse("[S]\r\na=1\r\nB=2\r\nc=3\r\n");
    EXPECT_TRUE(doc.remove("s", "b"));
    EXPECT_FALSE(doc.remove("s", "b"));
    EXPECT_FALSE(doc.remove("missing", "a"));
    EXPECT_EQ(doc.serialize(), "[S]\r\na=1\r\nc=3\r\n");
}

TEST(IniDocument, Utf16FileIsRewrittenAsUtf8) {
    const std::string utf16 = std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE7\0\n\0", 18);
    auto doc = IniDocument::parse(utf16);
    ASSERT_TRUE(doc.set("S", "n", "1"));
    EXPECT_EQ(doc.serialize(), "\xEF\xBB\xBF[S]\nk=\xC3\xA7\nn=1\n");
}

TEST(ProfileFile, MissingAndEmptyAreToldApartByLength) {
    testing::TempDir dir;
    const auto file = dir / "lang.ini";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("[TEXT]\nEMPTY=\nNAME=Caf\xC3\xA9\n")));
    struct Case {
        const char* key;
        std::string text;
        std::size_t length;
    };
    const Case cases[] = {
        {"EMPTY", "", 0},
        {"NAME", "Caf\xC3\xA9", 4}, // length counts characters, not bytes
        {"MISSING", "#Error", 6},
    };
    for (const auto& c : cases) {
        const auto got = getProfileString(file, "TEXT", c.key, "#Error");
        EXPECT_EQ(got.text, c.text) << c.key;
        EXPECT_EQ(got.length, c.length) << c.key;
    }
    EXPECT_EQ(getProfileString(dir / "absent.ini", "TEXT", "NAME", "dflt").text, "dflt");
    EXPECT_EQ(getProfileString(dir.path(), "TEXT", "NAME", "dflt").text, "dflt"); // a folder
}

TEST(ProfileFile, EveryCallSeesTheFileAsItIsNow) {
    testing::TempDir dir;
    const auto file = dir / "a.ini";
    ASSERT_TRUE(writeProfileString(file, "S", "k", "one"));
    EXPECT_EQ(getProfileString(file, "S", "k", "").text, "one");
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("[S]\nk=two\n")));
    EXPECT_EQ(getProfileString(file, "S", "k", "").text, "two");
}

TEST(ProfileFile, WritingCreatesTheFileAndKeepsTheRest) {
    testing::TempDir dir;
    const auto file = dir / "wskb.ini";
    ASSERT_TRUE(writeProfileString(file, "KEYCOLOR", "DengCheck", "1"));
    EXPECT_EQ(fileText(file), "[KEYCOLOR]\nDengCheck=1\n");

    ASSERT_TRUE(writeFileAtomically(file, std::string_view("; mine\r\n[KEYCOLOR]\r\nDengCheck=1\r\n"
                                                           "[X]\r\ny=2\r\n")));
    ASSERT_TRUE(writeProfileString(file, "keycolor", "dengcheck", "0"));
    ASSERT_TRUE(writeProfileString(file, "New", "k", "v"));
    EXPECT_EQ(fileText(file),
              "; mine\r\n[KEYCOLOR]\r\nDengCheck=0\r\n[X]\r\ny=2\r\n[New]\r\nk=v\r\n");

    ASSERT_TRUE(deleteProfileKey(file, "X", "y"));
    ASSERT_TRUE(deleteProfileKey(file, "X", "y")); // already gone
    EXPECT_EQ(fileText(file), "; mine\r\n[KEYCOLOR]\r\nDengCheck=0\r\n[X]\r\n[New]\r\nk=v\r\n");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ProfileFile, AFileTooLargeToReadIsNeverOverwritten) {
    testing::TempDir dir;
    const auto file = dir / "huge.ini";
    ASSERT_TRUE(writeFileAtomically(file, "[S]\nk=v\n" + std::string(kIniMaxFileBytes, ';')));
    EXPECT_EQ(getProfileString(file, "S", "k", "dflt").text, "dflt"); // reads as empty
    EXPECT_FALSE(writeProfileString(file, "S", "k", "new"));
    EXPECT_EQ(std::filesystem::file_size(file), kIniMaxFileBytes + 8);
}

TEST(ProfileFile, WritingIntoAMissingFolderFails) {
    testing::TempDir dir;
    EXPECT_FALSE(writeProfileString(dir / "no" / "such.ini", "S", "k", "v"));
}

} // namespace
} // namespace kw
