#pragma once
// The macro recorder: while it runs, every keystroke the editor receives is
// swallowed and appended to the current macro of a working set as a press or
// release with the pause before it. It knows nothing of windows; the front end
// hands it each key event and drops the event when KeyEvent says so.

#include "core/keys/evdev_keys.h"

#include <cstdint>
#include <functional>

namespace kw {

class MacroWorkingSet;

// The pause recorded between actions while measured pauses are off.
inline constexpr std::uint32_t kFixedRecordGapMs = 50;
// The pause offered before the press made up for Print Screen and its kin,
// whose press the keyboard event source may never report.
inline constexpr std::uint32_t kMadeUpPressGapMs = 2;

inline constexpr KeyCode kLeftWindowsKey = 0x15B;
inline constexpr KeyCode kRightWindowsKey = 0x15C;

// A steady millisecond tick cut to 32 bits: it wraps after about 49.7 days,
// which costs nothing because gaps are taken modulo 2^32.
std::uint32_t MillisecondTicks();

class MacroRecorder {
public:
    using Clock = std::function<std::uint32_t()>;

    // The working set outlives the recorder.
    explicit MacroRecorder(MacroWorkingSet& set, Clock clock = MillisecondTicks);

    bool recording() const { return recording_; }
    // Pauses are measured from now; no Windows key counts as held.
    void Start();
    void Stop();
    void Toggle();

    // On: each row's pause is the measured gap to the next action; off: 50 ms.
    bool recordDelay() const { return recordDelay_; }
    void setRecordDelay(bool on) { recordDelay_ = on; }

    // True when the event is swallowed: while recording, every event except
    // media keys and keys without a code. Repeats are swallowed unrecorded.
    bool KeyEvent(const KeyStroke& stroke);

private:
    void record(KeyCode code, bool isRelease, std::uint32_t offeredGap);

    MacroWorkingSet& set_;
    Clock clock_;
    bool recording_ = false;
    bool recordDelay_ = false;
    std::uint32_t lastEventTime_ = 0;
    KeyCode heldWindowsKey_ = kNoKey; // kNoKey after any release
};

} // namespace kw
