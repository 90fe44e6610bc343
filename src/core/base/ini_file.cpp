#include "core/base/ini_file.h"

#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/base/ini_cache.h"
#include "core/base/text.h"

#include <span>
#include <system_error>

namespace kw {

namespace {

// The blanks the platform's reader drops around names and values: ASCII white
// space and Ctrl-Z (an old end-of-file mark). Other Unicode spaces are kept.
bool isIniBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1A';
}

std::string_view trimIni(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isIniBlank(text[b])) {
        ++b;
    }
    while (e > b && isIniBlank(text[e - 1])) {
        --e;
    }
    return text.substr(b, e - b);
}

// The name of a "[name]" line, up to its last ']'; nullopt for every other line.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
    const auto trimmed = trimIni(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const auto close = trimmed.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimIni(trimmed.substr(1, close - 1));
}

// Every other line that is not blank is a key, as the platform reads it: lines
// beginning with ';' or '#' too, and a line without '=' is a key without a
// value, which reads as missing. The name may be empty ("=value").
struct KeyLine {
    std::string_view name;
    std::optional<std::string_view> value;
};

std::optional<KeyLine> keyOf(std::string_view line) {
    const auto trimmed = trimIni(line);
    if (trimmed.empty() || sectionNameOf(trimmed)) {
        return std::nullopt;
    }
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return KeyLine{trimmed, std::nullopt};
    }
    return KeyLine{trimIni(trimmed.substr(0, eq)), trimIni(trimmed.substr(eq + 1))};
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Cut to `maxUnits`, never inside a surrogate pair.
void cutUnits(std::u16string& units, std::size_t maxUnits) {
    if (units.size() > maxUnits) {
        units.resize(maxUnits);
        if (!units.empty() && isHighSurrogate(units.back())) {
            units.pop_back(); // half a pair is no character
        }
    }
}

// One pair of matching single or double quotes around the value is dropped.
// The platform cuts the quoted text together with its closing quote and then
// drops the last character whenever the quoted text fits its buffer whole, so
// a quoted value of exactly 259 characters comes back with 258; so does ours.
std::string valueText(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!quoted) {
        return cutToUtf16Units(value, kIniValueMaxChars);
    }
    std::u16string units = utf8ToUtf16(value.substr(1)); // with the closing quote
    const bool fits = units.size() <= kIniValueMaxChars + 1;
    cutUnits(units, kIniValueMaxChars);
    if (fits && !units.empty()) {
        units.pop_back();
        if (!units.empty() && isHighSurrogate(units.back())) {
            units.pop_back();
        }
    }
    return utf16ToUtf8(units);
}

bool hasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool isStorableName(std::string_view name) {
    return !name.empty() && trimIni(name).size() == name.size() && !hasLineBreakOrNul(name);
}

// Quotes a value whose outer blanks or quotes a reader would otherwise drop.
std::string encodeValue(std::string_view value) {
    const bool blanksAtEnds = trimIni(value).size() != value.size();
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (blanksAtEnds || quoted) {
        return "\"" + std::string(value) + "\"";
    }
    return std::string(value);
}

std::string decodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    ByteReader reader(bytes);
    std::u16string units;
    units.reserve(bytes.size() / 2);
    while (reader.has(2)) {
        const std::uint16_t unit = reader.u16();
        units.push_back(static_cast<char16_t>(
            bigEndian ? static_cast<std::uint16_t>((unit >> 8) | (unit << 8)) : unit));
    }
    return utf16ToUtf8(units);
}

} // namespace

