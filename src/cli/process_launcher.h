#pragma once
// Starts a program on its own, without waiting for it (the update program
// that takes over the keyboard in its boot mode).

#include "core/sync/firmware_handoff.h"

namespace kw::cli {

class ProcessLauncher : public ProgramLauncher {
public:
    bool launch(const std::filesystem::path& program) override;
};

} // namespace kw::cli
