#include "core/lighting/profile_numbers.h"

#include <cstdint>

namespace kw {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses one number at `pos`, moving `pos` past it.
std::optional<int> numberAt(std::string_view text, std::size_t& pos) {
    std::size_t i = pos;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !isDigit(text[i])) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    while (i < text.size() && isDigit(text[i])) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
        ++i;
    }
    pos = i;
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int>(value);
}

} // namespace

std::optional<int> LeadingInteger(std::string_view text) {
    std::size_t pos = 0;
    return numberAt(text, pos);
}

std::size_t ReadIntegerList(std::string_view text, std::span<int> out) {
    std::size_t pos = 0;
    std::size_t count = 0;
    while (count < out.size()) {
        if (count > 0) {
            if (pos >= text.size() || text[pos] != ',') {
                break;
            }
            ++pos;
        }
        const auto value = numberAt(text, pos);
        if (!value) {
            break;
        }
        out[count++] = *value;
    }
    return count;
}

} // namespace kw
