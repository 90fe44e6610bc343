#pragma once
// The application: builds the program's paths, its settings store and both
// configuration images, settles the single instance and the command line's
// switches, starts the key daemon and runs the main window until it quits.

#include "gui/app/command_line.h"

#include <QApplication>
#include <filesystem>

namespace kw::app {

// Where the program's files live, built once from the executable's folder.
struct AppPaths {
    // The folder of the program's own files: beside the executable in a build
    // tree, ../share/keyweave once installed.
    std::filesystem::path programFolder;
    std::filesystem::path helpFolder;   // "Help/"
    std::filesystem::path mainSkinFile; // "Skins/Main.ini"
    std::filesystem::path daemonPath;   // the key daemon installed beside us

    static AppPaths fromFolders(const std::filesystem::path& executableFolder,
                                const std::filesystem::path& programFolder);
};

class CKeyweaveApp {
public:
    explicit CKeyweaveApp(QApplication& application);
    // The whole life of the process; the exit code.
    int InitInstance();

private:
    // The requests of "/Kill" and of a second start; true when the process
    // ends here (with exit code 0).
    bool settleInstance(const CommandLine& line, class SingleInstance& instance,
                        std::atomic<int>& firstPresenceHandled);

    QApplication& application_;
};

} // namespace kw::app
