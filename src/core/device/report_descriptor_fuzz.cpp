// Any bytes as a report descriptor, then the rest as an input report to
// unpack: neither may crash, read outside its bytes or allocate without bound.

#include "core/device/descriptor_backend.h"
#include "core/device/hid_device.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte says how much of the rest is the descriptor.
    const std::size_t split = std::min<std::size_t>(size - 1, data[0] * 4u);
    std::vector<std::uint8_t> descriptor(data + 1, data + 1 + split);
    std::vector<std::uint8_t> report(data + 1 + split, data + size);
    kw::testing::DescriptorBackend backend(std::move(descriptor));
    kw::HidDevice device(backend);
    if (device.open("fake", true, false, true, false)) {
        device.unpackInput(report);
    }
    return 0;
}
