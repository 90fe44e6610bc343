#include "core/mainwnd/key_captions.h"

#include "core/base/text.h"
#include "core/keys/key_buttons.h"
#include "core/keys/key_names.h"
#include "core/keys/media_keys.h"
#include "core/skin/language.h"

#include <mutex>

namespace kw {
namespace {

constexpr std::size_t kTooltipChars = 259;

std::string macroName(const ConfigImage& image, std::uint32_t value) {
    if (!image.block) {
        return {};
    }
    const auto id = static_cast<std::uint16_t>(value & 0xFFFF);
    for (const MacroRecord& macro : image.macros) {
        if (macro.macroId == id) {
            return utf16ToUtf8(macro.nameView());
        }
    }
    return {};
}

// Cuts at a character boundary so a long macro name never leaves half a UTF-8 sequence.
void limitLength(std::string& text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == kTooltipChars) {
            text.resize(i);
            return;
        }
    }
}

KeyCaption caption(std::string name, const KeyEntry& entry, const ConfigImage& image,
                   const Language& language) {
    KeyCaption result{std::move(name), entry.type != KeyEntryType::KeyDefault};
    if (!result.marked) {
        return result;
    }
    std::string& text = result.tooltip;
    text += language.text("KEY_PROMPT_SET");
    switch (entry.type) {
    case KeyEntryType::KeySingle:
        text += language.text("KEY_PROMPT_SINGLE");
        text += KeyNameOf(static_cast<KeyCode>(entry.value), language);
        text += ")";
        break;
    case KeyEntryType::KeyMacro:
        text += language.text("KEY_PROMPT_MACRO");
        text += macroName(image, entry.value);
        text += ")";
        break;
    case KeyEntryType::KeyMedia:
        text += language.text("KEY_PROMPT_MEDIA");
        if (entry.value < static_cast<std::uint32_t>(kMediaKeyCount)) {
            text += MediaKeyName(static_cast<int>(entry.value), language);
        }
        text += ")";
        break;
    case KeyEntryType::KeyFunction:
        text += language.text("KEY_PROMPT_FUNCTION");
        if (entry.value < static_cast<std::uint32_t>(kFunctionKeyCount)) {
            text += FunctionKeyName(static_cast<int>(entry.value), language);
        }
        text += ")";
        break;
    default:
        break;
    }
    limitLength(text);
    return result;
}

bool knownProfile(int profile) {
    return profile >= 0 && profile < kProfileCount;
}

} // namespace

KeyCaption KeyCaptionOf(KeyCode code, const KeyEntry& entry, const ConfigImage& image,
                        const Language& language) {
    return caption(KeyNameOf(code, language), entry, image, language);
}

KeyCaption GKeyCaptionOf(int ordinal, const KeyEntry& entry, const ConfigImage& image,
                         const Language& language) {
    return caption("G" + std::to_string(ordinal + 1), entry, image, language);
}

KeyEntry ShownKeyEntry(const ConfigImage& image, int profile, int keyIndex) {
    if (!knownProfile(profile)) {
        return {};
    }
    const KeyEntry* entry = image.entry(profile, keyIndex);
    return entry ? *entry : KeyEntry{};
}

int ClearKeyFunctions(ConfigImage& image, int profile) {
    std::lock_guard guard(image.lock);
    if (!knownProfile(profile) || !image.block) {
        return 0;
    }
    for (int ordinal = 0; ordinal < kGKeyCount; ++ordinal) {
        if (KeyEntry* entry = image.entry(profile, kFirstGKeyIndex + ordinal)) {
            *entry = {};
        }
    }
    for (const KeyButton& button : KeyButtonTable()) {
        if (KeyEntry* entry = image.entry(profile, KeyIndexOf(button.code))) {
            *entry = {};
        }
    }
    return 1;
}

} // namespace kw
