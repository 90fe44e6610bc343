#include "core/base/ini_file.h"

#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/base/ini_cache.h"
#include "core/base/text.h"

#include <span>
#include <system_error>

namespace kw {

namespace {

bool isComment(std::string_view trimmed) {
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// The name of a "[name]" line; nullopt for every other line.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
    const auto trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line; nullopt for headers, comments and malformed lines.
std::optional<std::string_view> keyOf(std::string_view line) {
    const auto trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '[' || isComment(trimmed)) {
        return std::nullopt;
    }
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    const auto key = trimBlanks(trimmed.substr(0, eq));
    if (key.empty()) {
        return std::nullopt;
    }
    return key;
}

std::string_view rawValueOf(std::string_view line) {
    auto value = trimBlanks(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

bool hasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool isStorableName(std::string_view name) {
    return !name.empty() && trimBlanks(name).size() == name.size() && !hasLineBreakOrNul(name);
}

// Quotes a value whose outer blanks or quotes a reader would otherwise drop.
std::string encodeValue(std::string_view value) {
    const bool blanksAtEnds = trimBlanks(value).size() != value.size();
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
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
    if (units.size() > maxUnits) {
        units.resize(maxUnits);
        if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) {
            units.pop_back(); // half a pair is no character
        }
    }
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

    bool endSeen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto nl = text.find('\n', start);
        Line line;
        if (nl == std::string::npos) {
            line.text = text.substr(start);
            start = text.size();
        } else {
            line.text = text.substr(start, nl - start);
            line.end = "\n";
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.end = "\r\n";
            }
            start = nl + 1;
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

std::size_t IniDocument::findSection(std::string_view section) const {
    const auto wanted = trimBlanks(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionNameOf(lines_[i].text);
        if (name && equalsIgnoreCase(*name, wanted)) {
            return i;
        }
    }
    return lines_.size();
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !sectionNameOf(lines_[i].text)) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniDocument::findKey(std::string_view section,
                                                std::string_view key) const {
    const auto header = findSection(section);
    if (header == lines_.size()) {
        return std::nullopt;
    }
    const auto wanted = trimBlanks(key);
    const auto end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto name = keyOf(lines_[i].text);
        if (name && equalsIgnoreCase(*name, wanted)) {
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
    return cutToUtf16Units(rawValueOf(lines_[*at].text), kIniValueMaxChars);
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section) != lines_.size();
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> out;
    const auto header = findSection(section);
    if (header == lines_.size()) {
        return out;
    }
    const auto end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const auto name = keyOf(lines_[i].text);
        if (!name) {
            continue;
        }
        bool seen = false;
        for (const auto& k : out) {
            seen = seen || equalsIgnoreCase(k, *name);
        }
        if (!seen) {
            out.emplace_back(*name);
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
        isComment(key) || hasLineBreakOrNul(value)) {
        return false;
    }
    if (const auto at = findKey(section, key)) {
        auto& line = lines_[*at];
        const std::string spelling(*keyOf(line.text));
        line.text = spelling + "=" + encodeValue(value);
        return true;
    }
    const std::string newLine = std::string(key) + "=" + encodeValue(value);
    const auto header = findSection(section);
    if (header == lines_.size()) {
        insertLine(lines_.size(), "[" + std::string(section) + "]");
        insertLine(lines_.size(), newLine);
        return true;
    }
    // After the section's last non-blank line, so blank separators stay after it.
    std::size_t last = header;
    const auto end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (!trimBlanks(lines_[i].text).empty()) {
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
