#pragma once
// Presents a simulated keyboard as a hidraw device tree in a FUSE mount:
//   DIR/sys/class/hidraw/hidrawN/device/{uevent,report_descriptor}
//   DIR/dev/hidrawN   one report per write and read, poll() readiness,
//                     reads that wait for a report, errors after an unplug
//   DIR/control       write-only; lines of control commands (unplug, plug, ...)
// so that the Linux backend can be driven end to end with ROOT=DIR.

#include "sim/simulated_keyboard.h"

#include <filesystem>

namespace kw::sim {

inline constexpr const char* kControlFileName = "control";

// Mounts, serves until SIGINT/SIGTERM or an unmount, and unmounts. Returns 0
// on a clean end, 1 when the mount failed.
int serveFuseHidrawTree(SimulatedKeyboard& keyboard, const std::filesystem::path& mountPoint);

} // namespace kw::sim
