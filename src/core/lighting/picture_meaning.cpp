#include "core/lighting/picture_meaning.h"

#include <array>

namespace kw {
namespace {

struct Entry {
    std::string_view stem; // the picture without its state suffix and ".bmp"
    std::string_view wordKey;
};

// The state is the suffix: "down" or "ok" on, "up" or none off.
constexpr std::array<Entry, 14> kPictures = {{
    {"up", "ACCESS_UP"},
    {"down", "ACCESS_DOWN"},
    {"left", "ACCESS_LEFT"},
    {"right", "ACCESS_RIGHT"},
    {"kuosan", "ACCESS_SPREAD"},
    {"julong", "ACCESS_GATHER"},
    {"hong", "COLOUR_RED"},
    {"huang", "COLOUR_YELLOW"},
    {"lv", "COLOUR_GREEN"},
    {"lan", "COLOUR_BLUE"},
    {"sjs", ""},
    {"deng", ""},
    {"user1", ""},
    {"user2", ""},
}};

} // namespace

PictureMeaning MeaningOfPicture(std::string_view picture) {
    constexpr std::string_view kExtension = ".bmp";
    if (!picture.ends_with(kExtension)) {
        return {};
    }
    picture.remove_suffix(kExtension.size());
    for (const Entry& entry : kPictures) {
        if (!picture.starts_with(entry.stem)) {
            continue;
        }
        const std::string_view state = picture.substr(entry.stem.size());
        if (state == "down" || state == "ok") {
            return {entry.wordKey, true};
        }
        if (state == "up" || state.empty()) {
            return {entry.wordKey, false};
        }
    }
    return {};
}

} // namespace kw
