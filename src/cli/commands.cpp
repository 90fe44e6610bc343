#include "cli/cli.h"
#include "cli/command_functions.h"

#include <array>

namespace kw::cli {

std::span<const Command> commands() {
    static const std::array table{
        Command{"keyname", "[--lang INDEX] CODE",
                "print the name of a key code (hex 0x147 or decimal)", runKeyName},
    };
    return table;
}

} // namespace kw::cli
