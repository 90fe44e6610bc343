#pragma once
// The process's resident memory, for the start-up figures.

namespace kw::app {

// VmRSS of /proc/self/status in KiB; -1 when it cannot be read.
long residentMemoryKib();
// VmHWM, the most it has been, in KiB; -1 when it cannot be read.
long peakResidentMemoryKib();

} // namespace kw::app
