#include "cli/cli.h"
#include "cli/command_functions.h"

#include <array>

namespace kw::cli {

std::span<const Command> commands() {
    static const std::array table{
        Command{"keyname", "[--lang INDEX] CODE",
                "print the name of a key code (hex 0x147 or decimal)", runKeyName},
        Command{"preview",
                "--effect N [--direction first|second] [--multicolour] [--colour #RRGGBB] "
                "--ticks T [--json]",
                "print every key button's colour for each tick of the lighting preview",
                runPreview},
        Command{
            "info", "",
            "print the keyboard's information (firmware, profile, macro memory, effects) as JSON",
            runInfo},
        Command{"devices", "",
                "list the keyboard's HID interfaces with their ids and usages as JSON", runDevices},
    };
    return table;
}

} // namespace kw::cli