std::string cutToUtf16Units(std::string_view utf8, std::size_t maxUnits) {
    std::u16string units = utf8ToUtf16(utf8);
    cutUnits(units, maxUnits);
    return utf16ToUtf8(units);
}

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::span<const std::uint8_t> raw(data, bytes.size());
    std::string text;
    if (raw.size() >= 3 && raw[0] == 0xEF && raw[1] == 0xBB && raw[2] == 0xBF) {
        doc.bom_ = true;
        text.assign(bytes.substr(3));
    } else if (raw.size() >= 2 && raw[0] == 0xFF && raw[1] == 0xFE) {
        doc.bom_ = true;
        text = decodeUtf16(raw.subspan(2), false);
    } else if (raw.size() >= 2 && raw[0] == 0xFE && raw[1] == 0xFF) {
        doc.bom_ = true;
        text = decodeUtf16(raw.subspan(2), true);
    } else {
        text.assign(bytes);
    }

    // Lines end at LF, CR LF or a CR alone, as the platform's reader splits them.
    bool endSeen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto brk = text.find_first_of("\r\n", start);
        Line line;
        if (brk == std::string::npos) {
            line.text = text.substr(start);
            start = text.size();
        } else {
            line.text = text.substr(start, brk - start);
            const bool crlf = text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n';
            line.end = crlf ? "\r\n" : text.substr(brk, 1);
            start = brk + line.end.size();
            if (!endSeen) {
                doc.lineEnd_ = line.end;
                endSeen = true;
            }
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

IniDocument IniDocument::load(const std::filesystem::path& file) {
    return loadForUpdate(file).value_or(IniDocument{});
}

std::optional<IniDocument> IniDocument::loadForUpdate(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) {
        return IniDocument{};
    }
    const auto bytes = readFileBytes(file, kIniMaxFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::optional<IniDocument::SectionLines> IniDocument::findSection(std::string_view section) const {
    const auto wanted = trimIni(section);
    const std::size_t firstHeader = sectionEnd(0);
    if (wanted.empty()) {
        return SectionLines{0, firstHeader};
    }
    for (std::size_t i = firstHeader; i < lines_.size(); ++i) {
        const auto name = sectionNameOf(lines_[i].text);
        if (name && equalsIgnoreCase(*name, wanted)) {
            return SectionLines{i + 1, sectionEnd(i + 1)};
        }
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t begin) const {
    std::size_t i = begin;
    while (i < lines_.size() && !sectionNameOf(lines_[i].text)) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniDocument::findKey(std::string_view section,
                                                std::string_view key) const {
    const auto lines = findSection(section);
    if (!lines) {
        return std::nullopt;
    }
    const auto wanted = trimIni(key);
    for (std::size_t i = lines->begin; i < lines->end; ++i) {
        const auto found = keyOf(lines_[i].text);
        if (found && equalsIgnoreCase(found->name, wanted)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto at = findKey(section, key);
    if (!at) {
        return std::nullopt;
    }
    // The first line of the name decides, even when it holds no value.
    const auto value = keyOf(lines_[*at].text)->value;
    if (!value) {
        return std::nullopt;
    }
    return valueText(*value);
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section).has_value();
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> out;
    const auto lines = findSection(section);
    if (!lines) {
        return out;
    }
    for (std::size_t i = lines->begin; i < lines->end; ++i) {
        const auto found = keyOf(lines_[i].text);
        if (!found || !found->value || found->name.empty()) {
            continue;
        }
        bool seen = false;
        for (const auto& k : out) {
            seen = seen || equalsIgnoreCase(k, found->name);
        }
        if (!seen) {
            out.emplace_back(found->name);
        }
    }
    return out;
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> out;
    for (const auto& line : lines_) {
        const auto name = sectionNameOf(line.text);
        if (!name) {
            continue;
        }
        bool seen = false;
        for (const auto& s : out) {
            seen = seen || equalsIgnoreCase(s, *name);
        }
        if (!seen) {
            out.emplace_back(*name);
        }
    }
    return out;
}

void IniDocument::insertLine(std::size_t at, std::string text) {
    if (at == lines_.size() && !lines_.empty() && lines_.back().end.empty()) {
        lines_.back().end = lineEnd_;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), lineEnd_});
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    // A line break in any part would let a value write lines of its own.
    if (!isStorableName(section) || section.find(']') != std::string_view::npos ||
        !isStorableName(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        hasLineBreakOrNul(value)) {
        return false;
    }
    if (const auto at = findKey(section, key)) {
        auto& line = lines_[*at];
        const std::string spelling(keyOf(line.text)->name);
        line.text = spelling + "=" + encodeValue(value);
        return true;
    }
    const std::string newLine = std::string(key) + "=" + encodeValue(value);
    const auto lines = findSection(section);
    if (!lines) {
        insertLine(lines_.size(), "[" + std::string(section) + "]");
        insertLine(lines_.size(), newLine);
        return true;
    }
    // After the section's last non-blank line, so blank separators stay after it.
    std::size_t last = lines->begin - 1; // the header
    for (std::size_t i = lines->begin; i < lines->end; ++i) {
        if (!trimIni(lines_[i].text).empty()) {
            last = i;
        }
    }
    insertLine(last + 1, newLine);
    return true;
}

bool IniDocument::remove(std::string_view section, std::string_view key) {
    const auto at = findKey(section, key);
    if (!at) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    return true;
}

std::string IniDocument::serialize() const {
    std::string out = bom_ ? "\xEF\xBB\xBF" : "";
    for (const auto& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

bool IniDocument::save(const std::filesystem::path& file) const {
    return writeFileAtomically(file, serialize());
}

ProfileString getProfileString(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view fallback) {
    const auto doc = CachedIniDocument(file);
    ProfileString result;
    if (auto value = doc->value(section, key)) {
        result.text = std::move(*value);
    } else {
        result.text = cutToUtf16Units(fallback, kIniValueMaxChars);
    }
    result.length = utf8ToUtf16(result.text).size();
    return result;
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
    auto doc = IniDocument::loadForUpdate(file);
    return doc && doc->set(section, key, value) && doc->save(file);
}

bool deleteProfileKey(const std::filesystem::path& file, std::string_view section,
                      std::string_view key) {
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc) {
        return false;
    }
    return !doc->remove(section, key) || doc->save(file);
}

} // namespace kw
