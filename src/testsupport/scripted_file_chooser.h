#pragma once
// File questions answered from a script: each question takes the next path,
// an empty one (or none left) meaning the user cancelled. It remembers what
// each question offered.

#include "core/mainwnd/file_chooser.h"

#include <filesystem>
#include <vector>

namespace kw::testing {

class ScriptedFileChooser : public FileChooser {
public:
    std::filesystem::path chooseOpenFile(const FileFilter& filter) override {
        asked.push_back(filter);
        return next();
    }
    std::filesystem::path chooseSaveFile(const FileFilter& filter) override {
        asked.push_back(filter);
        return next();
    }

    std::vector<std::filesystem::path> answers; // empty path: cancelled
    std::vector<FileFilter> asked;

private:
    std::filesystem::path next() {
        if (answers.empty()) {
            return {};
        }
        auto answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

} // namespace kw::testing
