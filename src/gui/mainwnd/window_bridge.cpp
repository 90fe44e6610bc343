#include "gui/mainwnd/window_bridge.h"

#include "gui/mainwnd/keyweave_dlg.h"

#include <QThread>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace kw::gui {

namespace {

// How often a waiting sender looks whether the window is quitting.
constexpr std::chrono::milliseconds kClosingCheck{20};

struct Completion {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;

    void finish() {
        {
            std::lock_guard lock(mutex);
            finished = true;
        }
        done.notify_all();
    }
    bool waitFor(std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex);
        return done.wait_for(lock, duration, [this] { return finished; });
    }
};

} // namespace

MainWindowBridge::MainWindowBridge(CKeyweaveDlg& window) : window_(&window) {}

void MainWindowBridge::send(std::function<void(CKeyweaveDlg&)> handler) {
    CKeyweaveDlg* window = window_.data();
    if (closing_ || !window) {
        return;
    }
    if (QThread::currentThread() == window->thread()) {
        handler(*window);
        return;
    }
    auto completion = std::make_shared<Completion>();
    // Queued with the window as context: dropped unrun if the window is gone.
    QMetaObject::invokeMethod(
        window,
        [window, handler = std::move(handler), completion, this] {
            if (!closing_) {
                handler(*window);
            }
            completion->finish();
        },
        Qt::QueuedConnection);
    while (!completion->waitFor(kClosingCheck)) {
        if (closing_) {
            return;
        }
    }
}

void MainWindowBridge::post(std::function<void(CKeyweaveDlg&)> handler) {
    CKeyweaveDlg* window = window_.data();
    if (closing_ || !window) {
        return;
    }
    QMetaObject::invokeMethod(
        window,
        [window, handler = std::move(handler), this] {
            if (!closing_) {
                handler(*window);
            }
        },
        Qt::QueuedConnection);
}

void MainWindowBridge::checkFirmwareVersion() {
    send([](CKeyweaveDlg& w) { w.CheckFirmwareVersion(); });
}
void MainWindowBridge::refreshProfiles() {
    send([](CKeyweaveDlg& w) { w.RefreshProfiles(); });
}
void MainWindowBridge::closeEditors() {
    send([](CKeyweaveDlg& w) { w.CloseEditors(); });
}
void MainWindowBridge::hideWindow() {
    send([](CKeyweaveDlg& w) { w.hide(); });
}
void MainWindowBridge::showDefaultMatrixPrompt() {
    send([](CKeyweaveDlg& w) { w.ShowText("MAIN_DEFAULT_MATRIX_PROMPT"); });
}
void MainWindowBridge::postShowWindow() {
    post([](CKeyweaveDlg& w) { w.ShowMainWindow(); });
}
void MainWindowBridge::armLightingRefresh() {
    post([](CKeyweaveDlg& w) { w.ArmLightingRefresh(); });
}
void MainWindowBridge::reportAccessDenied(const std::string& deniedPath) {
    post([deniedPath](CKeyweaveDlg& w) { w.OnAccessDenied(deniedPath); });
}
void MainWindowBridge::setPresenceIcon(int icon) {
    send([icon](CKeyweaveDlg& w) { w.SetPresenceIcon(icon); });
}
void MainWindowBridge::setEventIcon() {
    send([](CKeyweaveDlg& w) { w.SetEventIcon(); });
}
void MainWindowBridge::restorePresenceIcon() {
    send([](CKeyweaveDlg& w) { w.RestorePresenceIcon(); });
}

} // namespace kw::gui
