// Profile-file validation and loading on hostile bytes. The input is unpacked
// into a file so that the fuzzer reaches past the 32832-byte block within its
// usual input sizes: [mode][header 32][entries length u16][entry bytes]
// [macro count][per macro: length u16, bytes][pool]. Mode bit 0 makes
// totalSize agree with the counts, bit 1 puts the checksum right.

#include "core/base/bytes.h"
#include "core/config/config_block_codec.h"
#include "core/config/config_file.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::vector<std::uint8_t> unpackInput(const std::uint8_t* data, std::size_t size) {
    kw::ByteReader in(std::span<const std::uint8_t>(data, size));
    const std::uint8_t mode = in.u8();
    static const std::vector<std::uint8_t> kDefaultBlock = [] {
        std::vector<std::uint8_t> bytes;
        kw::ByteWriter out(bytes);
        kw::appendConfigBlock(out, *kw::makeDefaultBlock());
        return bytes;
    }();
    std::vector<std::uint8_t> file = kDefaultBlock;
    kw::ByteWriter out(file);

    const auto header = in.take(std::min<std::size_t>(kw::kConfigHeaderSize, in.remaining()));
    std::copy(header.begin(), header.end(), file.begin());
    const std::size_t entriesRoom = kw::kConfigBlockSize - 64;
    const auto entries = in.take(std::min<std::size_t>({in.u16(), in.remaining(), entriesRoom}));
    std::copy(entries.begin(), entries.end(), file.begin() + 64);

    const std::uint8_t macros = in.u8();
    for (std::uint8_t m = 0; m < macros && in.remaining() > 0; ++m) {
        const auto record =
            in.take(std::min<std::size_t>({in.u16(), in.remaining(), kw::kMacroRecordSize}));
        out.bytes(record);
        out.zeros(kw::kMacroRecordSize - record.size());
    }
    out.bytes(in.take(in.remaining()));

    kw::ConfigHeader h;
    kw::decodeConfigHeader(file, h);
    if (mode & 1) {
        h.totalSize = static_cast<std::uint32_t>(kw::configurationSize(h.macroCount, h.poolBytes));
    }
    if (mode & 2) {
        h.checksum = kw::headerChecksum(h);
    }
    const auto headerBytes = kw::encodeConfigHeader(h);
    std::copy(headerBytes.begin(), headerBytes.end(), file.begin());
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = unpackInput(data, size);
    kw::ConfigHeader header;
    kw::decodeConfigHeader(file, header);
    // The checks ValidateProfileFile makes of a file it has read.
    const bool valid = kw::headerIsValid(header) && kw::configurationLayoutHolds(header, file);

    auto image = std::make_unique<kw::ConfigImage>();
    const bool loaded = kw::loadConfigurationBytes(*image, file);
    if (valid && !loaded) {
        std::abort(); // a valid profile file must load
    }
    if (!loaded) {
        if (image->block || !image->macros.empty() || image->stringBytes != 0) {
            std::abort(); // a failed load leaves the image as it was
        }
        return 0;
    }
    if (image->stringBytes > header.poolBytes + 2u * kw::kEntryCount) {
        std::abort(); // strings never take more than the pool they came from
    }
    // What was loaded saves and loads again to the same image.
    const auto saved = kw::configurationFileBytes(*image);
    auto again = std::make_unique<kw::ConfigImage>();
    if (!saved || !kw::loadConfigurationBytes(*again, *saved) || *again->block != *image->block ||
        again->macros != image->macros || again->stringBytes != image->stringBytes) {
        std::abort();
    }
    return 0;
}
