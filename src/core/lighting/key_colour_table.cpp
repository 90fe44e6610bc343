#include "core/lighting/key_colour_table.h"

#include "core/device/commands.h"
#include "core/lighting/write_transaction.h"

#include <algorithm>
#include <vector>

namespace kw {

namespace {

bool inRange(int profile, int colourIndex) {
    return profile >= 0 && profile < 3 && HasLight(colourIndex);
}

std::size_t at(int profile, int colourIndex) {
    return static_cast<std::size_t>(profile) * kKeyColourProfileBytes +
           static_cast<std::size_t>(colourIndex) * 3;
}

} // namespace

Rgb KeyColourTable::colour(int profile, int colourIndex) const {
    if (!inRange(profile, colourIndex)) {
        return Rgb{};
    }
    const std::size_t i = at(profile, colourIndex);
    return Rgb{bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void KeyColourTable::setColour(int profile, int colourIndex, Rgb colour) {
    if (!inRange(profile, colourIndex)) {
        return;
    }
    const std::size_t i = at(profile, colourIndex);
    bytes_[i] = colour.red;
    bytes_[i + 1] = colour.green;
    bytes_[i + 2] = colour.blue;
}

std::span<const std::uint8_t> KeyColourTable::profileBytes(int profile) const {
    if (profile < 0 || profile >= 3) {
        return {};
    }
    return std::span<const std::uint8_t>(bytes_).subspan(at(profile, 0), kKeyColourProfileBytes);
}

int WriteProfileKeyColours(Transport& transport, int profile, const KeyColourTable& table) {
    const auto bytes = table.profileBytes(profile);
    if (bytes.empty()) {
        return kCommandBadArgument;
    }
    std::vector<AreaWrite> writes;
    for (int first = 0; first < kColourIndexCount; first += kKeyColourChunkKeys) {
        const int keys = std::min(kKeyColourChunkKeys, kColourIndexCount - first);
        writes.push_back(AreaWrite{KeyColourOffset(profile, first),
                                   bytes.subspan(static_cast<std::size_t>(first) * 3,
                                                 static_cast<std::size_t>(keys) * 3)});
    }
    return RunWriteTransaction(transport, WriteKeyColours, writes);
}

int WriteOneKeyColour(Transport& transport, int profile, int colourIndex, Rgb colour) {
    if (!inRange(profile, colourIndex)) {
        return kCommandBadArgument;
    }
    const std::array<std::uint8_t, 3> bytes{colour.red, colour.green, colour.blue};
    const AreaWrite write{KeyColourOffset(profile, colourIndex), bytes};
    return RunWriteTransaction(transport, WriteKeyColours, std::span(&write, 1));
}

} // namespace kw
