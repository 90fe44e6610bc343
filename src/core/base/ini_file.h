#pragma once
// INI files with the rules the program's files were written for on Windows,
// as the platform's private-profile functions read them: section and key
// names compare without case, a missing value yields the caller's default,
// values are cut to 259 characters, blanks around keys and values and one pair
// of surrounding double or single quotes are dropped. Only the first section
// of a name is read, and in it the first line of a key. Every line that is
// neither blank nor a "[section]" header is a key, so lines beginning with ';'
// or '#' are keys too (no comment syntax), a line without '=' is a key without
// a value (read as missing), "=value" has an empty name, and the lines before
// the first header form a section named "". Lines end at LF, CR LF or CR.
// Writing one key keeps every other line of the file byte for byte.
//
// Files are read as UTF-8 (with or without BOM) or UTF-16 with BOM and written
// as UTF-8, keeping the file's line ends. The platform reads a file without BOM
// in the ANSI code page instead; ours are UTF-8. A file that cannot be read, or
// is too large to be an INI file, reads as empty.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// The longest value a lookup returns, in UTF-16 code units (a buffer of 260).
inline constexpr std::size_t kIniValueMaxChars = 259;
// Larger files are not INI files the program wrote or shipped; they read as empty.
inline constexpr std::size_t kIniMaxFileBytes = 16u << 20;

// A whole file held in memory, for callers that read many keys of one file.
class IniDocument {
public:
    IniDocument() = default;

    // The file's content, or an empty document when it cannot be read.
    static IniDocument load(const std::filesystem::path& file);
    // The same, but nullopt when the file exists and cannot be read: a writer
    // must not replace a file it could not read with one holding a single key.
    static std::optional<IniDocument> loadForUpdate(const std::filesystem::path& file);
    // Raw file bytes: BOM detection, UTF-16 decoding, line splitting.
    static IniDocument parse(std::string_view bytes);

    // The value, cut to kIniValueMaxChars; nullopt when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;
    // Names of the keys of a section that have a name and a value, in file
    // order (first spelling of each); empty when the section is missing.
    std::vector<std::string> keys(std::string_view section) const;
    std::vector<std::string> sections() const;

    // Sets one value, adding the key or the section when missing. False (and
    // nothing changed) when a name or the value cannot be stored in an INI line.
    bool set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key; true when it was there.
    bool remove(std::string_view section, std::string_view key);

    // UTF-8 text of the document, with the line ends and BOM the file had.
    std::string serialize() const;
    // Writes the document to a temporary file and renames it over `file`.
    bool save(const std::filesystem::path& file) const;

private:
    struct Line {
        std::string text; // without its line end
        std::string end;  // "\n", "\r\n" or empty for a last line without one
    };
    // The lines of the first section with that name, after its header. The
    // lines before the first header are a section without a name that comes
    // first, so a lookup of "" reads them and never a later "[]".
    struct SectionLines {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    std::optional<SectionLines> findSection(std::string_view section) const;
    // The first header at or after `begin` (lines_.size() when there is none).
    std::size_t sectionEnd(std::size_t begin) const;
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
    void insertLine(std::size_t at, std::string text);

    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";
    bool bom_ = false;
};

// The result of a single lookup, as the private-profile read reports it: the
// text (the default when missing) and its length in UTF-16 code units. A key
// that is present with an empty value gives "" and length 0.
struct ProfileString {
    std::string text;
    std::size_t length = 0;
};

// Reads the file anew on every call (no caching), like the Windows call.
ProfileString getProfileString(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view fallback);
// Sets one key, creating the file and the section when needed; atomic.
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);
// Removes one key; true when the file no longer holds it.
bool deleteProfileKey(const std::filesystem::path& file, std::string_view section,
                      std::string_view key);

// Text cut to at most `maxUnits` UTF-16 code units, never inside a surrogate pair.
std::string cutToUtf16Units(std::string_view utf8, std::size_t maxUnits);

} // namespace kw
