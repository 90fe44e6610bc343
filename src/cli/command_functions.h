#pragma once
// The entry point of every CLI command, one per command file.

#include "cli/cli.h"

namespace kw::cli {

int runKeyName(Context& context, std::span<const std::string> args);
int runPreview(Context& context, std::span<const std::string> args);
int runInfo(Context& context, std::span<const std::string> args);
int runDevices(Context& context, std::span<const std::string> args);
int runValidate(Context& context, std::span<const std::string> args);
int runNew(Context& context, std::span<const std::string> args);
int runDump(Context& context, std::span<const std::string> args);
int runDumpKeyboard(Context& context);
int runRead(Context& context, std::span<const std::string> args);
int runImport(Context& context, std::span<const std::string> args);
int runExport(Context& context, std::span<const std::string> args);
int runSetKey(Context& context, std::span<const std::string> args);
int runProfile(Context& context, std::span<const std::string> args);
int runBackup(Context& context, std::span<const std::string> args);
int runBoot(Context& context, std::span<const std::string> args);
int runLighting(Context& context, std::span<const std::string> args);
int runColours(Context& context, std::span<const std::string> args);
int runReportRate(Context& context, std::span<const std::string> args);
int runMacro(Context& context, std::span<const std::string> args);

} // namespace kw::cli
