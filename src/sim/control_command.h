#pragma once
// The text commands that drive a running simulated keyboard from outside
// (written to the control file of `keyweave-simkbd`), one per line:
//   unplug | plug | deny | allow | event CODE | drop N | status NTH VALUE | delay MS | unplug-after
//   NTH
// Numbers are decimal or 0x-prefixed hex.

#include "sim/simulated_keyboard.h"

#include <string>
#include <string_view>

namespace kw::sim {

// Applies one line; false (and `error` set) when it is not a command.
bool applyControlLine(SimulatedKeyboard& keyboard, std::string_view line, std::string& error);

} // namespace kw::sim
