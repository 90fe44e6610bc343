#pragma once
// Files that hold user data are written to a temporary file in the same
// folder, flushed, and renamed over the old one: a crash or a full disk never
// leaves a half-written file behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// True when the whole content reached the disk under `path`.
bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> content);
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

// The whole file, or nothing when it cannot be opened or is larger than `maxBytes`.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::size_t maxBytes = 64u << 20);

} // namespace kw
