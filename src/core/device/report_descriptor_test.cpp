#include "core/device/report_descriptor.h"
#include "core/device/test_descriptors.h"
#include "sim/simulated_keyboard.h"

#include <gtest/gtest.h>
#include <random>

namespace kw {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ReportDescriptor, RealWorldCollections) {
    struct Case {
        const char* name;
        Bytes descriptor;
        std::uint16_t page, usage, input, output;
        bool ids;
        std::size_t fields;
    };
    const Case cases[] = {
        {"vendor 64-byte id 4", sim::configurationDescriptor(), 0xFF1C, 0x0092, 64, 64, true, 1},
        {"consumer array", sim::eventDescriptor(), 0x000C, 0x0001, 3, 0, true, 1},
        {"boot keyboard", testing::kBootKeyboard, 0x0001, 0x0006, 9, 2, false, 2},
        {"pointer", testing::kPointerWithId, 0x0001, 0x0002, 4, 0, true, 2},
    };
    for (const auto& c : cases) {
        const auto parsed = parseReportDescriptor(c.descriptor);
        ASSERT_TRUE(parsed) << c.name;
        ASSERT_EQ(parsed->collections.size(), 1u) << c.name;
        const auto& tlc = parsed->collections[0];
        EXPECT_EQ(tlc.usagePage, c.page) << c.name;
        EXPECT_EQ(tlc.usage, c.usage) << c.name;
        EXPECT_EQ(tlc.inputReportLength, c.input) << c.name;
        EXPECT_EQ(tlc.outputReportLength, c.output) << c.name;
        EXPECT_EQ(tlc.usesReportIds, c.ids) << c.name;
        EXPECT_EQ(tlc.inputs.size(), c.fields) << c.name; // padding is not a control
    }
}

TEST(ReportDescriptor, BootKeyboardFieldLayout) {
    const auto parsed = parseReportDescriptor(testing::kBootKeyboard);
    ASSERT_TRUE(parsed);
    const auto& inputs = parsed->collections[0].inputs;
    ASSERT_EQ(inputs.size(), 2u);
    // Modifiers right after the (absent) report id byte, keys after the reserved byte.
    EXPECT_EQ(inputs[0].bitOffset, 8u);
    EXPECT_FALSE(inputs[0].isArray);
    EXPECT_EQ(inputs[0].usageOfField(3), 0xE3);
    EXPECT_EQ(inputs[1].bitOffset, 24u);
    EXPECT_TRUE(inputs[1].isArray);
    EXPECT_EQ(inputs[1].usagePage, 0x07);
    EXPECT_EQ(inputs[1].usageOfArrayIndex(4), 4);
    EXPECT_EQ(inputs[1].usageOfArrayIndex(0x66), 0); // beyond the logical maximum
}

TEST(ReportDescriptor, SeveralTopLevelCollectionsKeepTheirOwnReports) {
    const auto parsed = parseReportDescriptor(testing::kThreeCollections);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->collections.size(), 3u);
    const std::uint16_t pages[] = {0x01, 0x0C, 0x01};
    const std::uint16_t usages[] = {0x06, 0x01, 0x80};
    const std::uint16_t lengths[] = {2, 5, 2};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(parsed->collections[i].usagePage, pages[i]) << i;
        EXPECT_EQ(parsed->collections[i].usage, usages[i]) << i;
        EXPECT_EQ(parsed->collections[i].inputReportLength, lengths[i]) << i;
        EXPECT_EQ(parsed->collections[i].inputs.front().reportId, i + 1) << i;
    }
}

TEST(ReportDescriptor, HostileDescriptorsAreRefused) {
    struct Case {
        const char* name;
        Bytes descriptor;
    };
    const Case cases[] = {
        {"truncated item data", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF}},
        {"long item past the end", {0xFE, 0x20, 0x01, 0x00}},
        {"long item header cut", {0xFE, 0x01}},
        {"absurd report count",
         {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81,
          0x02, 0xC0}},
        {"report count that wraps 32 bits",
         {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x77, 0x00, 0x00,
          0x01, 0x00, 0x97, 0x00, 0x00, 0x01, 0x00, 0x81, 0x02, 0xC0}},
        {"pop without push", {0xB4}},
        {"end without collection", {0xC0}},
        {"collection never closed", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01}},
        {"input outside a collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        {"report id 0", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"larger than the kernel allows", Bytes(kMaxDescriptorBytes + 1, 0x00)},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(parseReportDescriptor(c.descriptor)) << c.name;
    }

    Bytes deepPush(kMaxGlobalStackDepth + 1, 0xA4);
    EXPECT_FALSE(parseReportDescriptor(deepPush)) << "push stack";
    Bytes deepCollections;
    for (std::size_t i = 0; i <= kMaxCollectionDepth; ++i) {
        deepCollections.insert(deepCollections.end(), {0xA1, 0x00});
    }
    EXPECT_FALSE(parseReportDescriptor(deepCollections)) << "nesting";
}

TEST(ReportDescriptor, LongItemsAndUnknownItemsAreSteppedOver) {
    Bytes d{0xFE, 0x02, 0x10, 0xAA, 0xBB}; // a long item of 2 bytes
    const Bytes events = sim::eventDescriptor();
    d.insert(d.end(), events.begin(), events.end());
    d.insert(d.end(), {0xF4}); // reserved item type
    const auto parsed = parseReportDescriptor(d);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->collections.at(0).usagePage, 0x000C);
}

// Random and mutated descriptors: the parser must come back every time, with
// every field it accepts inside its report.
TEST(ReportDescriptor, RandomAndMutatedInputNeverBreakTheParser) {
    std::mt19937 rng(1234);
    const Bytes seeds[] = {sim::configurationDescriptor(), sim::eventDescriptor(),
                           testing::kBootKeyboard, testing::kThreeCollections};
    for (int round = 0; round < 20000; ++round) {
        Bytes d;
        if (round % 2 == 0) {
            d.resize(rng() % 96);
            for (auto& b : d) {
                b = static_cast<std::uint8_t>(rng());
            }
        } else {
            d = seeds[rng() % 4];
            for (int k = 0; k < 3; ++k) {
                d[rng() % d.size()] = static_cast<std::uint8_t>(rng());
            }
            d.resize(rng() % (d.size() + 1));
        }
        const auto parsed = parseReportDescriptor(d);
        if (!parsed) {
            continue;
        }
        for (const auto& c : parsed->collections) {
            for (const auto& f : c.inputs) {
                EXPECT_LE(f.bitOffset + std::uint64_t{f.bitSize} * f.count, kMaxReportBytes * 8ull);
                EXPECT_LE(f.usages.size(), kMaxLocalUsages);
            }
        }
    }
}

} // namespace
} // namespace kw
