#include "core/keyeditor/key_capture.h"

#include "core/keys/media_keys.h"

namespace kw {
namespace {

constexpr KeyCode kPrintScreen = 0x137;
constexpr KeyCode kLeftWindows = 0x15B;
constexpr KeyCode kRightWindows = 0x15C;
constexpr KeyCode kMenu = 0x15D;

} // namespace

CaptureDecision DecideCapture(const KeyStroke& stroke, bool mouseMode) {
    const KeyCode k = stroke.code;
    if (k == kLeftWindows || k == kRightWindows || k == kMenu) {
        return {true, true};
    }
    if (k == kNoKey || IsMediaKeyCode(k)) {
        return {false, false};
    }
    const bool take = !mouseMode && (stroke.isFreshPress() || k == kPrintScreen);
    return {true, take};
}

} // namespace kw
