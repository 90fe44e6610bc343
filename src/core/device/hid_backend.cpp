#include "core/device/hid_backend.h"

#include <cctype>

namespace kw {

namespace {

// Bits [bitOffset, bitOffset + bitSize) of the report, little-endian, as HID
// packs them; nullopt when they are not all inside the report.
std::optional<std::uint32_t> extractBits(std::span<const std::uint8_t> report,
                                         std::uint64_t bitOffset, std::uint32_t bitSize) {
    if (bitSize == 0 || bitSize > 32 || bitOffset + bitSize > report.size() * 8ull) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < bitSize; ++i) {
        const std::uint64_t bit = bitOffset + i;
        if ((report[static_cast<std::size_t>(bit / 8)] >> (bit % 8)) & 1u) {
            value |= 1u << i;
        }
    }
    return value;
}

std::uint16_t hexAfter(std::string_view path, std::string_view marker) {
    for (std::size_t i = 0; i + marker.size() <= path.size(); ++i) {
        bool match = true;
        for (std::size_t k = 0; k < marker.size() && match; ++k) {
            match = std::tolower(static_cast<unsigned char>(path[i + k])) == marker[k];
        }
        if (!match) {
            continue;
        }
        std::uint32_t value = 0;
        for (std::size_t k = i + marker.size(); k < path.size(); ++k) {
            const char c = path[k];
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                break;
            }
            const int digit = std::isdigit(static_cast<unsigned char>(c))
                                  ? c - '0'
                                  : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            value = ((value << 4) | static_cast<std::uint32_t>(digit)) & 0xFFFF;
        }
        return static_cast<std::uint16_t>(value);
    }
    return 0;
}

} // namespace

bool HidConnection::usagesOf(const InputField& field, std::span<const std::uint8_t> report,
                             std::size_t maxCount, std::vector<std::uint16_t>& usages) const {
    usages.clear();
    for (std::uint32_t i = 0; i < field.count && usages.size() < maxCount; ++i) {
        const auto bits = extractBits(
            report, field.bitOffset + static_cast<std::uint64_t>(i) * field.bitSize, field.bitSize);
        if (!bits) {
            return false;
        }
        std::uint16_t usage = 0;
        if (field.isArray) {
            std::int64_t index = *bits;
            if (field.logicalMin < 0 && field.bitSize < 32 && (*bits >> (field.bitSize - 1)) & 1) {
                index -= std::int64_t{1} << field.bitSize;
            }
            usage = field.usageOfArrayIndex(index);
        } else if (*bits != 0) {
            usage = field.usageOfField(i);
        }
        if (usage != 0) {
            usages.push_back(usage);
        }
    }
    return true;
}

std::optional<std::uint32_t> HidConnection::valueOf(const InputField& field, std::uint32_t index,
                                                    std::span<const std::uint8_t> report) const {
    if (index >= field.count) {
        return std::nullopt;
    }
    return extractBits(report, field.bitOffset + static_cast<std::uint64_t>(index) * field.bitSize,
                       field.bitSize);
}

HidAttributes idsFromPathText(std::string_view path) {
    HidAttributes ids;
    ids.vendorId = hexAfter(path, "vid_");
    ids.productId = hexAfter(path, "pid_");
    return ids;
}

} // namespace kw
