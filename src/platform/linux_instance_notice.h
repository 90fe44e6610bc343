#pragma once
// Tells the running window something over its local socket (the one later
// starts of the window use): one request line, answered "OK". For the
// command line, which has no Qt.

#include <filesystem>
#include <string_view>

namespace kw {

// Sends `request` to the socket in `folder` (default: keyboardLockFolder())
// and waits at most `timeoutMs` for the answer. False when no window listens
// or it did not answer in time.
bool notifyRunningWindow(std::string_view request, int timeoutMs = 1000,
                         std::filesystem::path folder = {});

} // namespace kw
