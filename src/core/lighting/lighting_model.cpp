#include "core/lighting/lighting_model.h"

#include "core/device/commands.h"
#include "core/lighting/lighting_block.h"
#include "core/lighting/lighting_sliders.h"
#include "core/lighting/user_mode.h"
#include "core/lighting/view_settings.h"
#include "core/lighting/write_transaction.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kw {

LightingModel::LightingModel(Transport& transport, std::filesystem::path viewSettingsFile)
    : transport_(transport), viewSettingsFile_(std::move(viewSettingsFile)) {}

void LightingModel::setProfile(int profile) {
    if (profile >= 0 && profile < kLightingProfiles) {
        profile_ = profile;
    }
}

int LightingModel::ReadLighting() {
    KeyboardLockGuard held(transport_.sequenceLock());
    if (!held.held()) {
        return -1; // what the window shows stays as it was read last
    }
    effects_ = EffectList{};
    slots_ = EffectSlotTable{};
    DeviceInfo info;
    if (ReadDeviceInfo(transport_, info) != kCommandOk) {
        return -1;
    }
    effects_ = EffectList::fromDeviceInfo(info);
    slots_ = EffectSlotTable(effects_);

    std::array<std::uint8_t, kLightingAreaSize> area{};
    int result = BeginTransfer(transport_);
    for (int p = 0; p < kLightingProfiles && result == kCommandOk; ++p) {
        std::array<std::uint8_t, kLightingReadWindow> window{};
        result = ReadParameters(transport_, kLightingReadWindow, LightingFieldOffset(p, 0), window);
        std::copy_n(window.begin(), kLightingBlockSize,
                    area.begin() + static_cast<std::ptrdiff_t>(p * kLightingBlockSize));
    }
    EndTransfer(transport_);
    if (result != kCommandOk) {
        // Decoding a record that never arrived would show zeros as settings.
        return -1;
    }
    state_.area = area;
    DecodeLightingBlock(
        std::span(area).subspan(static_cast<std::size_t>(profile_) * kLightingBlockSize,
                                kLightingBlockSize),
        state_);
    // The stored view setting can only switch the view on.
    if (ReadLightingViewSetting(viewSettingsFile_)) {
        state_.lightingView = true;
    }
    return 0;
}

int LightingModel::writeField(int field, std::uint8_t value) {
    const std::array<std::uint8_t, 1> bytes{value};
    const AreaWrite write{LightingFieldOffset(profile_, field), bytes};
    return RunWriteTransaction(transport_, WriteParameters, std::span(&write, 1));
}

int LightingModel::SelectEffect(std::uint8_t code) {
    state_.effect = code;
    if (!IsKnownEffect(code)) {
        return 0;
    }
    const std::array<std::uint8_t, 1> effect{code};
    const std::array<std::uint8_t, 1> multicolour{
        static_cast<std::uint8_t>(state_.multicolour ? 1 : 0)};
    std::vector<AreaWrite> writes{AreaWrite{LightingFieldOffset(profile_, kFieldEffect), effect}};
    if (EffectWritesMulticolour(code)) {
        writes.push_back(AreaWrite{LightingFieldOffset(profile_, kFieldMulticolour), multicolour});
    }
    return RunWriteTransaction(transport_, WriteParameters, writes);
}

int LightingModel::SetBrightnessPosition(int position) {
    const int value = BrightnessOfPosition(position);
    if (value == state_.brightness) {
        return kCommandOk;
    }
    state_.brightness = static_cast<std::uint8_t>(value);
    return writeField(kFieldBrightness, state_.brightness);
}

int LightingModel::SetSpeedPosition(int position) {
    const int value = SpeedOfPosition(position);
    if (value == state_.speed) {
        return kCommandOk;
    }
    state_.speed = static_cast<std::uint8_t>(value);
    return writeField(kFieldSpeed, state_.speed);
}

int LightingModel::SetDirection(std::uint8_t direction) {
    state_.direction = direction == kDirectionSecond ? kDirectionSecond : kDirectionFirst;
    return writeField(kFieldDirection, state_.direction);
}

int LightingModel::SetColour(Colorref colour) {
    state_.multicolour = false;
    state_.colour = colour & 0xFFFFFF;
    const Rgb rgb = rgbOf(state_.colour);
    const std::array<std::uint8_t, 1> off{0};
    const std::array<std::uint8_t, 3> bytes{rgb.red, rgb.green, rgb.blue};
    const std::array writes{AreaWrite{LightingFieldOffset(profile_, kFieldMulticolour), off},
                            AreaWrite{LightingFieldOffset(profile_, kFieldColour), bytes}};
    return RunWriteTransaction(transport_, WriteParameters, writes);
}

int LightingModel::ToggleMulticolour() {
    state_.multicolour = !state_.multicolour;
    return writeField(kFieldMulticolour, state_.multicolour ? 1 : 0);
}

int LightingModel::SetSwatch(int swatch) {
    if (swatch < 0 || swatch > kMaxSwatch) {
        return kCommandBadArgument;
    }
    state_.swatch = static_cast<std::uint8_t>(swatch);
    return writeField(kFieldSwatch, state_.swatch);
}

int LightingModel::SetReportRate(int rate) {
    if (rate < 0 || rate > kMaxReportRate) {
        return kCommandBadArgument;
    }
    state_.reportRate = static_cast<std::uint8_t>(rate);
    return writeField(kFieldReportRate, state_.reportRate);
}

int LightingModel::RestoreDefaultLighting(UserModeModel* userModes,
                                          const std::filesystem::path& defaultUserFile) {
    KeyboardLockGuard held(transport_.sequenceLock());
    if (!held.held()) {
        return kCommandBusy;
    }
    int result = SelectEffect(1);
    const auto block = DefaultLightingBlock();
    // The bytes past the default ones stay as the keyboard holds them.
    std::array<std::uint8_t, kLightingBlockSize> record{};
    const auto kept =
        std::span(state_.area)
            .subspan(static_cast<std::size_t>(profile_) * kLightingBlockSize, kLightingBlockSize);
    std::copy(kept.begin(), kept.end(), record.begin());
    std::copy(block.begin(), block.end(), record.begin());
    DecodeLightingBlock(record, state_);

    if (userModes && effects_.offers(kUserModeEffect)) {
        const int userResult = userModes->RestoreDefaultUserLighting(defaultUserFile);
        if (result == kCommandOk) {
            result = userResult;
        }
    }
    const AreaWrite write{LightingFieldOffset(profile_, 0), block};
    const int blockResult = RunWriteTransaction(transport_, WriteParameters, std::span(&write, 1));
    return result == kCommandOk ? blockResult : result;
}

bool LightingModel::SetLightingView(bool on) {
    state_.lightingView = on;
    return WriteLightingViewSetting(viewSettingsFile_, on);
}

} // namespace kw
