#include "gui/mainwnd/view_images.h"

#include "gui/skin/skin_picture.h"

#include <QString>
#include <future>

namespace kw::gui {

ViewImages ViewImages::Load(const std::filesystem::path& skinFolder, qreal devicePixelRatio) {
    static constexpr std::array<const char*, 5> kFiles = {
        "main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "Arrow.jpg"};
    // Decoding the whole-window pictures is most of the window's start-up;
    // they decode side by side.
    std::array<std::future<QImage>, kFiles.size()> decoded;
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
        decoded[i] =
            std::async(std::launch::async, [file = skinFolder / kFiles[i], devicePixelRatio] {
                return LoadScaledImage(QString::fromStdString(file.string()), devicePixelRatio);
            });
    }
    ViewImages result;
    for (std::size_t i = 0; i < 4; ++i) {
        result.images_[i] = decoded[i].get();
        // The second set is the same files; QImage shares the pixels.
        result.images_[i + 4] = result.images_[i];
    }
    result.images_[8] = decoded[4].get();
    return result;
}

} // namespace kw::gui
