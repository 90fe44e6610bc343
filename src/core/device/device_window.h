#pragma once
// What the device threads ask of the main window. The GUI implements it with
// blocking-queued calls for the sent messages and queued calls for the posted
// ones; tests implement it with a recorder. Every call comes from a device
// thread, never from the window's own thread.

#include <string>

namespace kw {

// The vocabulary of the window messages these calls stand for.
inline constexpr unsigned kShowRequestMessage = 0x5350;
inline constexpr unsigned kVersionCheckTag = 0x564552; // sent
inline constexpr unsigned kOpenTag = 0x4F50454E;       // 'OPEN', posted
inline constexpr unsigned kProfileRefreshMessage = 0x5452;
inline constexpr unsigned kProfileRefreshTag = 0x50524F46; // 'PROF', sent
inline constexpr unsigned kCloseEditorsMessage = 0x4753;   // sent
inline constexpr int kLightingRefreshTimer = 1051;

inline constexpr int kIconKeyboardPresent = 141;
inline constexpr int kIconKeyboardAbsent = 128;
inline constexpr int kIconKeyboardEvent = 142;

class DeviceWindow {
public:
    virtual ~DeviceWindow() = default;

    // Sent: these return once the window has handled them.
    virtual void checkFirmwareVersion() = 0; // ShowRequest 'VER'
    virtual void refreshProfiles() = 0;      // ProfileRefresh 'PROF'
    virtual void closeEditors() = 0;         // CloseEditors
    virtual void hideWindow() = 0;
    // Shows the language text "MAIN_DEFAULT_MATRIX_PROMPT" in a message box.
    virtual void showDefaultMatrixPrompt() = 0;

    // Posted: the window shows itself later (ShowRequest 'OPEN').
    virtual void postShowWindow() = 0;
    // Arms timer 1051 with period 0: the window re-reads the lighting.
    virtual void armLightingRefresh() = 0;
    // The keyboard is there but its node `deniedPath` cannot be opened for
    // lack of rights; an empty path: that is over (opened, or gone).
    virtual void reportAccessDenied(const std::string& deniedPath) = 0;

    // Tray icon operations.
    virtual void setPresenceIcon(int icon) = 0;
    virtual void setEventIcon() = 0;
    virtual void restorePresenceIcon() = 0;
};

} // namespace kw
