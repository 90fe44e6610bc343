#pragma once
// Where the files the program ships (skin, language files, help page, the
// default user lighting file) are: beside the executable in a build tree, or
// in ../share/keyweave relative to it once installed. Nowhere else, so an
// installed program never picks up another copy's files by accident.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kw {

struct ProgramFilesSearch {
    std::optional<std::filesystem::path> folder; // the first folder that holds them
    std::vector<std::filesystem::path> searched; // every folder looked at, in order
};

ProgramFilesSearch findProgramFiles(const std::filesystem::path& executableFolder);

// "FOLDER or FOLDER": the folders of a search, for a message that says where
// the files were looked for.
std::string searchedFoldersText(const ProgramFilesSearch& search);

} // namespace kw
