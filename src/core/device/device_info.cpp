#include "core/device/device_info.h"

#include "core/base/bytes.h"

namespace kw {

std::uint16_t DeviceInfo::firmwareVersion() const {
    return loadU16(bytes, 8);
}

void DeviceInfo::setFirmwareVersion(std::uint16_t version) {
    storeU16(bytes, 8, version);
}

std::span<const std::uint8_t, kEffectSlots> DeviceInfo::effectSlots() const {
    return std::span<const std::uint8_t>(bytes).subspan<12, kEffectSlots>();
}

std::span<std::uint8_t, kEffectSlots> DeviceInfo::effectSlots() {
    return std::span<std::uint8_t>(bytes).subspan<12, kEffectSlots>();
}

} // namespace kw
