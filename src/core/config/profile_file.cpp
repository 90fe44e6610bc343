#include "core/config/profile_file.h"

#include "core/base/atomic_file.h"
#include "core/base/prompter.h"
#include "core/config/config_block_codec.h"
#include "core/config/config_file.h"
#include "core/skin/language.h"
#include "core/skin/text_keys.h"

#include <new>
#include <system_error>

namespace kw {

int ValidateProfileFile(const std::filesystem::path& file, Prompter& prompter,
                        const Language& language) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return kProfileInvalid;
    }
    if (!openableForReadWrite(file)) {
        return kProfileUnopenable;
    }
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) {
        return kProfileUnopenable;
    }
    if (size >= (std::uintmax_t{1} << 32) || size < kConfigBlockSize) {
        return kProfileInvalid;
    }
    if (size > kConfigurationFileMax) {
        return kProfileOutOfMemory;
    }
    try {
        const auto bytes = readFileBytes(file, kConfigurationFileMax);
        if (!bytes) {
            return kProfileUnopenable;
        }
        ConfigHeader header;
        // The header must describe the file truthfully: a file shorter than
        // its header declares, or with a record holding more actions than a
        // record can, would load as garbage or not at all.
        if (decodeConfigHeader(*bytes, header) && headerIsValid(header) &&
            configurationLayoutHolds(header, *bytes)) {
            return kProfileValid;
        }
    } catch (const std::bad_alloc&) {
        return kProfileOutOfMemory;
    }
    prompter.showMessage(
        Language::formatWithText(language.text(text_keys::PROFILE_FORMAT_ERROR), file.string()));
    return kProfileInvalid;
}

int WriteProfileFile(ConfigImage& image, const std::filesystem::path& file) {
    return WriteConfigurationFile(image, file);
}

int WriteNewProfileFile(const std::filesystem::path& file) {
    const auto block = makeDefaultBlock();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kConfigBlockSize);
    ByteWriter out(bytes);
    appendConfigBlock(out, *block);
    return writeFileAtomically(file, bytes) ? 1 : 0;
}

} // namespace kw
