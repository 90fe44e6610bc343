#include "core/lighting/preview_random.h"

#include <chrono>

namespace kw {

SecondsClock systemSecondsClock() {
    return [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return static_cast<std::int64_t>(
            std::chrono::duration_cast<std::chrono::seconds>(now).count());
    };
}

} // namespace kw
