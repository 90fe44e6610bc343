#pragma once
// Parsed INI files kept while their bytes stay the same. Lookups read many
// keys of a few small files (the language file once per key caption, the
// settings store for the language of each lookup); each lookup still reads
// the file as it is now and parses it again only when it changed.

#include "core/base/ini_file.h"

#include <filesystem>
#include <memory>

namespace kw {

// The document of `file` as IniDocument::load gives it, shared and read-only.
std::shared_ptr<const IniDocument> CachedIniDocument(const std::filesystem::path& file);

} // namespace kw
