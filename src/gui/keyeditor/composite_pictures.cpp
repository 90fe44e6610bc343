#include "gui/keyeditor/composite_pictures.h"

#include "core/skin/skin_keys.h"
#include "gui/app/shell_actions.h"
#include "gui/skin/skin_picture.h"

#include <map>
#include <memory>

namespace kw::gui {

const CompositePictures* LoadCompositePictures(const std::filesystem::path& programFolder,
                                               QSize clientSize) {
    // One set per program folder (a program has one; tests use several).
    static std::map<std::filesystem::path, std::unique_ptr<CompositePictures>> loaded;
    if (const auto found = loaded.find(programFolder); found != loaded.end()) {
        return found->second.get();
    }
    auto pictures = std::make_unique<CompositePictures>();
    for (std::size_t set = 0; set < skin::kCompositePagePictures.size(); ++set) {
        for (std::size_t face = 0; face < 4; ++face) {
            const std::filesystem::path file =
                programFolder / std::string(skin::kCompositePagePictures[set][face]);
            QImage& picture = pictures->sets[set][face];
            picture = LoadSkinPicture(app::qtPath(file), clientSize);
            if (picture.isNull()) {
                return nullptr;
            }
        }
    }
    return (loaded[programFolder] = std::move(pictures)).get();
}

} // namespace kw::gui
