#include "core/base/atomic_file.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <system_error>

namespace kw {

namespace {

// A name no other writer in this or another process picks at the same time.
std::filesystem::path temporarySibling(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    static const auto seed = std::random_device{}();
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string suffix = ".tmp-" + std::to_string(seed) + "-" + std::to_string(stamp) + "-" +
                         std::to_string(counter++);
    // Appended to the path itself: its text on Windows is wide, and a name
    // outside the ANSI code page has no narrow form.
    auto sibling = path;
    sibling += suffix;
    return sibling;
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> content) {
    const auto tmp = temporarySibling(path);
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(reinterpret_cast<const char*>(content.data()),
                  static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(tmp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(tmp, ignored);
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    return writeFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(content.data()),
                                            content.size()));
}

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > maxBytes) {
            return std::nullopt;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace kw
