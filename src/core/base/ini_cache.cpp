#include "core/base/ini_cache.h"

#include <map>
#include <mutex>

namespace kw {
namespace {

struct Stamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written{};
    bool operator==(const Stamp&) const = default;
};

struct Entry {
    Stamp stamp;
    std::shared_ptr<const IniDocument> document;
};

Stamp stampOf(const std::filesystem::path& file) {
    std::error_code ec;
    Stamp stamp;
    stamp.written = std::filesystem::last_write_time(file, ec);
    if (ec) {
        return {};
    }
    stamp.size = std::filesystem::file_size(file, ec);
    stamp.exists = !ec;
    return stamp;
}

} // namespace

std::shared_ptr<const IniDocument> CachedIniDocument(const std::filesystem::path& file) {
    static std::mutex mutex;
    static std::map<std::filesystem::path, Entry> entries;
    const Stamp stamp = stampOf(file);
    {
        std::lock_guard guard(mutex);
        const auto found = entries.find(file);
        if (found != entries.end() && found->second.stamp == stamp) {
            return found->second.document;
        }
    }
    auto document = std::make_shared<const IniDocument>(IniDocument::load(file));
    // A file that could not be stamped is read every time: its state is unknown.
    if (stamp.exists) {
        std::lock_guard guard(mutex);
        entries[file] = {stamp, document};
    }
    return document;
}

} // namespace kw
