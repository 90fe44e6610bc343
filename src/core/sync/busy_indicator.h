#pragma once
// The busy indicator shown while an apply runs. Each apply gets a short
// thread of its own that shows the indicator on its start message and hides
// it shortly after its end message; the window supplies the picture and its
// animation through BusyIndicatorView. The apply never waits for that thread
// longer than a bounded time, and a thread that cannot be started only means
// no indicator.

#include <chrono>
#include <memory>

namespace kw {

class BusyIndicatorView {
public:
    virtual ~BusyIndicatorView() = default;
    // Called on the indicator's thread: an implementation hands the work to its
    // own thread without waiting for it.
    virtual void showBusy() = 0;
    virtual void hideBusy() = 0;
};

struct BusyIndicatorTimings {
    std::chrono::milliseconds startTimeout{1000}; // longest wait for the thread to exist
    std::chrono::milliseconds startDelay{100};    // before the start message
    std::chrono::milliseconds endDelay{100};      // after the end message, before hiding
};

class BusyIndicator {
public:
    explicit BusyIndicator(std::shared_ptr<BusyIndicatorView> view,
                           BusyIndicatorTimings timings = {});
    ~BusyIndicator();
    BusyIndicator(const BusyIndicator&) = delete;
    BusyIndicator& operator=(const BusyIndicator&) = delete;

    // Starts the thread of one apply and posts its start message.
    void begin();
    // Posts the end message and returns at once; the thread hides the view and ends.
    void end();

private:
    struct Channel;

    std::shared_ptr<BusyIndicatorView> view_;
    BusyIndicatorTimings timings_;
    std::shared_ptr<Channel> channel_;
};

// Ends the indicator when the apply leaves its scope, however it leaves.
class BusyScope {
public:
    explicit BusyScope(BusyIndicator* indicator) : indicator_(indicator) {
        if (indicator_) {
            indicator_->begin();
        }
    }
    ~BusyScope() {
        if (indicator_) {
            indicator_->end();
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyIndicator* indicator_;
};

} // namespace kw
