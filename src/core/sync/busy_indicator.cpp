#include "core/sync/busy_indicator.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace kw {

namespace {

// The thread messages of the indicator.
enum : int { kStartMessage = 1025, kEndMessage = 1026 };

} // namespace

struct BusyIndicator::Channel {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<int> messages;
    bool running = false;

    void post(int message) {
        {
            std::lock_guard guard(mutex);
            messages.push_back(message);
        }
        changed.notify_all();
    }
};

BusyIndicator::BusyIndicator(std::shared_ptr<BusyIndicatorView> view, BusyIndicatorTimings timings)
    : view_(std::move(view)), timings_(timings) {}

BusyIndicator::~BusyIndicator() {
    end();
}

void BusyIndicator::begin() {
    end();
    auto channel = std::make_shared<Channel>();
    try {
        // The thread owns what it uses, so it may outlive this object and the apply.
        std::thread([channel, view = view_, endDelay = timings_.endDelay] {
            std::unique_lock lock(channel->mutex);
            channel->running = true;
            channel->changed.notify_all();
            for (;;) {
                channel->changed.wait(lock, [&] { return !channel->messages.empty(); });
                const int message = channel->messages.front();
                channel->messages.pop_front();
                lock.unlock();
                if (message == kEndMessage) {
                    std::this_thread::sleep_for(endDelay);
                    if (view) {
                        view->hideBusy();
                    }
                    return;
                }
                if (view) {
                    view->showBusy();
                }
                lock.lock();
            }
        }).detach();
    } catch (const std::system_error&) {
        return; // no thread, no indicator: the apply goes on without it
    }
    {
        std::unique_lock lock(channel->mutex);
        channel->changed.wait_for(lock, timings_.startTimeout, [&] { return channel->running; });
    }
    std::this_thread::sleep_for(timings_.startDelay);
    channel->post(kStartMessage);
    channel_ = std::move(channel);
}

void BusyIndicator::end() {
    if (channel_) {
        channel_->post(kEndMessage);
        channel_.reset();
    }
}

} // namespace kw
