#pragma once
// The key editor's five page sets (key, macro, macro-edit tabs, media,
// function), four whole-dialog pictures each: normal, over, down, disabled.
// Each is decoded the first time a button shows it and kept for the life of
// the program.

#include "core/keyeditor/show_kind.h"
#include "gui/skin/skin_picture.h"

#include <QSize>
#include <array>
#include <filesystem>

namespace kw::gui {

struct CompositePictures {
    std::array<std::array<SkinPicture, 4>, 5> sets;

    // In the order of PageSet.
    const std::array<SkinPicture, 4>& of(PageSet set) const {
        return sets[static_cast<std::size_t>(set)];
    }
};

// The pictures under `programFolder`, drawn at the dialog's client size, for a
// screen of `devicePixelRatio` (LoadSkinPicture). The first successful load of
// a folder at a ratio is kept and returned again; nullptr while any picture
// is missing or not a picture (only its header is read here).
const CompositePictures* LoadCompositePictures(const std::filesystem::path& programFolder,
                                               QSize clientSize, qreal devicePixelRatio);

} // namespace kw::gui
