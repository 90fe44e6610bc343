#include "core/macros/macro_recorder.h"

#include "core/keys/media_keys.h"
#include "core/macros/macro_working_set.h"

#include <chrono>

namespace kw {

namespace {

bool isWindowsKey(KeyCode code) {
    return code == kLeftWindowsKey || code == kRightWindowsKey;
}

// Sys Req, KL, KR and Print Screen: only their release may reach us, so every
// event of theirs is recorded after a press of its own.
bool needsMadeUpPress(KeyCode code) {
    return code == 0x054 || code == 0x071 || code == 0x072 || code == 0x137;
}

} // namespace

std::uint32_t MillisecondTicks() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

MacroRecorder::MacroRecorder(MacroWorkingSet& set, Clock clock)
    : set_(set), clock_(std::move(clock)) {}

void MacroRecorder::Start() {
    recording_ = true;
    lastEventTime_ = clock_();
    heldWindowsKey_ = kNoKey;
}

void MacroRecorder::Stop() {
    recording_ = false;
}

void MacroRecorder::Toggle() {
    if (recording_) {
        Stop();
    } else {
        Start();
    }
}

bool MacroRecorder::KeyEvent(const KeyStroke& stroke) {
    if (!recording_) {
        return false;
    }
    // The held Windows key is forgotten on any release, whatever key it was.
    if (stroke.isRelease()) {
        heldWindowsKey_ = kNoKey;
    }
    if (stroke.code == kNoKey || IsMediaKeyCode(stroke.code)) {
        return false; // media keys keep working while recording
    }
    if (isWindowsKey(stroke.code) && !stroke.isRelease()) {
        // Some event sources report a held Windows key's repeats as presses.
        const bool repeat = stroke.code == heldWindowsKey_;
        heldWindowsKey_ = stroke.code;
        if (repeat) {
            return true;
        }
    }
    if (stroke.isAutoRepeat()) {
        return true;
    }
    const std::uint32_t now = clock_();
    if (needsMadeUpPress(stroke.code)) {
        record(stroke.code, false, kMadeUpPressGapMs);
    }
    record(stroke.code, stroke.isRelease(), now - lastEventTime_);
    lastEventTime_ = now;
    return true;
}

void MacroRecorder::record(KeyCode code, bool isRelease, std::uint32_t offeredGap) {
    const MacroAction action{recordDelay_ ? offeredGap : kFixedRecordGapMs, code,
                             static_cast<std::uint16_t>(isRelease ? 1 : 0)};
    // Past the 2000-row limit, or with no macro current, nothing is added and
    // recording goes on.
    set_.InsertAction(
        action, InsertOptions{
                    .grey = true, .markChanged = true, .afterSelection = true, .keepDelay = false});
}

} // namespace kw
