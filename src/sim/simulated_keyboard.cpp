#include "sim/simulated_keyboard.h"

#include "core/base/bytes.h"

#include <optional>

namespace kw::sim {

std::vector<std::uint8_t> configurationDescriptor() {
    return {
        0x06, 0x1C,
        0xFF,                   // Usage Page (vendor 0xFF1C)
        0x09, 0x92,             // Usage (0x92)
        0xA1, 0x01,             // Collection (Application)
        0x85, kReportIdCommand, //   Report ID (4)
        0x15, 0x00,             //   Logical Minimum (0)
        0x26, 0xFF,
        0x00,       //   Logical Maximum (255)
        0x75, 0x08, //   Report Size (8)
        0x95, 0x3F, //   Report Count (63)
        0x09, 0x01, //   Usage (1)
        0x81, 0x02, //   Input (Data, Variable, Absolute)
        0x09, 0x01, //   Usage (1)
        0x91, 0x02, //   Output (Data, Variable, Absolute)
        0xC0,       // End Collection
    };
}

std::vector<std::uint8_t> eventDescriptor() {
    return {
        0x05, 0x0C,                 // Usage Page (Consumer)
        0x09, 0x01,                 // Usage (Consumer Control)
        0xA1, 0x01,                 // Collection (Application)
        0x85, kEventReportId,       //   Report ID (3)
        0x15, 0x00,                 //   Logical Minimum (0)
        0x26, 0xFF,           0x1F, //   Logical Maximum (0x1FFF)
        0x19, 0x00,                 //   Usage Minimum (0)
        0x2A, 0xFF,           0x1F, //   Usage Maximum (0x1FFF)
        0x75, 0x10,                 //   Report Size (16)
        0x95, 0x01,                 //   Report Count (1)
        0x81, 0x00,                 //   Input (Data, Array, Absolute)
        0xC0,                       // End Collection
    };
}

std::vector<std::uint8_t> descriptorOf(SimInterface which) {
    return which == SimInterface::Configuration ? configurationDescriptor() : eventDescriptor();
}

SimulatedKeyboard::SimulatedKeyboard(KeyboardMemory memory) : memory_(std::move(memory)) {}

SimulatedKeyboard::~SimulatedKeyboard() {
    returner_.request_stop();
    returnWait_.notify_all();
    announcer_.request_stop();
    delayedAnswer_.notify_all();
}

void SimulatedKeyboard::setBootModeReturn(std::chrono::milliseconds after) {
    std::lock_guard lock(mutex_);
    bootModeReturn_ = after;
}

void SimulatedKeyboard::scheduleReturnFromBootMode() {
    std::chrono::milliseconds after;
    {
        std::lock_guard lock(mutex_);
        after = bootModeReturn_;
    }
    if (after.count() <= 0) {
        return;
    }
    // A second boot-mode command restarts the wait.
    returner_.request_stop();
    returnWait_.notify_all();
    if (returner_.joinable()) {
        returner_.join();
    }
    returner_ = std::jthread([this, after](std::stop_token stop) {
        std::unique_lock lock(mutex_);
        if (returnWait_.wait_for(lock, stop, after, [] { return false; }) ||
            stop.stop_requested()) {
            return;
        }
        const bool stillInBootMode = bootMode_ && !plugged_;
        lock.unlock();
        if (stillInBootMode) {
            plug();
        }
    });
}

bool SimulatedKeyboard::plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

std::uint64_t SimulatedKeyboard::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void SimulatedKeyboard::setAccessDenied(bool denied) {
    std::lock_guard lock(mutex_);
    accessDenied_ = denied;
}

bool SimulatedKeyboard::accessDenied() const {
    std::lock_guard lock(mutex_);
    return accessDenied_;
}

bool SimulatedKeyboard::inBootMode() const {
    std::lock_guard lock(mutex_);
    return bootMode_;
}

void SimulatedKeyboard::unplug() {
    {
        std::lock_guard lock(mutex_);
        plugged_ = false;
        for (auto& q : queues_) {
            q.clear();
        }
    }
    changed_.notify_all();
    notifyReady();
}

void SimulatedKeyboard::plug() {
    {
        std::lock_guard lock(mutex_);
        if (plugged_) {
            return;
        }
        plugged_ = true;
        bootMode_ = false;
        ++generation_;
        unplugCountdown_ = 0;
    }
    changed_.notify_all();
    notifyReady();
}

bool SimulatedKeyboard::hostWrite(SimInterface which, std::uint64_t generation,
                                  std::span<const std::uint8_t> report) {
    bool answered = false;
    bool leaves = false;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || generation != generation_) {
            return false;
        }
        appendLog({true, which, {report.begin(), report.end()}});
        if (which != SimInterface::Configuration) {
            return true; // the event interface takes no commands
        }
        if (dropCountdown_ > 0 && --dropCountdown_ == 0) {
            dropCount_ += dropPending_;
        }
        FirmwareReply reply;
        if (statusCountdown_ > 0 && --statusCountdown_ == 0) {
            reply.answer = makeAnswer(report, injectedStatus_);
        } else {
            reply = handleCommand(memory_, report);
        }
        if (unplugCountdown_ > 0 && --unplugCountdown_ == 0) {
            leaves = true;
        } else if (reply.entersBootMode) {
            bootMode_ = true;
            leaves = true;
        } else if (reply.answer && dropCount_ > 0) {
            --dropCount_;
        } else if (reply.answer) {
            const auto& a = *reply.answer;
            queues_[0].push_back({{a.begin(), a.end()}, std::chrono::steady_clock::now() + delay_});
            appendLog({false, which, {a.begin(), a.end()}});
            answered = true;
        }
    }
    if (leaves) {
        unplug();
        if (inBootMode()) {
            scheduleReturnFromBootMode();
        }
    } else if (answered) {
        changed_.notify_all();
        bool delayed = false;
        {
            std::lock_guard lock(mutex_);
            delayed = delay_.count() > 0;
            delayedQueued_ += delayed ? 1 : 0;
            if (delayed && !announcer_.joinable()) {
                announcer_ = std::jthread(
                    [this](std::stop_token stop) { announceDelayedAnswers(std::move(stop)); });
            }
        }
        if (delayed) {
            delayedAnswer_.notify_all();
        } else {
            notifyReady();
        }
    }
    return true;
}

