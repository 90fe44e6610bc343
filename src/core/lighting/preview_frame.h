#pragma once
// What the preview shows on the key buttons: for every KeyChain key either
// its normal face or a frame in a colour (its colour mark).

#include "core/lighting/preview_tables.h"
#include "core/lighting/rgb.h"

#include <array>

namespace kw {

struct KeyFace {
    bool marked = false; // false: the button's normal face
    Rgb colour{};

    friend bool operator==(const KeyFace&, const KeyFace&) = default;
};

// Indexed by KeyChain index; buttons outside the chain keep their normal face.
using PreviewFrame = std::array<KeyFace, kKeyChainSize>;

constexpr KeyFace markedFace(Rgb colour) {
    return KeyFace{true, colour};
}

// The face of any key button id.
constexpr KeyFace faceOfButton(const PreviewFrame& frame, int buttonId) {
    const std::uint8_t k = keyChainIndexOf(buttonId);
    return k == kNoChainIndex ? KeyFace{} : frame[k];
}

} // namespace kw
