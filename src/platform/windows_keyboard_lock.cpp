#include "platform/windows_keyboard_lock.h"

#include "core/base/text.h"
#include "platform/lock_name_hash.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <system_error>
#include <windows.h>

namespace kw {

namespace {

// The holder record is one short line; a longer file is cut here.
constexpr DWORD kHolderLimit = 200;
// The byte that is locked: past any record, and locks beyond the end are allowed.
constexpr DWORD kLockOffsetHigh = 1;

std::string utf8Of(const std::filesystem::path& path) {
    const std::wstring wide = path.wstring();
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string readHolder(HANDLE file) {
    std::array<char, kHolderLimit> buffer{};
    OVERLAPPED at{};
    DWORD n = 0;
    if (!ReadFile(file, buffer.data(), kHolderLimit, &n, &at)) {
        n = 0;
    }
    std::string text(buffer.data(), std::min<DWORD>(n, kHolderLimit));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

std::string selfRecord() {
    std::array<wchar_t, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    const std::filesystem::path program(
        std::wstring(path.data(), std::min<DWORD>(length, MAX_PATH)));
    return utf8Of(program.filename()) + " (pid " + std::to_string(GetCurrentProcessId()) + ")\n";
}

} // namespace

WindowsKeyboardLockFile::WindowsKeyboardLockFile(std::filesystem::path folder)
    : folder_(std::move(folder)) {
    if (folder_.empty()) {
        std::error_code ec;
        folder_ = std::filesystem::temp_directory_path(ec) / "keyweave";
    }
}

WindowsKeyboardLockFile::~WindowsKeyboardLockFile() {
    unlock();
}

std::filesystem::path WindowsKeyboardLockFile::fileFor(const std::filesystem::path& folder,
                                                       const std::string& name) {
    // Names compare without case on Windows, as its paths do.
    return folder / ("keyboard-" + lockNameHash(asciiLower(name)) + ".lock");
}

bool WindowsKeyboardLockFile::tryLock(const std::string& name, std::string& holder) {
    holder.clear();
    if (handle_) {
        return true;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    // The file is never removed: a lock on a file another program has just
    // deleted would exclude nobody.
    const auto path = fileFor(folder_, name);
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        holder = "nobody: " + utf8Of(path) + " cannot be opened";
        return false;
    }
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        holder = readHolder(file);
        CloseHandle(file);
        return false;
    }
    const std::string record = selfRecord();
    OVERLAPPED start{};
    DWORD written = 0;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(file)) {
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, &start);
    }
    handle_ = file;
    return true;
}

void WindowsKeyboardLockFile::unlock() {
    if (!handle_) {
        return;
    }
    HANDLE file = static_cast<HANDLE>(handle_);
    // A waiter that reads the file now finds no stale name in it.
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0) {
        SetEndOfFile(file);
    }
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    UnlockFileEx(file, 0, 1, 0, &at);
    CloseHandle(file);
    handle_ = nullptr;
}

std::filesystem::path WindowsKeyboardLockFile::changeRecord(const std::string& name) const {
    return std::filesystem::path(fileFor(folder_, name)).replace_extension(".changes");
}

} // namespace kw