void SimulatedKeyboard::announceDelayedAnswers(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        // The earliest answer not announced yet; answers are queued in due order.
        std::optional<std::chrono::steady_clock::time_point> due;
        for (const Pending& answer : queues_[0]) {
            if (answer.readyAt > announcedUpTo_) {
                due = answer.readyAt;
                break;
            }
        }
        if (!due) {
            const std::uint64_t seen = delayedQueued_;
            delayedAnswer_.wait(lock, stop, [this, seen] { return delayedQueued_ != seen; });
            continue;
        }
        if (std::chrono::steady_clock::now() < *due) {
            delayedAnswer_.wait_until(lock, stop, *due, [] { return false; });
            continue;
        }
        announcedUpTo_ = *due;
        lock.unlock();
        notifyReady();
        lock.lock();
    }
}

SimRead SimulatedKeyboard::hostRead(SimInterface which, std::uint64_t generation,
                                    std::span<std::uint8_t> out, int timeoutMs,
                                    std::size_t& transferred,
                                    const std::atomic<bool>& interrupted) {
    transferred = 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline = timeoutMs < 0 ? Clock::time_point::max()
                                        : Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(mutex_);
    auto& queue = queues_[static_cast<int>(which)];
    for (;;) {
        if (!plugged_ || generation != generation_) {
            return SimRead::Gone;
        }
        if (interrupted) {
            return SimRead::Interrupted;
        }
        const auto now = Clock::now();
        if (!queue.empty() && queue.front().readyAt <= now) {
            const auto& bytes = queue.front().bytes;
            transferred = std::min(out.size(), bytes.size());
            std::copy_n(bytes.begin(), transferred, out.begin());
            queue.pop_front();
            return SimRead::Done;
        }
        if (now >= deadline) {
            return SimRead::TimedOut;
        }
        auto until = deadline;
        if (!queue.empty()) {
            until = std::min(until, queue.front().readyAt);
        }
        if (until == Clock::time_point::max()) {
            changed_.wait(lock);
        } else {
            changed_.wait_until(lock, until);
        }
    }
}

