#include "core/macros/decimal_text.h"

#include "core/base/text.h"

namespace kw {

namespace {
constexpr long long kBound = 1'000'000'000'000'000LL;
} // namespace

std::optional<long long> ParseDecimal(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (value < kBound) {
            value = value * 10 + (c - '0');
        }
    }
    if (value > kBound) {
        value = kBound;
    }
    return negative ? -value : value;
}

} // namespace kw
