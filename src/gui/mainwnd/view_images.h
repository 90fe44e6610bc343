#pragma once
// The nine whole-window pictures every image button of the main window cuts
// its faces from: normal, hover, pressed, disabled/selected, the same four
// again as a second set, and the arrow frames.

#include "gui/skin/skin_picture.h"

#include <array>
#include <filesystem>

namespace kw::gui {

class ViewImages {
public:
    // A missing or undecodable file leaves its picture empty. The pictures are
    // the double-size ones where the ratio asks for them and they are there.
    // The normal and disabled/selected pictures, which the window shows at
    // once, start decoding now; the others decode when a button first shows
    // them.
    static ViewImages Load(const std::filesystem::path& skinFolder, qreal devicePixelRatio);

    // n counts from 1, as the pictures are numbered in the skin.
    const SkinPicture& image(int n) const { return images_.at(static_cast<std::size_t>(n - 1)); }

private:
    std::array<SkinPicture, 9> images_;
};

} // namespace kw::gui
