#include "core/sync/sync_context.h"

#include "core/config/config_file.h"

namespace kw {

std::filesystem::path SyncContext::configFile() const {
    return configFilePath(dataHome, programFolder);
}

} // namespace kw
