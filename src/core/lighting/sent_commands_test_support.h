#pragma once
// Reading back what the host sent to the simulated keyboard, as commands.

#include "core/base/bytes.h"
#include "sim/sim_link.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

namespace kw::testing {

struct SentCommand {
    std::uint8_t command = 0;
    std::uint16_t offset = 0;
    std::vector<std::uint8_t> data; // the payload's first `length` bytes

    friend bool operator==(const SentCommand&, const SentCommand&) = default;
    friend std::ostream& operator<<(std::ostream& os, const SentCommand& c) {
        os << "cmd " << int(c.command) << " @" << c.offset << " [";
        for (auto b : c.data) {
            os << ' ' << int(b);
        }
        return os << " ]";
    }
};

inline std::vector<SentCommand> sentCommands(const sim::SimLink& link) {
    std::vector<SentCommand> out;
    for (const auto& packet : link.written()) {
        SentCommand c;
        c.command = packet[3];
        c.offset = loadU16(packet, 5);
        const std::size_t length = std::min<std::size_t>(packet[4], 56);
        if (c.command == 0x06 || c.command == 0x11) {
            c.data.assign(packet.begin() + 8,
                          packet.begin() + 8 + static_cast<std::ptrdiff_t>(length));
        }
        out.push_back(std::move(c));
    }
    return out;
}

inline SentCommand begin() {
    return {0x01, 0, {}};
}
inline SentCommand end() {
    return {0x02, 0, {}};
}
inline SentCommand parameters(std::uint16_t offset, std::vector<std::uint8_t> data) {
    return {0x06, offset, std::move(data)};
}
inline SentCommand colours(std::uint16_t offset, std::vector<std::uint8_t> data) {
    return {0x11, offset, std::move(data)};
}

// A link whose end-of-transfer pause does not slow the tests down.
inline TransportTimings quickTimings() {
    TransportTimings t;
    t.endTransferPauseMs = 0;
    t.readTimeoutMs = 20;
    return t;
}

} // namespace kw::testing