bool SimulatedKeyboard::readReady(SimInterface which, std::uint64_t generation) const {
    std::lock_guard lock(mutex_);
    if (!plugged_ || generation != generation_) {
        return true;
    }
    const auto& queue = queues_[static_cast<int>(which)];
    return !queue.empty() && queue.front().readyAt <= std::chrono::steady_clock::now();
}

void SimulatedKeyboard::wakeReaders() {
    // Taking the lock orders the wake after a reader's check of its flag.
    { std::lock_guard lock(mutex_); }
    changed_.notify_all();
}

bool SimulatedKeyboard::waitForPlugChange(bool plugged, std::uint64_t generation,
                                          std::chrono::milliseconds timeout,
                                          const std::atomic<bool>& stop) {
    std::unique_lock lock(mutex_);
    const auto changed = [&] { return plugged_ != plugged || generation_ != generation; };
    changed_.wait_for(lock, timeout, [&] { return changed() || stop.load(); });
    return changed();
}

void SimulatedKeyboard::setReadyListener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    readyListener_ = std::move(listener);
}

void SimulatedKeyboard::notifyReady() {
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        listener = readyListener_;
    }
    if (listener) {
        listener();
    }
}

void SimulatedKeyboard::sendEvent(std::uint16_t code) {
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) {
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        for (std::uint16_t usage : {code, std::uint16_t{0}}) {
            std::vector<std::uint8_t> report{kEventReportId,
                                             static_cast<std::uint8_t>(usage & 0xFF),
                                             static_cast<std::uint8_t>(usage >> 8)};
            appendLog({false, SimInterface::Events, report});
            queues_[1].push_back({std::move(report), now});
        }
    }
    changed_.notify_all();
    notifyReady();
}

void SimulatedKeyboard::dropAnswers(int count) {
    std::lock_guard lock(mutex_);
    dropCount_ = count;
}

void SimulatedKeyboard::dropAnswersFrom(int nth, int count) {
    std::lock_guard lock(mutex_);
    dropCountdown_ = nth;
    dropPending_ = count;
}

void SimulatedKeyboard::answerStatus(int nth, std::uint8_t status) {
    std::lock_guard lock(mutex_);
    statusCountdown_ = nth;
    injectedStatus_ = status;
}

void SimulatedKeyboard::setAnswerDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    delay_ = delay;
}

void SimulatedKeyboard::unplugAfterCommands(int nth) {
    std::lock_guard lock(mutex_);
    unplugCountdown_ = nth;
}

void SimulatedKeyboard::appendLog(SimLogEntry entry) {
    if (logObserver_) {
        logObserver_(entry);
    }
    log_.push_back(std::move(entry));
    if (log_.size() > kLogLimit) {
        log_.pop_front();
    }
}

std::vector<SimLogEntry> SimulatedKeyboard::log() const {
    std::lock_guard lock(mutex_);
    return {log_.begin(), log_.end()};
}

void SimulatedKeyboard::clearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

void SimulatedKeyboard::setLogObserver(std::function<void(const SimLogEntry&)> observer) {
    std::lock_guard lock(mutex_);
    logObserver_ = std::move(observer);
}

KeyboardMemory SimulatedKeyboard::memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

void SimulatedKeyboard::setMemory(KeyboardMemory memory) {
    std::lock_guard lock(mutex_);
    memory_ = std::move(memory);
}

} // namespace kw::sim
