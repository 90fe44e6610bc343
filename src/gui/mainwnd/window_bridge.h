#pragma once
// Carries the device threads' requests to the main window's thread. Sent
// requests wait until the window has handled them; posted ones return at
// once. While the window quits, a waiting device thread gives up instead of
// waiting for a thread that is busy joining it.

#include "core/device/device_window.h"

#include <QPointer>
#include <atomic>
#include <functional>

namespace kw::gui {

class CKeyweaveDlg;

class MainWindowBridge : public DeviceWindow {
public:
    explicit MainWindowBridge(CKeyweaveDlg& window);

    // From here on no request reaches the window, and waiting senders return.
    void close() { closing_ = true; }

    void checkFirmwareVersion() override;
    void refreshProfiles() override;
    void closeEditors() override;
    void hideWindow() override;
    void showDefaultMatrixPrompt() override;
    void postShowWindow() override;
    void armLightingRefresh() override;
    void reportAccessDenied(const std::string& deniedPath) override;
    void setPresenceIcon(int icon) override;
    void setEventIcon() override;
    void restorePresenceIcon() override;

private:
    void send(std::function<void(CKeyweaveDlg&)> handler);
    void post(std::function<void(CKeyweaveDlg&)> handler);

    QPointer<CKeyweaveDlg> window_;
    std::atomic<bool> closing_{false};
};

} // namespace kw::gui
