#include "core/base/program_files.h"

#include <system_error>

namespace kw {

namespace {

// Every build and every installation ships the English language file.
constexpr const char* kMarkerFile = "Lang0409.ini";

bool holdsProgramFiles(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_regular_file(folder / kMarkerFile, ec);
}

} // namespace

ProgramFilesSearch findProgramFiles(const std::filesystem::path& executableFolder) {
    ProgramFilesSearch search;
    const std::filesystem::path candidates[] = {
        executableFolder,
        (executableFolder / ".." / "share" / "keyweave").lexically_normal(),
    };
    for (const auto& candidate : candidates) {
        search.searched.push_back(candidate);
        if (holdsProgramFiles(candidate)) {
            search.folder = candidate;
            break;
        }
    }
    return search;
}

std::string searchedFoldersText(const ProgramFilesSearch& search) {
    std::string text;
    for (const auto& folder : search.searched) {
        if (!text.empty()) {
            text += " or ";
        }
        text += folder.string();
    }
    return text;
}

} // namespace kw
