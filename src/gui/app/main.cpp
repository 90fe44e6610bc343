// keyweave: the keyboard's configuration window behind its tray icon.

#include "gui/app/keyweave_app.h"
#include "gui/app/startup_trace.h"
#include "gui/skin/skin_style.h"

#include <QApplication>

int main(int argc, char** argv) {
    kw::app::StartupMark("main");
    QApplication application(argc, argv);
    kw::app::StartupMark("application");
    QApplication::setApplicationName(QStringLiteral("keyweave"));
    // Plain Qt widgets (selectors, edits, tooltips, menus, message boxes) take the skin's dark
    // look.
    kw::gui::ApplySkinTheme(application);
    return kw::app::CKeyweaveApp(application).InitInstance();
}
