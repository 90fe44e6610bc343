#pragma once
// Sets an environment variable for one test and restores it afterwards, with
// the platform's own calls: POSIX setenv, or on Windows the C run-time's wide
// environment (values are UTF-8 here and wide there, so names outside the
// ANSI code page survive).

#include "core/base/text.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace kw::testing {

#ifdef _WIN32
using NativeEnvString = std::wstring;

inline std::wstring wideOf(const char* utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

inline std::optional<NativeEnvString> environmentValue(const char* name) {
    const wchar_t* value = _wgetenv(wideOf(name).c_str());
    return value ? std::optional<NativeEnvString>(value) : std::nullopt;
}

inline void setNativeEnvironment(const char* name, const NativeEnvString* value) {
    // An empty value removes the variable.
    _wputenv_s(wideOf(name).c_str(), value ? value->c_str() : L"");
}
#else
using NativeEnvString = std::string;

inline std::optional<NativeEnvString> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<NativeEnvString>(value) : std::nullopt;
}

inline void setNativeEnvironment(const char* name, const NativeEnvString* value) {
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}
#endif

// `value` (UTF-8) null: the variable is removed.
inline void setEnvironment(const char* name, const char* value) {
    if (!value) {
        setNativeEnvironment(name, nullptr);
        return;
    }
#ifdef _WIN32
    const NativeEnvString native = wideOf(value);
#else
    const NativeEnvString native = value;
#endif
    setNativeEnvironment(name, &native);
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name), old_(environmentValue(name)) {
        setEnvironment(name, value);
    }
    ~ScopedEnv() { setNativeEnvironment(name_.c_str(), old_ ? &*old_ : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<NativeEnvString> old_;
};

} // namespace kw::testing
