#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace kw::testing {

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        const char* base = std::getenv("TMPDIR");
        path_ = std::filesystem::path(base && *base ? base : "/tmp") /
                ("keyweave-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The folder where the build puts the programs and the files they read beside
// them (language files, skin); set by CTest for every test.
inline std::filesystem::path programFolder() {
    const char* dir = std::getenv("KEYWEAVE_BIN_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::current_path();
}

} // namespace kw::testing
