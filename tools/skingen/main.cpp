// skingen: draws the whole Skins folder from the layout descriptions, and the
// program's desktop icons when a folder for them is given.
//   skingen <layout folder> <Skins folder> <version> [<icons folder>]

#include "layout_description.h"
#include "lighting_pictures.h"
#include "window_pictures.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr,
                     "usage: skingen <layout folder> <Skins folder> <version> [<icons folder>]\n");
        return 2;
    }
    QGuiApplication app(argc, argv); // fonts need the GUI application
    try {
        const std::filesystem::path layouts = argv[1];
        const std::filesystem::path skins = argv[2];
        const QString version = QString::fromUtf8(argv[3]);
        std::filesystem::create_directories(skins);
        for (const char* name : {"main.txt", "composite.txt", "profile.txt", "update.txt"}) {
            const auto window = kw::skingen::loadWindowDescription(layouts / name);
            kw::skingen::writeWindowSkin(window, skins, version);
            if (window.iniFile == "Main.ini") {
                kw::skingen::writeLightingPictures(window, skins);
                kw::skingen::writeLogoAndTrayIcons(window, skins);
            }
        }
        if (argc == 5) {
            kw::skingen::writeApplicationIcons(argv[4]);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skingen: %s\n", error.what());
        return 1;
    }
    return 0;
}
