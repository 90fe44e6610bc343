#pragma once
// The configuration file: the persisted form of the configuration image
// (block, macro records, packed strings, back to back). Profile files have
// the same layout.

#include "core/config/config_block.h"
#include "core/config/config_image.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace kw {

// The largest configuration or profile file the program reads: far above
// what 100 macros and the strings of 2048 keys take.
inline constexpr std::size_t kConfigurationFileMax = 64u << 20;

// The configuration file of the user, inside the data folder (made sure of).
std::filesystem::path configFilePath(const std::filesystem::path& dataHome,
                                     const std::filesystem::path& programFolder);

// The file content for the image: stamps its header and packs its strings
// (which sets the launch and text entries' offsets). nullopt without a block.
// The caller holds the image's lock.
std::optional<std::vector<std::uint8_t>> configurationFileBytes(ConfigImage& image);

// True when `bytes` hold everything the header declares: the block, the
// records (each with at most 2000 actions) and the pool.
bool configurationLayoutHolds(const ConfigHeader& header, std::span<const std::uint8_t> bytes);

// Reads a whole configuration into `image`, all or nothing: on failure the
// image is left as it was. False for content shorter than its header declares.
bool loadConfigurationBytes(ConfigImage& image, std::span<const std::uint8_t> bytes);

// True when the file can be opened for reading and writing (as the program
// opens the files it reads back).
bool openableForReadWrite(const std::filesystem::path& file);

// Writes the image to `file` (atomically). 1 when written, 0 when the file
// does not exist yet (only a refresh or an export creates it) or cannot be
// written or the image has no block.
int SaveConfigurationFile(ConfigImage& image, const std::filesystem::path& file, bool takeLock);

// Writes the image to `file` whether or not it exists (the export body);
// takes the lock. 1 when written, 0 otherwise.
int WriteConfigurationFile(ConfigImage& image, const std::filesystem::path& file);

// 1 when the image was loaded from `file`; 0 when the file is missing, cannot
// be opened for reading and writing, is larger than kConfigurationFileMax or
// does not hold what its header declares. A failed load leaves the image untouched.
int LoadConfigurationFile(ConfigImage& image, const std::filesystem::path& file);

} // namespace kw
