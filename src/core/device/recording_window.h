#pragma once
// A DeviceWindow for tests: records every call in order and lets a test wait
// for one to happen.

#include "core/device/device_window.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kw::testing {

class RecordingWindow : public DeviceWindow {
public:
    void checkFirmwareVersion() override { record("version"); }
    void refreshProfiles() override { record("refresh"); }
    void closeEditors() override { record("close-editors"); }
    void hideWindow() override { record("hide"); }
    void showDefaultMatrixPrompt() override { record("matrix-prompt"); }
    void postShowWindow() override { record("show"); }
    void armLightingRefresh() override { record("lighting"); }
    void reportAccessDenied(const std::string& deniedPath) override {
        record("denied " + deniedPath);
    }
    void setPresenceIcon(int icon) override { record("icon " + std::to_string(icon)); }
    void setEventIcon() override {
        record("event-icon");
        if (onEventIcon) {
            onEventIcon();
        }
    }
    void restorePresenceIcon() override { record("restore-icon"); }

    std::vector<std::string> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    std::size_t count(const std::string& call) const {
        std::lock_guard lock(mutex_);
        return static_cast<std::size_t>(std::count(calls_.begin(), calls_.end(), call));
    }
    // True when `call` has been made at least `times` times within the wait.
    bool waitFor(const std::string& call, std::size_t times = 1,
                 std::chrono::milliseconds limit = std::chrono::seconds(5)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] {
            return static_cast<std::size_t>(std::count(calls_.begin(), calls_.end(), call)) >=
                   times;
        });
    }
    void clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

    std::function<void()> onEventIcon; // runs inside setEventIcon, on the worker

private:
    void record(std::string call) {
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
        }
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> calls_;
};

} // namespace kw::testing
