#pragma once
// A keyboard's lock file is named after the keyboard's path; where the path
// cannot stand in a file name whole, a hash of it does: FNV-1a, 16 hex digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace kw {

inline std::string lockNameHash(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }
    static constexpr char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = digits[hash & 0xF];
        hash >>= 4;
    }
    return out;
}

} // namespace kw
