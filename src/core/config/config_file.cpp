#include "core/config/config_file.h"

#include "core/base/atomic_file.h"
#include "core/base/bytes.h"
#include "core/config/config_block_codec.h"
#include "core/config/data_folder.h"

#include <fstream>
#include <memory>
#include <new>
#include <system_error>

namespace kw {

namespace {

constexpr const char* kConfigFileName = "$Profile0";

} // namespace

std::filesystem::path configFilePath(const std::filesystem::path& dataHome,
                                     const std::filesystem::path& programFolder) {
    ensureDataFolder(dataHome, programFolder);
    return dataFolderPath(dataHome) / kConfigFileName;
}

std::optional<std::vector<std::uint8_t>> configurationFileBytes(ConfigImage& image) {
    std::lock_guard guard(image.lock);
    if (!image.block) {
        return std::nullopt;
    }
    const std::uint16_t macroCount = image.macroCount();
    stampHeader(*image.block, macroCount, image.stringBytes, 0);
    const std::vector<std::uint8_t> pool = image.packStrings();

    std::vector<std::uint8_t> bytes;
    bytes.reserve(configurationSize(macroCount, pool.size()));
    ByteWriter out(bytes);
    appendConfigBlock(out, *image.block);
    for (std::size_t i = 0; i < macroCount; ++i) {
        appendMacroRecord(out, image.macros[i]);
    }
    out.bytes(pool);
    return bytes;
}

bool configurationLayoutHolds(const ConfigHeader& header, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < configurationSize(header.macroCount, header.poolBytes)) {
        return false;
    }
    for (std::size_t i = 0; i < header.macroCount; ++i) {
        const std::size_t at = kConfigBlockSize + i * kMacroRecordSize + kMacroActionCountOffset;
        if (loadU16(bytes, at) > kMacroActionsMax) {
            return false;
        }
    }
    return true;
}

bool loadConfigurationBytes(ConfigImage& image, std::span<const std::uint8_t> bytes) {
    ConfigHeader header;
    if (!decodeConfigHeader(bytes, header) || !configurationLayoutHolds(header, bytes)) {
        return false;
    }
    auto staged = std::make_unique<ConfigImage>();
    staged->block = std::make_unique<ConfigBlock>();
    if (!decodeConfigBlock(bytes, *staged->block)) {
        return false;
    }
    staged->macros.resize(header.macroCount);
    for (std::size_t i = 0; i < header.macroCount; ++i) {
        if (!decodeMacroRecord(bytes.subspan(kConfigBlockSize + i * kMacroRecordSize),
                               staged->macros[i])) {
            return false;
        }
    }
    const std::size_t poolAt = kConfigBlockSize + std::size_t{header.macroCount} * kMacroRecordSize;
    staged->unpackStrings(bytes.subspan(poolAt, header.poolBytes));
    image.replaceContent(*staged);
    return true;
}

bool openableForReadWrite(const std::filesystem::path& file) {
    std::fstream probe(file, std::ios::in | std::ios::out | std::ios::binary);
    return probe.is_open();
}

int WriteConfigurationFile(ConfigImage& image, const std::filesystem::path& file) {
    try {
        std::lock_guard guard(image.lock);
        const auto bytes = configurationFileBytes(image);
        return bytes && writeFileAtomically(file, *bytes) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int SaveConfigurationFile(ConfigImage& image, const std::filesystem::path& file, bool takeLock) {
    std::unique_lock guard(image.lock, std::defer_lock);
    if (takeLock) {
        guard.lock();
    }
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return 0;
    }
    return WriteConfigurationFile(image, file);
}

int LoadConfigurationFile(ConfigImage& image, const std::filesystem::path& file) {
    try {
        std::error_code ec;
        if (!std::filesystem::exists(file, ec) || !openableForReadWrite(file)) {
            return 0;
        }
        const auto bytes = readFileBytes(file, kConfigurationFileMax);
        return bytes && loadConfigurationBytes(image, *bytes) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace kw
