#pragma once
// The declarative description of one skinned window: its size, its pictures
// and one line per control. Format (one statement per line; lines starting
// with '#' are comments):
//
//   window <ini file> <width> <height>
//   screen <key> <value...>              "SCREEN" entries (Main, Mask, Link)
//   picture <file> <state> [page]        a whole-window picture in one state
//   sheet <file>                         the frame sheet of "frame" lines
//   <style>[@page] <KEY|-> <x> <y> <w> <h> [label...]
//
// A control line writes "x,y,w,h" under its key in "BUTTONINFO" ("frame"
// lines: in "BUTTONINFO2", as the frame's offset in the sheet) and is drawn
// into every picture in the look its style has in that picture's state. A key
// of "-" draws decoration only. "@page" limits a line to one page's pictures.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kw::skingen {

enum class PictureState { Normal, Over, Down, Disable, Mark0, Mark1 };

struct Picture {
    std::string file; // relative to the Skins folder
    PictureState state = PictureState::Normal;
    std::string page; // empty: the window has one page
};

struct Item {
    std::string style;
    std::string page; // empty: on every page
    std::string key;  // "-" for decoration
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string label;
    int line = 0;
};

struct WindowDescription {
    std::string iniFile;
    int width = 0;
    int height = 0;
    std::vector<std::pair<std::string, std::string>> screen;
    std::vector<Picture> pictures;
    std::string sheetFile;
    std::vector<Item> items;

    const Item* find(const std::string& key) const;
    std::vector<std::string> pages() const;
};

// Throws std::runtime_error naming the file and line of the first error.
WindowDescription parseWindowDescription(const std::string& text, const std::string& sourceName);
WindowDescription loadWindowDescription(const std::filesystem::path& file);

} // namespace kw::skingen
