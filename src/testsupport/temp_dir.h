#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace kw::testing {

// $TMPDIR or /tmp; on Windows the user's temporary folder.
inline std::filesystem::path temporaryBase() {
#ifdef _WIN32
    return std::filesystem::temp_directory_path();
#else
    const char* base = std::getenv("TMPDIR");
    return std::filesystem::path(base && *base ? base : "/tmp");
#endif
}

inline int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        // Process ids come back soon under Wine: a folder an earlier test
        // program left behind must not be taken for this one's.
        static const unsigned salt = std::random_device{}();
        path_ = temporaryBase() / ("keyweave-test-" + std::to_string(processId()) + "-" +
                                   std::to_string(salt) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
#ifdef _WIN32
        // Windows removes nothing marked read-only, and tests make such files.
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
#endif
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const {
        return path_;
    }
    std::filesystem::path operator/(const std::string& name) const {
        return path_ / name;
    }

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
