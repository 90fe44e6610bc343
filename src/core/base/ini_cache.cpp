#include "core/base/ini_cache.h"

#include "core/base/atomic_file.h"

#include <map>
#include <mutex>
#include <string>

namespace kw {
namespace {

struct Entry {
    std::vector<std::uint8_t> bytes; // the file as it was parsed
    std::shared_ptr<const IniDocument> document;
};

} // namespace

std::shared_ptr<const IniDocument> CachedIniDocument(const std::filesystem::path& file) {
    static std::mutex mutex;
    static std::map<std::filesystem::path, Entry> entries;
    // The file is read every time (reading a small file costs little); only
    // parsing it again is saved while its bytes are the same. Time stamps
    // would not do: two writes within one tick of the file system's clock
    // leave the same one.
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
    return entry.document;
}

} // namespace kw
