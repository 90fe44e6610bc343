#include "cli/config_json.h"

#include "core/base/text.h"
#include "core/config/config_block.h"
#include "core/config/config_image.h"
#include "core/keys/key_codes.h"
#include "core/keys/key_names.h"

#include <array>
#include <mutex>
#include <string>

namespace kw::cli {

namespace {

using json = nlohmann::ordered_json;

constexpr std::array<std::string_view, 9> kTypeNames = {"KeyDefault", "KeyDisabled", "KeySingle",
                                                        "KeyLaunch",  "KeyMacro",    "KeySpecial",
                                                        "KeyText",    "KeyMedia",    "KeyFunction"};

// The name of the key an entry belongs to; G-keys by their key caps.
std::string keyNameOfIndex(int keyIndex, const Language& language) {
    if (keyIndex < kFirstGKeyIndex) {
        return KeyNameOf(KeyCodeOfIndex(static_cast<std::uint16_t>(keyIndex)), language);
    }
    return "G" + std::to_string((keyIndex - kFirstGKeyIndex) % kGKeyCount + 1);
}

// A fresh entry: default type, nothing stored, at most the G-key identity.
bool isFresh(const KeyEntry& e, int keyIndex) {
    return e.type == KeyEntryType::KeyDefault && e.value == 0 && e.mark == 0 && e.extra == 0 &&
           (e.keyId == 0 || e.keyId == gKeyIdentity(keyIndex));
}

json entryJson(const ConfigImage& image, std::size_t number, int keyIndex,
               const Language& language) {
    const KeyEntry& e = image.block->entries[number];
    const auto type = static_cast<std::uint16_t>(e.type);
    json j = {{"keyIndex", keyIndex},
              {"key", keyNameOfIndex(keyIndex, language)},
              {"type", keyEntryTypeName(type)},
              {"typeCode", type},
              {"keyId", e.keyId},
              {"value", e.value}};
    switch (e.type) {
    case KeyEntryType::KeySingle:
        if (e.value <= 0xFFFF) {
            j["valueName"] = KeyNameOf(static_cast<KeyCode>(e.value), language);
        }
        break;
    case KeyEntryType::KeyMedia:
        j["valueName"] = MediaKeyName(static_cast<int>(e.value), language);
        break;
    case KeyEntryType::KeyFunction:
        j["valueName"] = FunctionKeyName(static_cast<int>(e.value), language);
        break;
    case KeyEntryType::KeyMacro:
        for (const MacroRecord& m : image.macros) {
            if (m.macroId == e.value) {
                j["valueName"] = utf16ToUtf8(m.nameView());
                break;
            }
        }
        break;
    case KeyEntryType::KeyLaunch:
    case KeyEntryType::KeyText:
        j["valueName"] = utf16ToUtf8(image.strings[number].text);
        break;
    default:
        break;
    }
    if (e.mark != 0 || e.extra != 0) {
        j["mark"] = e.mark;
        j["extra"] = e.extra;
    }
    return j;
}

json macroJson(const MacroRecord& m, const Language& language) {
    json actions = json::array();
    for (const MacroAction& a : m.usedActions()) {
        actions.push_back({{"key", KeyNameOf(a.keyCode, language)},
                           {"keyCode", a.keyCode},
                           {"action", a.isRelease == 1 ? "release" : "press"},
                           {"delayMs", a.delayMs}});
    }
    return {{"name", utf16ToUtf8(m.nameView())},
            {"macroId", m.macroId},
            {"repeatCount", m.repeatCount},
            {"actionCount", m.actionCount},
            {"actions", std::move(actions)}};
}

} // namespace

std::string_view keyEntryTypeName(std::uint16_t type) {
    return type < kTypeNames.size() ? kTypeNames[type] : "unknown";
}

json configurationJson(const ConfigImage& image, const Language& language) {
    std::lock_guard guard(image.lock);
    json out = json::object();
    if (!image.block) {
        return out;
    }
    const ConfigHeader& h = image.block->header;
    out["header"] = {
        {"magic", h.magic},           {"headerSize", h.headerSize}, {"formatA", h.formatA},
        {"formatB", h.formatB},       {"totalSize", h.totalSize},   {"entryCount", h.entryCount},
        {"macroCount", h.macroCount}, {"poolBytes", h.poolBytes},   {"flag", h.flag},
        {"checksum", h.checksum},     {"valid", headerIsValid(h)}};

    json groups = json::array();
    for (int g = 0; g < kGroupCount; ++g) {
        json entries = json::array();
        for (int k = 0; k < kEntriesPerGroup; ++k) {
            const std::size_t number = entryNumber(g, k);
            if (!isFresh(image.block->entries[number], k)) {
                entries.push_back(entryJson(image, number, k, language));
            }
        }
        groups.push_back({{"group", g}, {"entries", std::move(entries)}});
    }
    out["groups"] = std::move(groups);

    json macros = json::array();
    for (const MacroRecord& m : image.macros) {
        macros.push_back(macroJson(m, language));
    }
    out["macros"] = std::move(macros);

    json strings = json::array();
    for (std::size_t i = 0; i < image.strings.size(); ++i) {
        const StringSlot& slot = image.strings[i];
        if (!slot.empty()) {
            strings.push_back({{"entry", i},
                               {"group", i / kEntriesPerGroup},
                               {"keyIndex", i % kEntriesPerGroup},
                               {"text", utf16ToUtf8(slot.text)}});
        }
    }
    out["strings"] = std::move(strings);
    return out;
}

} // namespace kw::cli
