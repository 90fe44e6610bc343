#include "core/keys/key_names.h"

#include "core/keys/key_table.h"
#include "core/keys/media_keys.h"
#include "core/skin/language.h"
#include "core/skin/text_keys.h"

namespace kw {

std::string KeyNameOf(KeyCode code, const Language& language, int languageIndex) {
    if (const KeyRow* row = KeyRowOf(code); row && !row->nameKey.empty()) {
        std::string text = language.LookupText(row->nameKey, languageIndex);
        if (!text.empty()) {
            return text;
        }
    }
    return Language::formatWithNumber(language.LookupText(text_keys::UNKNOWN_KEY, languageIndex),
                                      code);
}

std::string KeyNameOf(KeyCode code, const Language& language) {
    return KeyNameOf(code, language, language.CurrentLanguageIndex());
}

std::string ListEntryName(std::uint16_t position, const Language& language, int languageIndex) {
    const KeyRow* row = KeyRowOf(KeyCodeOfListPosition(position));
    // Row 0 is empty, so a position no row has ends here too.
    if (!row || row->nameKey.empty()) {
        return {};
    }
    return language.LookupText(row->nameKey, languageIndex);
}

std::string ListEntryName(std::uint16_t position, const Language& language) {
    return ListEntryName(position, language, language.CurrentLanguageIndex());
}

std::string MediaKeyName(int mediaIndex, const Language& language) {
    if (mediaIndex < 0 || mediaIndex >= kMediaKeyCount) {
        return {};
    }
    return KeyNameOf(MediaKeyTable()[mediaIndex].code, language);
}

std::string FunctionKeyName(int functionIndex, const Language& language) {
    if (functionIndex < 0 || functionIndex >= kFunctionKeyCount) {
        return {};
    }
    return language.text(FunctionKeyTable()[functionIndex]);
}

} // namespace kw
