#include "core/device/event_listener.h"

#include "core/device/interface_selection.h"

namespace kw {

EventListener::EventListener(HidBackend& backend, DeviceLinkState& state, DeviceWindow& window,
                             std::chrono::milliseconds scanInterval)
    : backend_(backend), state_(state), window_(window), scanInterval_(scanInterval) {}

EventListener::~EventListener() {
    stop();
}

void EventListener::start() {
    stopping_ = false;
    if (!device_) {
        device_ = std::make_unique<HidDevice>(backend_);
    }
    thread_ = std::thread([this] { run(); });
}

void EventListener::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (device_) {
        device_->stopTransfers();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    for (auto& w : workers_) {
        w.wait();
    }
    workers_.clear();
}

void EventListener::run() {
    while (!stopping()) {
        const InterfaceScan scan = openFirstMatching(*device_, InterfaceRole::Events);
        if (!scan.enumerated) {
            return;
        }
        if (scan.found) {
            readReports();
            device_->close();
        }
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, scanInterval_, [this] { return stopping_.load(); })) {
            return;
        }
    }
}

void EventListener::readReports() {
    std::vector<std::uint8_t> report(device_->caps().inputReportByteLength);
    // Checked after the open: a stop that came before it found nothing to interrupt.
    while (!stopping()) {
        std::size_t n = 0;
        if (!device_->read(report, kInfiniteTimeout, n)) {
            return; // the keyboard went away, or stop
        }
        device_->unpackInput(std::span(report).first(n));
        const auto& items = device_->inputItems();
        const std::uint16_t code =
            items.empty() || items[0].usages.empty() ? 0 : items[0].usages[0];
        dispatch(code);
    }
}

void EventListener::dispatch(std::uint16_t code) {
    switch (code) {
    case kEventLightingChanged:
        window_.armLightingRefresh();
        break;
    case kEventRestoreIcon:
        startTrayWorker(false);
        break;
    case kEventShowEventIcon:
        startTrayWorker(true);
        break;
    default:
        break;
    }
}

void EventListener::startTrayWorker(bool eventIcon) {
    // Forget the workers that have finished.
    std::erase_if(workers_, [](const std::future<void>& w) {
        return w.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    workers_.push_back(std::async(std::launch::async, [this, eventIcon] {
        // Taking the flag and setting it is one step, so two workers can never both pass.
        int idle = 0;
        while (!state_.trayIconBusy.compare_exchange_weak(idle, 1)) {
            idle = 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (eventIcon) {
            window_.setEventIcon();
        } else {
            window_.restorePresenceIcon();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        state_.trayIconBusy = 0;
    }));
}

} // namespace kw
