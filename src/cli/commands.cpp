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
        Command{"validate", "FILE", "check a profile file: prints valid or invalid", runValidate},
        Command{"new", "[--force] FILE", "write a new default profile file", runNew},
        Command{"dump", "[FILE]",
                "print a configuration or profile file as JSON; without FILE, the keyboard's",
                runDump},
        Command{"read", "[--out FILE]",
                "read the keyboard's configuration into the configuration file (or FILE)", runRead},
        Command{"import", "FILE", "restore a profile file to the keyboard's three profiles",
                runImport},
        Command{"export", "FILE", "write the keyboard's configuration as a profile file",
                runExport},
        Command{"set-key", "[--profile N] KEY FUNCTION",
                "give a key another function (default, disabled, KEYNAME, mouse:left|right|"
                "middle|wheel-up|wheel-down, media:N, function:N, macro:NAME[:CYCLES]) and apply",
                runSetKey},
        Command{"profile", "[N]", "print the active profile, or make profile N (0..2) active",
                runProfile},
        Command{"backup", "FILE", "back up the configuration before a firmware update", runBackup},
        Command{"boot", "--yes PROGRAM",
                "put the keyboard into its boot mode and start the firmware update PROGRAM",
                runBoot},
        Command{"lighting", "show | set FIELD=VALUE... | default",
                "print the current profile's lighting as JSON; set effect=N brightness=N "
                "speed=N direction=first|second multicolour=0|1 colour=#RRGGBB swatch=N "
                "(written in the order given); or restore the default lighting",
                runLighting},
        Command{"colours",
                "mode N | paint KEY #RRGGBB | paint KEY [#RRGGBB] --base | base "
                "#RRGGBB | rename N TEXT",
                "the user lighting mode: select mode N (0..9), paint a key with a colour or "
                "with the base colour, set the base colour, rename mode N",
                runColours},
        Command{"report-rate", "N", "set the report-rate choice 0..3 of the current profile",
                runReportRate},
        Command{"macro", "list | add [--cycles N] NAME ACTIONS | delete [--yes] NAME",
                "print the macros as JSON; add a macro from ACTIONS (\"A down 50, A up 50, "
                "...\": key name, down or up, pause in ms); delete a macro (--yes also when "
                "keys are bound to it, which go back to their default); then apply",
                runMacro},
    };
    return table;
}

} // namespace kw::cli
