#include "gui/mainwnd/view_images.h"

#include <QString>

namespace kw::gui {

ViewImages ViewImages::Load(const std::filesystem::path& skinFolder, qreal devicePixelRatio) {
    static constexpr std::array<const char*, 5> kFiles = {
        "main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "Arrow.jpg"};
    std::array<SkinPicture, kFiles.size()> pictures;
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
        pictures[i] = SkinPicture::Deferred(
            QString::fromStdString((skinFolder / kFiles[i]).string()), devicePixelRatio);
    }
    // Every button shows its normal face at once, and the selected profile,
    // report rate and assigned keys the disabled/selected one.
    pictures[0].Prefetch();
    pictures[3].Prefetch();
    ViewImages result;
    for (std::size_t i = 0; i < 4; ++i) {
        // The second set is the same files, decoded once.
        result.images_[i] = pictures[i];
        result.images_[i + 4] = pictures[i];
    }
    result.images_[8] = pictures[4];
    return result;
}

} // namespace kw::gui
