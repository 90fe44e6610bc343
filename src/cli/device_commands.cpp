#include "cli/command_functions.h"
#include "cli/device_session.h"
#include "core/device/commands.h"
#include "core/device/interface_selection.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kw::cli {

namespace {

std::string hex4(unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%04X", value & 0xFFFF);
    return buffer;
}

std::string roleName(const HidDevice& device) {
    if (matchesRole(device, InterfaceRole::Configuration)) {
        return "configuration";
    }
    if (matchesRole(device, InterfaceRole::Events)) {
        return "events";
    }
    return "other";
}

} // namespace

int runInfo(Context& context, std::span<const std::string> args) {
    if (!args.empty()) {
        return fail(context, kExitUsage, "info takes no arguments");
    }
    DeviceSession session(context);
    if (const int code = session.connect(); code != kExitOk) {
        return code;
    }
    DeviceInfo info;
    const int result = ReadDeviceInfo(session.transport(), info);
    if (result != kCommandOk) {
        return fail(context, kExitNoKeyboard,
                    "the keyboard did not give its information (result " + std::to_string(result) +
                        ")");
    }
    nlohmann::json effects = nlohmann::json::array();
    for (std::uint8_t code : info.effectSlots()) {
        if (code != 0) {
            effects.push_back(code);
        }
    }
    const nlohmann::json out{
        {"firmwareVersion", hex4(info.firmwareVersion())},
        {"activeProfile", info.activeProfile()},
        {"macroCapacity", info.macroCapacityBytes()},
        {"effects", effects},
    };
    context.out << out.dump(2) << '\n';
    return kExitOk;
}

int runDevices(Context& context, std::span<const std::string> args) {
    if (!args.empty()) {
        return fail(context, kExitUsage, "devices takes no arguments");
    }
    DeviceSession session(context);
    HidDevice& device = session.device();
    if (!device.enumerate()) {
        return fail(context, kExitNoKeyboard, "cannot list the HID devices");
    }
    nlohmann::json list = nlohmann::json::array();
    while (const HidInterfaceEntry* entry = device.nextPath()) {
        if (!isCandidate(*entry)) {
            continue;
        }
        nlohmann::json item{{"path", entry->path},
                            {"vendorId", hex4(entry->vendorId)},
                            {"productId", hex4(entry->productId)}};
        const std::string path = entry->path;
        // Described without access rights, so listing works before the udev rule is in place.
        if (device.open(path, false, false, true, false)) {
            item["usagePage"] = hex4(device.caps().usagePage);
            item["usage"] = hex4(device.caps().usage);
            item["inputReportLength"] = device.caps().inputReportByteLength;
            item["role"] = roleName(device);
            device.close();
        } else {
            item["error"] = device.lastOpenError() == HidOpenError::AccessDenied
                                ? "permission denied"
                                : "cannot be described";
        }
        list.push_back(std::move(item));
    }
    device.clearPaths();
    if (list.empty()) {
        context.out << "[]\n";
        return fail(context, kExitNoKeyboard, "no keyboard found");
    }
    context.out << list.dump(2) << '\n';
    return kExitOk;
}

} // namespace kw::cli
