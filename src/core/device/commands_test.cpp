#include "core/base/bytes.h"
#include "core/device/commands.h"
#include "sim/sim_link.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <numeric>

namespace kw {
namespace {

using sim::SimLink;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::SizeIs;

std::uint16_t offsetOf(const std::vector<std::uint8_t>& packet) {
    return loadU16(packet, 5);
}

std::vector<std::uint8_t> pattern(std::size_t n, std::uint8_t seed) {
    std::vector<std::uint8_t> v(n);
    std::iota(v.begin(), v.end(), seed);
    return v;
}

TEST(CommandPacket, ChecksumsOfTheFixedCommands) {
    struct Case {
        const char* name;
        std::function<int(Transport&)> send;
        std::uint8_t lo, hi;
    };
    const Case cases[] = {
        {"begin", [](Transport& t) { return BeginTransfer(t); }, 0x01, 0x00},
        {"device info",
         [](Transport& t) {
             DeviceInfo info;
             return ReadDeviceInfo(t, info);
         },
         0x2F, 0x00},
    };
    for (const auto& c : cases) {
        SimLink link;
        EXPECT_EQ(c.send(link.transport), kCommandOk) << c.name;
        const auto written = link.written();
        ASSERT_THAT(written, SizeIs(1)) << c.name;
        EXPECT_THAT(written[0], SizeIs(64)) << c.name;
        EXPECT_EQ(written[0][1], c.lo) << c.name;
        EXPECT_EQ(written[0][2], c.hi) << c.name;
    }
}

TEST(Transport, RequestsArePaddedOrCutToOneReport) {
    for (std::size_t length : {std::size_t{10}, std::size_t{70}}) {
        SimLink link;
        auto request = pattern(length, 1);
        std::array<std::uint8_t, 64> answer{};
        std::size_t read = 0;
        EXPECT_EQ(link.transport.SendCommand(request, answer, read), kTransportOk);
        const auto written = link.written();
        ASSERT_THAT(written, SizeIs(1));
        ASSERT_THAT(written[0], SizeIs(64));
        for (std::size_t i = 0; i < 64; ++i) {
            EXPECT_EQ(written[0][i], i < length ? request[i] : 0) << "byte " << i;
        }
    }
}

TEST(Transport, ClosedInterfaceSendsNothing) {
    SimLink link;
    link.interfaceOpen = 0;
    DeviceInfo info;
    std::array<std::uint8_t, 420> table{};
    EXPECT_EQ(BeginTransfer(link.transport), kCommandNoAnswer);
    EXPECT_EQ(ReadDeviceInfo(link.transport, info), kCommandNoAnswer);
    EXPECT_EQ(WriteKeyMatrix(link.transport, 0, table), kCommandNoAnswer);
    EXPECT_EQ(EnterBootMode(link.transport), kCommandNoAnswer);
    EXPECT_THAT(link.written(), SizeIs(0));
}

TEST(Transport, SilentKeyboardGetsFourWritesThenZero) {
    SimLink link;
    link.keyboard.dropAnswers(4);
    EXPECT_EQ(BeginTransfer(link.transport), kCommandNoAnswer);
    const auto written = link.written();
    ASSERT_THAT(written, SizeIs(4));
    EXPECT_THAT(written, Each(written[0]));
}

TEST(Transport, LateAnswerOnTheLastAttemptSucceeds) {
    SimLink link;
    link.keyboard.dropAnswers(3);
    EXPECT_EQ(BeginTransfer(link.transport), kCommandOk);
    EXPECT_THAT(link.written(), SizeIs(4));
}

TEST(Transport, FailedWriteIsNotRetried) {
    SimLink link;
    link.keyboard.unplug(); // the watcher has not noticed yet: interfaceOpen is still 1
    EXPECT_EQ(BeginTransfer(link.transport), kCommandWriteFailed);
}

TEST(Transport, ObserverSeesEveryReportBothWays) {
    SimLink link;
    std::vector<std::pair<ReportDirection, std::size_t>> seen;
    link.transport.setObserver([&](ReportDirection d, std::span<const std::uint8_t> bytes) {
        seen.emplace_back(d, bytes.size());
    });
    EXPECT_EQ(BeginTransfer(link.transport), kCommandOk);
    EXPECT_THAT(seen, ElementsAre(std::pair{ReportDirection::Written, std::size_t{64}},
                                  std::pair{ReportDirection::Read, std::size_t{64}}));
}

TEST(KeyMatrixCommands, ProfileOneIsWrittenInChunksAtItsStride) {
    SimLink link;
    const auto table = pattern(420, 7);
    EXPECT_EQ(WriteKeyMatrix(link.transport, 1, table), kCommandOk);
    const auto written = link.written();
    ASSERT_THAT(written, SizeIs(8));
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i][3], kCmdWriteKeyMatrix);
        EXPECT_EQ(offsetOf(written[i]), 0x200 + 56 * i);
        EXPECT_EQ(written[i][4], i < 7 ? 56 : 28);
    }
    EXPECT_EQ(offsetOf(written.back()), 0x388);
    const auto memory = link.keyboard.memory();
    EXPECT_TRUE(std::equal(table.begin(), table.end(), memory.keyTables[1].begin()));

    std::array<std::uint8_t, 420> back{};
    EXPECT_EQ(ReadKeyMatrix(link.transport, 1, back), kCommandOk);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), back.begin()));
}

TEST(KeyMatrixCommands, BadProfileIsRefusedBeforeSending) {
    SimLink link;
    std::array<std::uint8_t, 420> table{};
    for (int profile : {3, -1, 255}) {
        EXPECT_EQ(WriteKeyMatrix(link.transport, profile, table), kCommandBadArgument) << profile;
        EXPECT_EQ(ReadKeyMatrix(link.transport, profile, table), kCommandBadArgument) << profile;
    }
    EXPECT_THAT(link.written(), SizeIs(0));
}

