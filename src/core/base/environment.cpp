#include "core/base/environment.h"

#include <cstdlib>
#include <string>

namespace kw {

std::optional<std::filesystem::path> environmentFolder(const char* name) {
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
#else
    const char* value = std::getenv(name);
#endif
    if (!value || !*value) {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

} // namespace kw
