#include "core/lighting/write_transaction.h"

#include "core/device/commands.h"

namespace kw {

int RunWriteTransaction(Transport& transport, AreaWriteCommand command,
                        std::span<const AreaWrite> writes) {
    KeyboardLockGuard held(transport.sequenceLock());
    if (!held.held()) {
        return kCommandBusy;
    }
    int result = BeginTransfer(transport);
    for (const auto& write : writes) {
        if (result != kCommandOk) {
            break;
        }
        result = command(transport, write.offset, write.bytes);
    }
    const int end = EndTransfer(transport);
    return result == kCommandOk ? end : result;
}

} // namespace kw
