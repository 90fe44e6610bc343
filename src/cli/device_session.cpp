#include "cli/device_session.h"

#include "core/device/access_help.h"
#include "core/device/interface_selection.h"

#include <iomanip>
#include <ostream>
#include <sstream>

namespace kw::cli {

namespace {

std::string hex(std::span<const std::uint8_t> bytes) {
    std::ostringstream out;
    out << std::hex << std::setfill('0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out << (i ? " " : "") << std::setw(2) << static_cast<int>(bytes[i]);
    }
    return out.str();
}

} // namespace

DeviceSession::DeviceSession(Context& context)
    : context_(context), choice_{context.options.simulate, context.options.simulateState,
                                 context.options.hidRoot} {
    sim::attachKeyboardLock(lock_, choice_,
                            [this] { return device_ ? device_->path() : std::string(); });
    if (choice_.simulate && choice_.simulateState) {
        // Another command loading the same file meanwhile would lose one of the two changes.
        lockHeld_ = lock_.lock(&busyHolder_);
    }
    keyboard_ = sim::chooseKeyboardBackend(choice_);
    device_ = std::make_unique<HidDevice>(*keyboard_.backend);
    transport_ = std::make_unique<Transport>(*device_, interfaceOpen_);
    transport_->shareSequenceLock(lock_);
    if (context.options.trace) {
        transport_->setObserver(
            [&err = context.err](ReportDirection d, std::span<const std::uint8_t> bytes) {
                err << (d == ReportDirection::Written ? "> " : "< ") << hex(bytes) << '\n';
            });
    }
}

DeviceSession::~DeviceSession() {
    device_->close();
    saveState();
    if (lockHeld_) {
        lock_.unlock();
    }
    context_.keyboardChanged = context_.keyboardChanged || transport_->keyboardWritten();
}

// A state file we could not read is left as it is rather than overwritten,
// and one another command holds is not ours to write.
bool DeviceSession::saveState() {
    if (choice_.simulateState && !lockHeld_) {
        return false;
    }
    return sim::saveKeyboardState(keyboard_, choice_);
}

int DeviceSession::failBusy() {
    return fail(context_, kExitNoKeyboard,
                "the keyboard is in use by " +
                    (busyHolder_.empty() ? std::string("another program") : busyHolder_) +
                    "; nothing was changed, try again when it has finished");
}

int DeviceSession::connect() {
    if (choice_.simulateState && !lockHeld_) {
        return failBusy();
    }
    if (keyboard_.stateLoadFailed) {
        return fail(context_, kExitUsage,
                    context_.options.simulateState->string() +
                        " is not a simulated keyboard state file");
    }
    // A missing state file is created now, with a factory-fresh keyboard.
    if (keyboard_.keyboard && context_.options.simulateState && !saveState()) {
        return fail(context_, kExitUsage,
                    "cannot write " + context_.options.simulateState->string());
    }
    const InterfaceScan scan = openFirstMatching(*device_, InterfaceRole::Configuration);
    if (scan.found) {
        if (!lockHeld_) {
            lockHeld_ = lock_.lock(&busyHolder_);
            if (!lockHeld_) {
                device_->close();
                return failBusy();
            }
        }
        interfaceOpen_ = 1;
        return kExitOk;
    }
    if (scan.accessDenied) {
        return fail(context_, kExitNoKeyboard,
                    "the keyboard is connected but " + scan.deniedPath +
                        " cannot be opened (permission denied). Install the udev rule:\n" +
                        accessRuleCommands(context_.programFolder / "70-keyweave.rules") +
                        "\nthen unplug the keyboard and plug it in again");
    }
    if (!scan.enumerated) {
        return fail(context_, kExitNoKeyboard, "cannot list the HID devices");
    }
    return fail(context_, kExitNoKeyboard, "no keyboard found");
}

} // namespace kw::cli
