#pragma once
// Parsed INI files kept while they stay the same. Lookups read many keys of a
// few small files (the language file once per key caption, the settings store
// for the language of each lookup); each lookup sees the file as it is now. A
// file untouched for a while is known unchanged by its size and time stamp;
// a recently written one is read and compared byte for byte.

#include "core/base/ini_file.h"

#include <filesystem>
#include <memory>

namespace kw {

// The document of `file` as IniDocument::load gives it, shared and read-only.
std::shared_ptr<const IniDocument> CachedIniDocument(const std::filesystem::path& file);

} // namespace kw
