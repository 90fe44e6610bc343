#pragma once
// The simulated keyboard as the host sees it: two HID interfaces (commands on
// a vendor page, events on the consumer page), a firmware model behind the
// first, plug state, fault injection, and a log of every report. Thread-safe:
// host transfers, the test or tool that drives the faults, and the front ends
// may all call it at once.

#include "sim/firmware.h"
#include "sim/keyboard_memory.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <stop_token>
#include <thread>
#include <vector>

namespace kw::sim {

enum class SimInterface { Configuration = 0, Events = 1 };
inline constexpr int kSimInterfaceCount = 2;

inline constexpr std::uint16_t kSimVendorId = 0x0C45;
inline constexpr std::uint16_t kSimProductId = 0x5004;
inline constexpr std::uint16_t kSimVersion = 0x0105;
inline constexpr std::uint8_t kEventReportId = 3;

std::vector<std::uint8_t> configurationDescriptor();
std::vector<std::uint8_t> eventDescriptor();
std::vector<std::uint8_t> descriptorOf(SimInterface which);

struct SimLogEntry {
    bool fromHost = false; // true: written by the host; false: sent by the keyboard
    SimInterface interface = SimInterface::Configuration;
    std::vector<std::uint8_t> bytes;
};

enum class SimRead { Done, TimedOut, Interrupted, Gone };

class SimulatedKeyboard {
public:
    explicit SimulatedKeyboard(KeyboardMemory memory = KeyboardMemory::factory());
    ~SimulatedKeyboard();
    SimulatedKeyboard(const SimulatedKeyboard&) = delete;
    SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

    // Plugging. Every plug starts a new connection generation: handles opened
    // before an unplug stay dead, as a removed device node does.
    bool plugged() const;
    std::uint64_t generation() const;
    void unplug();
    void plug();
    bool inBootMode() const;
    // A real keyboard comes back by itself once the update program has
    // flashed it. With a positive time the simulated one does the same: that
    // long after entering its boot mode it is plugged again in normal mode.
    // Zero (the default) leaves it in boot mode until plug().
    void setBootModeReturn(std::chrono::milliseconds after);
    // Device nodes that refuse to open, as they do for a user the system has
    // not given access to the keyboard (no udev rule). Present all the same.
    void setAccessDenied(bool denied);
    bool accessDenied() const;

    // Host side of the interfaces, for the given generation.
    bool hostWrite(SimInterface which, std::uint64_t generation,
                   std::span<const std::uint8_t> report);
    // Waits for the next report, at most `timeoutMs` (negative: no limit), or
    // until `interrupted` is set and the waiters are woken.
    SimRead hostRead(SimInterface which, std::uint64_t generation, std::span<std::uint8_t> out,
                     int timeoutMs, std::size_t& transferred, const std::atomic<bool>& interrupted);
    // True when a read would not wait (a report is ready or the handle is dead).
    bool readReady(SimInterface which, std::uint64_t generation) const;
    // Wakes every waiting read so it can look at its interrupt flag.
    void wakeReaders();
    // Waits at most `timeout` until the plug state or the connection
    // generation differs from the ones given, or until `stop` is set and the
    // waiters woken. True when they differ.
    bool waitForPlugChange(bool plugged, std::uint64_t generation,
                           std::chrono::milliseconds timeout, const std::atomic<bool>& stop);
    // Called (without the lock) whenever a report becomes ready or the plug changes.
    void setReadyListener(std::function<void()> listener);

    // Keyboard-side events on the consumer interface: a press and a release.
    void sendEvent(std::uint16_t code);

    // Faults.
    void dropAnswers(int count);
    // From the nth command from now (1 = the next) on, `count` answers are dropped.
    void dropAnswersFrom(int nth, int count);
    // The nth command from now (1 = the next) is answered with `status`.
    void answerStatus(int nth, std::uint8_t status);
    void setAnswerDelay(std::chrono::milliseconds delay);
    // Unplugs right after the nth command from now has been taken.
    void unplugAfterCommands(int nth);

    // Log of every report received and sent; kept to the last kLogLimit entries.
    static constexpr std::size_t kLogLimit = 4096;
    std::vector<SimLogEntry> log() const;
    void clearLog();
    void setLogObserver(std::function<void(const SimLogEntry&)> observer);

    KeyboardMemory memory() const;
    void setMemory(KeyboardMemory memory);

private:
    struct Pending {
        std::vector<std::uint8_t> bytes;
        std::chrono::steady_clock::time_point readyAt;
    };

    void appendLog(SimLogEntry entry);
    void notifyReady();
    void scheduleReturnFromBootMode();
    // Calls the ready listener when a delayed answer falls due, for readers
    // that wait on the listener rather than on hostRead (the FUSE tree's poll).
    void announceDelayedAnswers(std::stop_token stop);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    KeyboardMemory memory_;
    bool plugged_ = true;
    bool bootMode_ = false;
    bool accessDenied_ = false;
    std::uint64_t generation_ = 1;
    std::deque<Pending> queues_[kSimInterfaceCount];

    int dropCount_ = 0;
    int dropCountdown_ = 0;
    int dropPending_ = 0;
    int statusCountdown_ = 0;
    std::uint8_t injectedStatus_ = 0;
    int unplugCountdown_ = 0;
    std::chrono::milliseconds delay_{0};

    std::deque<SimLogEntry> log_;
    std::function<void(const SimLogEntry&)> logObserver_;
    std::function<void()> readyListener_;

    std::chrono::milliseconds bootModeReturn_{0};
    std::condition_variable_any returnWait_;
    // The latest due time of a delayed answer already announced.
    std::chrono::steady_clock::time_point announcedUpTo_{};
    std::uint64_t delayedQueued_ = 0; // delayed answers queued so far
    std::condition_variable_any delayedAnswer_;
    // Last, so they stop before anything they use goes away.
    std::jthread returner_;
    std::jthread announcer_; // started with the first delayed answer
};

} // namespace kw::sim
