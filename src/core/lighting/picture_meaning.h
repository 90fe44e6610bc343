#pragma once
// What a lighting control's picture says, for people who cannot see it: the
// language key of the word it stands for (a direction or a colour; empty when
// the control's caption says it all) and whether it shows the "on" state.

#include <string_view>

namespace kw {

struct PictureMeaning {
    std::string_view wordKey; // empty: no word of its own
    bool on = false;
    bool operator==(const PictureMeaning&) const = default;
};

// Unknown pictures mean nothing and are off.
PictureMeaning MeaningOfPicture(std::string_view picture);

} // namespace kw
