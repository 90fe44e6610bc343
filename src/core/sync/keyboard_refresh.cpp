#include "core/sync/keyboard_refresh.h"

#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/base/text.h"
#include "core/config/config_file.h"
#include "core/config/data_folder.h"
#include "core/config/macro_area.h"
#include "core/device/commands.h"
#include "core/skin/text_keys.h"
#include "core/sync/current_profile.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <new>
#include <optional>
#include <vector>

namespace kw {

namespace {

struct KeyboardMacros {
    std::vector<std::uint8_t> area;
    std::uint16_t count = 0;
};

// The macro area as the keyboard holds it; no macros when it does not start with the magic.
std::optional<KeyboardMacros> readMacros(Transport& transport) {
    std::array<std::uint8_t, kMacroAreaHeaderSize> head{};
    if (ReadMacroArea(transport, head) != kCommandOk) {
        return std::nullopt;
    }
    ByteReader reader(head);
    const std::uint16_t magic = reader.u16();
    const std::uint16_t size = reader.u16();
    const std::uint16_t count = reader.u16();
    if (magic != kMacroAreaMagic) {
        return KeyboardMacros{};
    }
    KeyboardMacros macros;
    macros.count = count;
    macros.area.resize(size);
    if (size > 0 && ReadMacroArea(transport, macros.area) != kCommandOk) {
        return std::nullopt;
    }
    return macros;
}

} // namespace

int ReadConfigurationFromKeyboard(SyncContext& context, const std::filesystem::path& file) {
    KeyboardLockGuard held(context.transport.sequenceLock());
    if (!held.held()) {
        return 0;
    }
    try {
        const int profile = CurrentProfile(context.transport, context.keyboard);
        if (profile < 0 || profile >= kProfileCount) {
            return 0;
        }
        std::array<KeyMatrix, kProfileCount> tables{};
        for (int p = 0; p < kProfileCount; ++p) {
            std::array<std::uint8_t, kKeyMatrixSize> bytes{};
            if (ReadKeyMatrix(context.transport, p, bytes) != kCommandOk ||
                !keyMatrixFromBytes(bytes, tables[static_cast<std::size_t>(p)])) {
                return 0;
            }
        }
        const auto macros = readMacros(context.transport);
        if (!macros) {
            return 0;
        }

        ConfigImage staged;
        staged.block = makeDefaultBlock();
        const KeyMatrix defaults = context.keyboard.defaultMatrix.get();
        for (int p = 0; p < kProfileCount; ++p) {
            decodeKeyMatrix(tables[static_cast<std::size_t>(p)], defaults,
                            groupEntries(*staged.block, p));
        }
        if (macros->count > 0) {
            staged.macros = decodeMacroArea(macros->area, macros->count,
                                            utf8ToUtf16(context.language.text("MACRO_NEW_PREFIX")));
        }
        // A write the keyboard did not finish can leave key tables naming
        // macros its macro area no longer holds. The keyboard plays nothing
        // for such a key, and an image that kept the reference would turn
        // into another macro on the next write: the key reads as disabled.
        for (int p = 0; p < kProfileCount; ++p) {
            for (KeyEntry& entry : groupEntries(*staged.block, p)) {
                if (entry.type == KeyEntryType::KeyMacro &&
                    std::none_of(
                        staged.macros.begin(), staged.macros.end(),
                        [&entry](const MacroRecord& m) { return m.macroId == entry.value; })) {
                    entry.type = KeyEntryType::KeyDisabled;
                    entry.value = 0;
                }
            }
        }
        std::lock_guard guard(staged.lock);
        const auto bytes = configurationFileBytes(staged);
        if (!bytes || !writeFileAtomically(file, *bytes)) {
            return 0;
        }
        context.keyboard.knownChanges =
            static_cast<std::int64_t>(context.transport.sequenceLock().changeCount());
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int RefreshFromKeyboard(SyncContext& context, bool* fromKeyboard) {
    KeyboardLockGuard held(context.transport.sequenceLock());
    if (!held.held()) {
        // The keyboard was not unreadable, only taken: the image stays as it is.
        context.showKeyboardBusy(held.holder());
        if (fromKeyboard) {
            *fromKeyboard = false;
        }
        return 1;
    }
    ensureDataFolder(context.dataHome, context.programFolder);
    const std::filesystem::path file = context.configFile();
    const int profile = CurrentProfile(context.transport, context.keyboard);
    bool read = profile >= 0 && ReadConfigurationFromKeyboard(context, file) == 1;
    {
        std::lock_guard guard(context.config.lock);
        // A file that cannot be loaded back counts as an unreadable keyboard.
        read = read && LoadConfigurationFile(context.config, file) == 1;
        context.keyboard.imageUnread = !read;
        if (!read) {
            context.config.clearStrings();
            context.config.clearMacros();
            context.config.clearBlock();
            context.config.createDefaultBlock();
        }
        context.redrawKeys();
    }
    context.modified.clear();
    context.forgetEdits();
    if (!read) {
        context.showText(text_keys::KEYBOARD_NOT_READ);
    }
    if (fromKeyboard) {
        *fromKeyboard = read;
    }
    return 1;
}

} // namespace kw
