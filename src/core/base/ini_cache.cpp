#include "core/base/ini_cache.h"

#include "core/base/atomic_file.h"

#include <chrono>
#include <map>
#include <mutex>
#include <string>

namespace kw {
namespace {

using FileTime = std::filesystem::file_time_type;

// A file last written at least this long before it was read cannot be
// written again without a newer time stamp, however coarse the file system's
// clock; one written more recently is compared byte for byte on every lookup.
constexpr auto kSettled = std::chrono::seconds(2);

struct Stamp {
    std::uintmax_t size = 0;
    FileTime writeTime{};
    bool operator==(const Stamp&) const = default;
};

struct Entry {
    std::vector<std::uint8_t> bytes; // the file as it was parsed
    std::shared_ptr<const IniDocument> document;
    Stamp stamp;
    bool settled = false; // the stamp alone tells a change
};

std::optional<Stamp> stampOf(const std::filesystem::path& file) {
    std::error_code ec;
    Stamp stamp;
    stamp.size = std::filesystem::file_size(file, ec);
    if (ec) {
        return std::nullopt;
    }
    stamp.writeTime = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return std::nullopt;
    }
    return stamp;
}

} // namespace

std::shared_ptr<const IniDocument> CachedIniDocument(const std::filesystem::path& file) {
    static std::mutex mutex;
    static std::map<std::filesystem::path, Entry> entries;
    // Lookups read many keys of a few files; a settled file whose size and
    // time stamp are unchanged is not read again. The stamp is taken before
    // the bytes, so a write in between only makes the next lookup read again.
    const std::optional<Stamp> stamp = stampOf(file);
    const FileTime now = FileTime::clock::now();
    if (stamp) {
        std::lock_guard guard(mutex);
        const auto found = entries.find(file);
        if (found != entries.end() && found->second.settled && found->second.stamp == *stamp) {
            return found->second.document;
        }
    }
    std::error_code ec;
    std::optional<std::vector<std::uint8_t>> bytes;
    if (std::filesystem::exists(file, ec) || ec) {
        bytes = readFileBytes(file, kIniMaxFileBytes);
    }
    if (!bytes) {
        return std::make_shared<const IniDocument>();
    }
    std::lock_guard guard(mutex);
    Entry& entry = entries[file];
    if (!entry.document || entry.bytes != *bytes) {
        entry.document = std::make_shared<const IniDocument>(IniDocument::parse(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())));
        entry.bytes = std::move(*bytes);
    }
    entry.stamp = stamp.value_or(Stamp{});
    entry.settled =
        stamp && stamp->size == entry.bytes.size() && stamp->writeTime + kSettled <= now;
    return entry.document;
}

} // namespace kw
