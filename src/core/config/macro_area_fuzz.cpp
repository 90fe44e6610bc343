// Decoding a macro area read from the keyboard: [macroCount u16][area bytes].

#include "core/base/bytes.h"
#include "core/config/macro_area.h"

#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const std::uint16_t macroCount = kw::loadU16(input, 0);
    const auto area = input.subspan(std::min<std::size_t>(2, size));

    const auto macros = kw::decodeMacroArea(area, macroCount, u"M");
    if (macros.size() > kw::kMacroCountMax || macros.size() > macroCount) {
        std::abort();
    }
    for (const auto& m : macros) {
        if (m.actionCount > kw::kMacroActionsMax || m.nameView().empty()) {
            std::abort();
        }
    }
    // The decoded macros build an area that decodes to the same macros, keys aside
    // (an entry the keyboard holds may name a key the program sends another way).
    const auto sizes = kw::macroAreaSizes(macros);
    if (sizes.full > 0xFFFF) {
        return 0; // beyond what the area's 16-bit offsets address
    }
    const auto rebuilt = kw::buildMacroArea(macros, sizes.full, true);
    const auto again =
        kw::decodeMacroArea(rebuilt, static_cast<std::uint16_t>(macros.size()), u"M");
    if (again.size() != macros.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < macros.size(); ++i) {
        const auto& a = macros[i];
        const auto& b = again[i];
        if (a.nameView() != b.nameView() || a.repeatCount != b.repeatCount ||
            a.actionCount != b.actionCount) {
            std::abort();
        }
        for (std::size_t k = 0; k < a.actionCount; ++k) {
            if (a.actions[k].delayMs != b.actions[k].delayMs ||
                a.actions[k].isRelease != b.actions[k].isRelease) {
                std::abort();
            }
        }
    }
    return 0;
}
