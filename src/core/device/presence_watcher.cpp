#include "core/device/presence_watcher.h"

#include "core/device/commands.h"
#include "core/device/interface_selection.h"

namespace kw {

PresenceWatcher::PresenceWatcher(HidDevice& device, Transport& transport, DeviceLinkState& state,
                                 DeviceWindow& window, PresenceTimings timings)
    : device_(device), transport_(transport), state_(state), window_(window), timings_(timings) {}

PresenceWatcher::~PresenceWatcher() {
    stop();
}

void PresenceWatcher::start() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    changes_ = device_.backend().watchChanges();
    thread_ = std::thread([this] { run(); });
}

void PresenceWatcher::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (changes_) {
        changes_->stop();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    changes_.reset();
}

bool PresenceWatcher::pause(std::chrono::milliseconds duration) {
    if (changes_) {
        changes_->wait(duration, device_.connection().get());
        std::lock_guard lock(mutex_);
        return !stopping_;
    }
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, duration, [this] { return stopping_; });
}

std::chrono::milliseconds PresenceWatcher::presentWait() const {
    // A removal the platform reports ends the wait at once; without such
    // reports the handle and the node are polled.
    return changes_ ? timings_.presentCheck : timings_.presentPoll;
}

bool PresenceWatcher::wakeUpProbe() {
    // One information read wakes a keyboard that sleeps until it is spoken to.
    const InterfaceScan scan = openFirstMatching(device_, InterfaceRole::Configuration);
    if (scan.found) {
        state_.interfaceOpen = 1;
        DeviceInfo ignored;
        ReadDeviceInfo(transport_, ignored);
        state_.interfaceOpen = 0;
        device_.close();
    }
    return scan.enumerated;
}

InterfaceScan PresenceWatcher::scan() {
    const InterfaceScan scan = openFirstMatching(device_, InterfaceRole::Configuration);
    if (scan.found) {
        interfacePath_ = device_.path();
    }
    return scan;
}

void PresenceWatcher::reportAccess(const InterfaceScan& scan) {
    const std::string denied = !scan.found && scan.accessDenied ? scan.deniedPath : std::string();
    if (denied != deniedPath_) {
        deniedPath_ = denied;
        window_.reportAccessDenied(denied);
    }
}

void PresenceWatcher::run() {
    if (state_.firstPresenceHandled == 1 && !pause(timings_.startDelay)) {
        return;
    }
    // A platform that cannot list its interfaces ends the watcher.
    if (!wakeUpProbe()) {
        return;
    }
    bool initialReport = true;
    for (;;) {
        if (state_.interfaceOpen == 1) {
            // The node must exist and our handle must still reach it: a quick
            // re-plug can bring a new device to the same path.
            if (!device_.exists(interfacePath_) || !device_.isAlive()) {
                state_.interfaceOpen = 0;
                OnDevicePresenceChanged(0);
            }
        }
        if (state_.interfaceOpen == 0) {
            const InterfaceScan found = scan();
            if (!found.enumerated) {
                break;
            }
            reportAccess(found);
            if (found.found) {
                state_.interfaceOpen = 1;
                OnDevicePresenceChanged(1);
            }
            if (initialReport) {
                initialReport = false;
                OnDevicePresenceChanged(state_.interfaceOpen);
                if (state_.interfaceOpen == 0) {
                    state_.firstPresenceHandled = 1;
                }
            }
        }
        if (!pause(state_.interfaceOpen == 1 ? presentWait() : timings_.absentPoll)) {
            break;
        }
    }
    state_.interfaceOpen = 0;
    device_.close();
}

void PresenceWatcher::OnDevicePresenceChanged(int present) {
    if (present == state_.devicePresent) {
        return;
    }
    if (present == 0) {
        state_.keyboard.currentProfile = kProfileUnknown;
        window_.closeEditors();
        window_.hideWindow();
        window_.setPresenceIcon(kIconKeyboardAbsent);
    } else {
        window_.checkFirmwareVersion();
        std::array<std::uint8_t, kKeyTableTransferBytes> bytes{};
        KeyMatrix matrix{};
        if (ReadDefaultMatrix(transport_, bytes) == kCommandOk &&
            keyMatrixFromBytes(bytes, matrix)) {
            state_.keyboard.defaultMatrix.replace(matrix);
        } else if (device_.isAlive()) {
            window_.showDefaultMatrixPrompt();
        }
        DeviceInfo info;
        if (ReadDeviceInfo(transport_, info) == kCommandOk) {
            state_.keyboard.macroCapacity = info.macroCapacityBytes();
        }
        // A keyboard that left during the sequence is reported gone at the
        // next look; reading it now would only fail, with a second message.
        if (device_.isAlive()) {
            window_.refreshProfiles();
        }
        window_.setPresenceIcon(kIconKeyboardPresent);
    }
    state_.devicePresent = present;
    if (state_.firstPresenceHandled == 0) {
        if (present == 1) {
            window_.postShowWindow();
        }
        state_.firstPresenceHandled = 1;
    }
}

} // namespace kw
