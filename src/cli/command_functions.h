#pragma once
// The entry point of every CLI command, one per command file.

#include "cli/cli.h"

namespace kw::cli {

int runKeyName(Context& context, std::span<const std::string> args);
int runPreview(Context& context, std::span<const std::string> args);
int runInfo(Context& context, std::span<const std::string> args);
int runDevices(Context& context, std::span<const std::string> args);

} // namespace kw::cli
