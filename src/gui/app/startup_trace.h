#pragma once
// Milestones of the start-up, for scripts/bench-startup: with
// KEYWEAVE_STARTUP_TRACE set, each mark prints the wall-clock time in
// microseconds and its name to stderr. Without it a mark costs a branch.

namespace kw::app {

void StartupMark(const char* milestone);

} // namespace kw::app
