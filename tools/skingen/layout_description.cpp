#include "layout_description.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace kw::skingen {

namespace {

std::optional<PictureState> stateNamed(const std::string& name) {
    static const std::map<std::string, PictureState> states = {
        {"normal", PictureState::Normal}, {"over", PictureState::Over},
        {"down", PictureState::Down},     {"disable", PictureState::Disable},
        {"mark0", PictureState::Mark0},   {"mark1", PictureState::Mark1},
    };
    const auto it = states.find(name);
    return it == states.end() ? std::nullopt : std::optional(it->second);
}

std::string restOf(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    const auto start = rest.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : rest.substr(start);
}

} // namespace

const Item* WindowDescription::find(const std::string& key) const {
    const auto it =
        std::find_if(items.begin(), items.end(), [&](const Item& item) { return item.key == key; });
    return it == items.end() ? nullptr : &*it;
}

std::vector<std::string> WindowDescription::pages() const {
    std::vector<std::string> result;
    for (const Picture& picture : pictures) {
        if (std::find(result.begin(), result.end(), picture.page) == result.end()) {
            result.push_back(picture.page);
        }
    }
    return result;
}

WindowDescription parseWindowDescription(const std::string& text, const std::string& sourceName) {
    WindowDescription window;
    std::set<std::string> keys;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        throw std::runtime_error(sourceName + ":" + std::to_string(number) + ": " + why);
    };
    while (std::getline(lines, line)) {
        ++number;
        // Only whole lines are comments: '#' is also a key legend.
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        std::istringstream in(line);
        std::string word;
        if (!(in >> word)) {
            continue;
        }
        if (word == "window") {
            if (!(in >> window.iniFile >> window.width >> window.height) || window.width <= 0 ||
                window.height <= 0) {
                fail("expected: window <ini file> <width> <height>");
            }
        } else if (word == "screen") {
            std::string key;
            if (!(in >> key)) {
                fail("expected: screen <key> <value>");
            }
            window.screen.emplace_back(key, restOf(in));
        } else if (word == "picture") {
            Picture picture;
            std::string state;
            if (!(in >> picture.file >> state)) {
                fail("expected: picture <file> <state> [page]");
            }
            const auto parsed = stateNamed(state);
            if (!parsed) {
                fail("unknown picture state '" + state + "'");
            }
            picture.state = *parsed;
            in >> picture.page;
            window.pictures.push_back(picture);
        } else if (word == "sheet") {
            if (!(in >> window.sheetFile)) {
                fail("expected: sheet <file>");
            }
        } else {
            Item item;
            item.line = number;
            const auto at = word.find('@');
            item.style = word.substr(0, at);
            item.page = at == std::string::npos ? std::string() : word.substr(at + 1);
            if (!(in >> item.key >> item.x >> item.y >> item.width >> item.height)) {
                fail("expected: <style> <KEY> <x> <y> <width> <height> [label]");
            }
            if (item.width <= 0 || item.height <= 0) {
                fail("a control needs a positive size");
            }
            item.label = restOf(in);
            if (item.key != "-" && !keys.insert(item.key).second) {
                fail("key " + item.key + " is placed twice");
            }
            window.items.push_back(item);
        }
    }
    if (window.iniFile.empty()) {
        fail("no window line");
    }
    return window;
}

WindowDescription loadWindowDescription(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseWindowDescription(text.str(), file.filename().string());
}

} // namespace kw::skingen
