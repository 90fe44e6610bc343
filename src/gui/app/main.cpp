// keyweave: the keyboard's configuration window behind its tray icon.

#include "gui/app/keyweave_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("keyweave"));
    return kw::app::CKeyweaveApp(application).InitInstance();
}
