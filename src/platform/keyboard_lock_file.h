#pragma once
// The keyboard lock file of the system being built for.

#ifdef _WIN32
#include "platform/windows_keyboard_lock.h"
#else
#include "platform/linux_keyboard_lock.h"
#endif

namespace kw {

#ifdef _WIN32
using PlatformKeyboardLockFile = WindowsKeyboardLockFile;
#else
using PlatformKeyboardLockFile = LinuxKeyboardLockFile;
#endif

} // namespace kw
