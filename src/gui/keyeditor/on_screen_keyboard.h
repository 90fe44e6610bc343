#pragma once
// The desktop's on-screen keyboard, started for the key editor's button.

#include "gui/app/shell_actions.h"

#include <QString>
#include <QStringList>

namespace kw::gui {

// The on-screen keyboards looked for on the search path, in order of preference.
QStringList OnScreenKeyboardPrograms();

// Starts the first on-screen keyboard found on PATH, detached; false when none
// is installed or it could not start. Never waits for it.
bool StartOnScreenKeyboard(app::ShellActions& shell);

} // namespace kw::gui
