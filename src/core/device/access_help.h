#pragma once
// The keyboard's device nodes exist but the user may not open them: what to
// type so they can, for the window's message and the command line's.

#include <filesystem>
#include <string>

namespace kw {

// The rule shipped at `ruleFile` copied to the system's rule folder and
// applied, one shell command per line; the path is quoted for the shell.
std::string accessRuleCommands(const std::filesystem::path& ruleFile);

} // namespace kw
