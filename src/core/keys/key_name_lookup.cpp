#include "core/keys/key_name_lookup.h"

#include "core/keys/key_table.h"

#include <cctype>

namespace kw {

namespace {

constexpr std::string_view kNameKeyPrefix = "IDS_KEYBOARD_";

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) {
            return false;
        }
    }
    return true;
}

} // namespace

KeyCode KeyCodeOfListName(std::string_view name) {
    if (name.empty()) {
        return kNoKey;
    }
    const KeyTableRows& rows = KeyTable();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const KeyRow& r = rows[row];
        if (r.listPosition == kNotInKeyList) {
            continue;
        }
        std::string_view shortKey = r.nameKey;
        if (shortKey.starts_with(kNameKeyPrefix)) {
            shortKey.remove_prefix(kNameKeyPrefix.size());
        }
        if (sameIgnoringCase(name, r.englishName) || sameIgnoringCase(name, shortKey)) {
            return KeyCodeOfIndex(static_cast<std::uint16_t>(row));
        }
    }
    return kNoKey;
}

KeyCode KeyCodeOfName(std::string_view name) {
    if (name.size() == 2 && (name[0] == 'G' || name[0] == 'g') && name[1] >= '1' &&
        name[1] <= '0' + kGKeyCount) {
        return GKeyCode(name[1] - '0');
    }
    return KeyCodeOfListName(name);
}

} // namespace kw
