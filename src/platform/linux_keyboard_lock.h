#pragma once
// The keyboard lock across processes on Linux: an advisory flock() on a file
// in the user's runtime folder, one file per keyboard, named after the
// keyboard (its configuration interface's path). The holder writes its pid
// and program name into the file, so a program that waits in vain can say
// who keeps the keyboard. The lock dies with its process.

#include "core/device/keyboard_lock.h"

#include <filesystem>
#include <string>

namespace kw {

class LinuxKeyboardLockFile : public KeyboardLockFile {
public:
    // `folder` defaults to keyboardLockFolder().
    explicit LinuxKeyboardLockFile(std::filesystem::path folder = {});
    ~LinuxKeyboardLockFile() override;
    LinuxKeyboardLockFile(const LinuxKeyboardLockFile&) = delete;
    LinuxKeyboardLockFile& operator=(const LinuxKeyboardLockFile&) = delete;

    bool tryLock(const std::string& name, std::string& holder) override;
    void unlock() override;
    // Beside the lock file, under the same name.
    std::filesystem::path changeRecord(const std::string& name) const override;

    // The file that stands for `name` in `folder`.
    static std::filesystem::path fileFor(const std::filesystem::path& folder,
                                         const std::string& name);

private:
    std::filesystem::path folder_;
    int fd_ = -1;
};

// $XDG_RUNTIME_DIR/keyweave, or keyweave-UID in the temporary folder when the
// session has none: the folder the running window's socket lives in.
std::filesystem::path keyboardLockFolder();

} // namespace kw
