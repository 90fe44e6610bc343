#include "sim/simulated_hid_backend.h"

#include <atomic>

namespace kw::sim {

namespace {

std::optional<SimInterface> interfaceOfPath(const std::string& path) {
    for (auto which : {SimInterface::Configuration, SimInterface::Events}) {
        if (path == SimulatedHidBackend::pathOf(which)) {
            return which;
        }
    }
    return std::nullopt;
}

class SimConnection : public HidConnection {
public:
    SimConnection(SimulatedKeyboard& keyboard, SimInterface which, HidOpenOptions options,
                  TopLevelCollection collection)
        : keyboard_(keyboard), which_(which), options_(options), generation_(keyboard.generation()),
          collection_(std::move(collection)) {}

    HidAttributes attributes() const override { return {kSimVendorId, kSimProductId, kSimVersion}; }
    const TopLevelCollection& collection() const override { return collection_; }

    TransferResult write(std::span<const std::uint8_t> report, int,
                         std::size_t& transferred) override {
        transferred = 0;
        if (!options_.write || !keyboard_.hostWrite(which_, generation_, report)) {
            return TransferResult::Failed;
        }
        transferred = report.size();
        return TransferResult::Done;
    }

    TransferResult read(std::span<std::uint8_t> report, int timeoutMs,
                        std::size_t& transferred) override {
        transferred = 0;
        if (!options_.read) {
            return TransferResult::Failed;
        }
        const SimRead r =
            keyboard_.hostRead(which_, generation_, report, timeoutMs, transferred, interrupted_);
        interrupted_ = false; // the stop signal resets once a transfer has seen it
        switch (r) {
        case SimRead::Done:
            return TransferResult::Done;
        case SimRead::TimedOut:
            return TransferResult::TimedOut;
        case SimRead::Interrupted:
            return TransferResult::Stopped;
        case SimRead::Gone:
            return TransferResult::Failed;
        }
        return TransferResult::Failed;
    }

    bool alive() const override {
        return keyboard_.plugged() && keyboard_.generation() == generation_;
    }

    void interrupt() override {
        interrupted_ = true;
        keyboard_.wakeReaders();
    }

private:
    SimulatedKeyboard& keyboard_;
    SimInterface which_;
    HidOpenOptions options_;
    std::uint64_t generation_;
    TopLevelCollection collection_;
    std::atomic<bool> interrupted_{false};
};

} // namespace

std::string SimulatedHidBackend::pathOf(SimInterface which) {
    return which == SimInterface::Configuration ? "sim:hidraw0" : "sim:hidraw1";
}

std::optional<std::vector<HidInterfaceEntry>> SimulatedHidBackend::enumerate() {
    std::vector<HidInterfaceEntry> found;
    if (keyboard_.plugged()) {
        for (auto which : {SimInterface::Configuration, SimInterface::Events}) {
            found.push_back({pathOf(which), kSimVendorId, kSimProductId});
        }
    }
    return found;
}

HidOpenResult SimulatedHidBackend::open(const std::string& path, const HidOpenOptions& options) {
    const auto which = interfaceOfPath(path);
    if (!which || !keyboard_.plugged()) {
        return {nullptr, HidOpenError::NotFound};
    }
    if (keyboard_.accessDenied()) {
        return {nullptr, HidOpenError::AccessDenied};
    }
    auto parsed = parseReportDescriptor(descriptorOf(*which));
    if (!parsed || parsed->collections.empty()) {
        return {nullptr, HidOpenError::BadDescriptor};
    }
    return {std::make_unique<SimConnection>(keyboard_, *which, options,
                                            std::move(parsed->collections.front())),
            HidOpenError::None};
}

bool SimulatedHidBackend::exists(const std::string& path) {
    return interfaceOfPath(path).has_value() && keyboard_.plugged();
}

namespace {

class SimulatedChangeWatch : public HidChangeWatch {
public:
    explicit SimulatedChangeWatch(SimulatedKeyboard& keyboard)
        : keyboard_(keyboard), plugged_(keyboard.plugged()), generation_(keyboard.generation()) {}

    bool wait(std::chrono::milliseconds timeout, const HidConnection*) override {
        // Against the state the previous wait saw, so a change between two
        // waits is not missed.
        if (!keyboard_.waitForPlugChange(plugged_, generation_, timeout, stopped_)) {
            return false;
        }
        plugged_ = keyboard_.plugged();
        generation_ = keyboard_.generation();
        return true;
    }
    void stop() override {
        stopped_ = true;
        keyboard_.wakeReaders();
    }

private:
    SimulatedKeyboard& keyboard_;
    bool plugged_;
    std::uint64_t generation_;
    std::atomic<bool> stopped_{false};
};

} // namespace

std::unique_ptr<HidChangeWatch> SimulatedHidBackend::watchChanges() {
    return std::make_unique<SimulatedChangeWatch>(keyboard_);
}

} // namespace kw::sim
