#include "cli/command_functions.h"

#include <ostream>

namespace kw::cli {

// Filled in with the key code tables.
int runKeyName(Context& context, std::span<const std::string> args) {
    (void)args;
    return fail(context, kExitUsage, "keyname: not available yet");
}

} // namespace kw::cli