TEST(MacroAreaCommands, FailureOnTheThirdChunkKeepsTwoStoredChunks) {
    SimLink link;
    const auto before = link.keyboard.memory().macroArea;
    const auto area = pattern(200, 1);
    link.keyboard.answerStatus(3, kStatusFailed);
    EXPECT_EQ(WriteMacroArea(link.transport, area), kCommandFailed);
    EXPECT_THAT(link.written(), SizeIs(3));
    const auto after = link.keyboard.memory().macroArea;
    EXPECT_TRUE(std::equal(area.begin(), area.begin() + 112, after.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 112, after.end(), before.begin() + 112));
}

TEST(MacroAreaCommands, EmptyAreaIsNotTransferred) {
    SimLink link;
    EXPECT_EQ(WriteMacroArea(link.transport, {}), kCommandOk);
    EXPECT_EQ(ReadMacroArea(link.transport, {}), kCommandOk);
    EXPECT_THAT(link.written(), SizeIs(0));
}

TEST(MacroAreaCommands, RoundTripAndCapacityLimit) {
    SimLink link;
    const std::size_t capacity = link.keyboard.memory().macroArea.size();
    const auto area = pattern(capacity, 3);
    EXPECT_EQ(WriteMacroArea(link.transport, area), kCommandOk);
    std::vector<std::uint8_t> back(capacity);
    EXPECT_EQ(ReadMacroArea(link.transport, back), kCommandOk);
    EXPECT_EQ(back, area);
    std::vector<std::uint8_t> tooBig(capacity + 1);
    EXPECT_EQ(WriteMacroArea(link.transport, tooBig), kCommandRefused);
}

TEST(DeviceInfoCommands, ReadAndSelectProfileKeepsTheRest) {
    SimLink link;
    DeviceInfo info;
    ASSERT_EQ(ReadDeviceInfo(link.transport, info), kCommandOk);
    EXPECT_EQ(info.firmwareVersion(), 0x0105);
    EXPECT_EQ(info.macroCapacityBytes(), 4096);
    EXPECT_EQ(info.effectSlots()[0], 1);
    const DeviceInfo original = info;
    info.setActiveProfile(2);
    EXPECT_EQ(WriteDeviceInfo(link.transport, info), kCommandOk);
    DeviceInfo again;
    ASSERT_EQ(ReadDeviceInfo(link.transport, again), kCommandOk);
    EXPECT_EQ(again.activeProfile(), 2);
    again.setActiveProfile(original.activeProfile());
    EXPECT_EQ(again.bytes, original.bytes);
}

TEST(ParameterCommands, WritesLandAtTheirOffsetAndBadOnesAreRefused) {
    SimLink link;
    const std::array<std::uint8_t, 3> colour{0x10, 0x20, 0x30};
    EXPECT_EQ(WriteParameters(link.transport, 42 + 5, colour), kCommandOk);
    std::array<std::uint8_t, 56> block{};
    EXPECT_EQ(ReadParameters(link.transport, 56, 42, block), kCommandOk);
    EXPECT_THAT(std::vector(block.begin() + 5, block.begin() + 8), ElementsAre(0x10, 0x20, 0x30));
    // The third block's window runs past the area: the keyboard pads with zeros.
    EXPECT_EQ(ReadParameters(link.transport, 56, 84, block), kCommandOk);
    EXPECT_THAT(std::vector(block.begin() + 42, block.end()), Each(0));

    EXPECT_EQ(WriteParameters(link.transport, 125, colour), kCommandRefused);
    std::vector<std::uint8_t> tooLong(57);
    EXPECT_EQ(WriteParameters(link.transport, 0, tooLong), kCommandBadArgument);
}

TEST(KeyColourCommands, ProfilePagesAreSeparate) {
    SimLink link;
    const std::array<std::uint8_t, 3> red{0xFF, 0, 0};
    EXPECT_EQ(WriteKeyColours(link.transport, 512 * 2 + 3 * 10, red), kCommandOk);
    const auto memory = link.keyboard.memory();
    EXPECT_THAT(std::vector(memory.keyColours[2].begin() + 30, memory.keyColours[2].begin() + 33),
                ElementsAre(0xFF, 0, 0));
    EXPECT_EQ(memory.keyColours[0][30], 0xFF); // profile 0 untouched (factory white)
    EXPECT_EQ(memory.keyColours[0][31], 0xFF);
    EXPECT_EQ(WriteKeyColours(link.transport, 512 * 3, red), kCommandRefused);
}

TEST(DefaultMatrixCommand, ReadsTheFactoryTable) {
    SimLink link;
    std::array<std::uint8_t, 420> table{};
    EXPECT_EQ(ReadDefaultMatrix(link.transport, table), kCommandOk);
    EXPECT_EQ(table, link.keyboard.memory().defaultMatrix);
}

TEST(BootMode, SpecialPacketAndTheKeyboardLeaves) {
    SimLink link;
    EXPECT_EQ(EnterBootMode(link.transport), kCommandOk);
    const auto written = link.written();
    ASSERT_THAT(written, SizeIs(1));
    std::vector<std::uint8_t> expected(64, 0);
    expected[0] = 0x04;
    expected[3] = 0xEE;
    expected[4] = 0xEE;
    EXPECT_EQ(written[0], expected);
    EXPECT_FALSE(link.keyboard.plugged());
    EXPECT_TRUE(link.keyboard.inBootMode());
}

} // namespace
} // namespace kw
