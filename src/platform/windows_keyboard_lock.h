#pragma once
// The keyboard lock across processes on Windows: an exclusive byte-range lock
// on a file in the user's temporary folder, one file per keyboard, named after
// a hash of the keyboard's name. The locked byte lies far past the file's text,
// so a waiting program can still read the holder's record: its program name
// and process id. The lock ends with its handle, and so with its process.

#include "core/device/keyboard_lock.h"

#include <filesystem>
#include <string>

namespace kw {

class WindowsKeyboardLockFile : public KeyboardLockFile {
public:
    // `folder` defaults to %TEMP%\keyweave.
    explicit WindowsKeyboardLockFile(std::filesystem::path folder = {});
    ~WindowsKeyboardLockFile() override;
    WindowsKeyboardLockFile(const WindowsKeyboardLockFile&) = delete;
    WindowsKeyboardLockFile& operator=(const WindowsKeyboardLockFile&) = delete;

    bool tryLock(const std::string& name, std::string& holder) override;
    void unlock() override;
    // Beside the lock file, under the same name.
    std::filesystem::path changeRecord(const std::string& name) const override;

    // The file that stands for `name` in `folder`.
    static std::filesystem::path fileFor(const std::filesystem::path& folder,
                                         const std::string& name);

private:
    std::filesystem::path folder_;
    void* handle_ = nullptr; // HANDLE while held
};

} // namespace kw
