#pragma once
// How core operations ask the user for a file name. The GUI answers with file
// dialogs, tests with scripted paths. An empty path means the user cancelled.

#include <filesystem>
#include <string>

namespace kw {

struct FileFilter {
    std::string defaultExtension;      // without the dot: "fwc"
    std::string description;           // "Profile files"
    std::filesystem::path startFolder; // empty: wherever the dialog starts
    std::string proposedName;          // a save dialog's first name; empty: none
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::filesystem::path chooseOpenFile(const FileFilter& filter) = 0;
    // Asks before overwriting an existing file.
    virtual std::filesystem::path chooseSaveFile(const FileFilter& filter) = 0;
};

} // namespace kw
