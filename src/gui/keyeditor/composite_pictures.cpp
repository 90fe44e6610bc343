#include "gui/keyeditor/composite_pictures.h"

#include "core/skin/skin_keys.h"
#include "gui/app/shell_actions.h"
#include "gui/skin/skin_picture.h"

#include <QImageReader>
#include <map>
#include <memory>
#include <utility>

namespace kw::gui {

const CompositePictures* LoadCompositePictures(const std::filesystem::path& programFolder,
                                               QSize clientSize, qreal devicePixelRatio) {
    // One set per program folder and ratio (a program has one; tests use several).
    using Key = std::pair<std::filesystem::path, qreal>;
    static std::map<Key, std::unique_ptr<CompositePictures>> loaded;
    const Key key{programFolder, devicePixelRatio};
    if (const auto found = loaded.find(key); found != loaded.end()) {
        return found->second.get();
    }
    auto pictures = std::make_unique<CompositePictures>();
    for (std::size_t set = 0; set < skin::kCompositePagePictures.size(); ++set) {
        for (std::size_t face = 0; face < 4; ++face) {
            const QString file =
                app::qtPath(programFolder / std::string(skin::kCompositePagePictures[set][face]));
            if (!QImageReader(file).canRead()) {
                return nullptr;
            }
            pictures->sets[set][face] = SkinPicture::Deferred([file, clientSize, devicePixelRatio] {
                return LoadSkinPicture(file, clientSize, devicePixelRatio);
            });
        }
    }
    return (loaded[key] = std::move(pictures)).get();
}

} // namespace kw::gui
