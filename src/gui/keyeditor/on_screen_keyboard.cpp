#include "gui/keyeditor/on_screen_keyboard.h"

#include <QStandardPaths>

namespace kw::gui {

QStringList OnScreenKeyboardPrograms() {
    return {QStringLiteral("onboard"), QStringLiteral("florence"),
            QStringLiteral("matchbox-keyboard"), QStringLiteral("xvkbd")};
}

bool StartOnScreenKeyboard(app::ShellActions& shell) {
    for (const QString& name : OnScreenKeyboardPrograms()) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty()) {
            return shell.startDetached(program, {}, QString());
        }
    }
    return false;
}

} // namespace kw::gui
