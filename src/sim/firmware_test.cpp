#include "core/base/bytes.h"
#include "sim/firmware.h"

#include <gtest/gtest.h>

namespace kw::sim {
namespace {

TEST(Firmware, OutOfRangeRequestsAreRefused) {
    struct Case {
        const char* name;
        std::uint8_t command, length;
        std::uint16_t offset;
    };
    const Case cases[] = {
        {"lighting write past the area", kCmdWriteParameters, 2, 125},
        {"lighting read at the end", kCmdReadParameters, 1, 126},
        {"parameter length over 56", kCmdWriteParameters, 57, 0},
        {"key table past slot 139", kCmdWriteKeyMatrix, 8, 416},
        {"key table of a fourth profile", kCmdReadKeyMatrix, 8, 3 * 512},
        {"colour past key 139", kCmdWriteKeyColours, 6, 512 + 417},
        {"factory table past its end", kCmdReadDefaultMatrix, 28, 400},
        {"macro area past its capacity", kCmdWriteMacroArea, 56, 4096 - 8},
        {"unknown command", 0x42, 0, 0},
        {"information block of the wrong length", kCmdWriteDeviceInfo, 43, 0},
    };
    for (const auto& c : cases) {
        auto memory = KeyboardMemory::factory();
        const auto before = memory;
        const auto reply = handleCommand(memory, buildCommandPacket(c.command, c.length, c.offset));
        ASSERT_TRUE(reply.answer) << c.name;
        EXPECT_EQ((*reply.answer)[7], kStatusRefused) << c.name;
        EXPECT_TRUE(memory == before) << c.name;
    }
}

TEST(Firmware, BadChecksumFailsAndChangesNothing) {
    auto memory = KeyboardMemory::factory();
    const auto before = memory;
    const std::array<std::uint8_t, 3> colour{1, 2, 3};
    auto packet = buildCommandPacket(kCmdWriteParameters, 3, 5, colour);
    packet[1] ^= 0x01;
    const auto reply = handleCommand(memory, packet);
    ASSERT_TRUE(reply.answer);
    EXPECT_EQ((*reply.answer)[7], kStatusFailed);
    EXPECT_TRUE(memory == before);
}

TEST(Firmware, AnswersEchoTheHeaderWithAValidChecksum) {
    auto memory = KeyboardMemory::factory();
    const auto reply = handleCommand(memory, buildCommandPacket(kCmdReadDefaultMatrix, 56, 56));
    ASSERT_TRUE(reply.answer);
    const auto& a = *reply.answer;
    EXPECT_EQ(a[0], kReportIdCommand);
    EXPECT_EQ(a[3], kCmdReadDefaultMatrix);
    EXPECT_EQ(a[4], 56);
    EXPECT_EQ(loadU16(a, 5), 56);
    EXPECT_EQ(loadU16(a, 1), packetChecksum(a));
    EXPECT_TRUE(std::equal(a.begin() + 8, a.end(), memory.defaultMatrix.begin() + 56));
}

TEST(Firmware, BootModePacketHasNoAnswer) {
    auto memory = KeyboardMemory::factory();
    CommandPacket packet{};
    packet[0] = 4;
    packet[3] = packet[4] = 0xEE;
    const auto reply = handleCommand(memory, packet);
    EXPECT_FALSE(reply.answer);
    EXPECT_TRUE(reply.entersBootMode);
}

} // namespace
} // namespace kw::sim
