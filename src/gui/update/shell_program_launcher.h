#pragma once
// Starts the chosen update program through the desktop, detached.

#include "core/sync/firmware_handoff.h"
#include "gui/app/shell_actions.h"

namespace kw::gui {

class ShellProgramLauncher : public ProgramLauncher {
public:
    explicit ShellProgramLauncher(app::ShellActions& shell) : shell_(shell) {}
    // False for a program that is missing or not executable.
    bool launch(const std::filesystem::path& program) override {
        return shell_.startDetached(app::qtPath(program), {}, QString());
    }

private:
    app::ShellActions& shell_;
};

} // namespace kw::gui
