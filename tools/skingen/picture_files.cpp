#include "picture_files.h"

#include "core/base/atomic_file.h"

#include <QBuffer>
#include <stdexcept>
#include <string_view>

namespace kw::skingen {

std::filesystem::path scaledFileName(const std::filesystem::path& file, int scale) {
    if (scale == 1) {
        return file;
    }
    std::filesystem::path scaled = file;
    scaled.replace_filename(file.stem().string() + "@" + std::to_string(scale) + "x" +
                            file.extension().string());
    return scaled;
}

QImage scaledCanvas(QSize size, int scale, QImage::Format format) {
    QImage image(size * scale, format);
    image.setDevicePixelRatio(scale);
    return image;
}

void saveImage(const QImage& image, const std::filesystem::path& file, const char* format,
               int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality)) {
        throw std::runtime_error("cannot encode " + file.string());
    }
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!kw::writeFileAtomically(file, view)) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

void saveAtEveryScale(const std::filesystem::path& file, const char* format, int quality,
                      const std::function<QImage(int scale)>& render) {
    for (const int scale : kPictureScales) {
        saveImage(render(scale), scaledFileName(file, scale), format, quality);
    }
}

} // namespace kw::skingen
