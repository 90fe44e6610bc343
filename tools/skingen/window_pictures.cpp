#include "window_pictures.h"

#include "core/base/ini_file.h"
#include "core/skin/skin_layout.h"
#include "face_painter.h"
#include "picture_files.h"
#include "theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace kw::skingen {

namespace {

constexpr double kCornerRadius = 14.0;

bool onPage(const Item& item, const std::string& page) {
    if (item.page.empty()) {
        return true;
    }
    std::istringstream pages(item.page);
    std::string one;
    while (std::getline(pages, one, ',')) {
        if (one == page) {
            return true;
        }
    }
    return false;
}

QPainterPath windowShape(const WindowDescription& window) {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, window.width - 1, window.height - 1), kCornerRadius,
                         kCornerRadius);
    return shape;
}

void paintWindowBackground(QPainter& p, const WindowDescription& window) {
    using namespace theme;
    p.fillRect(QRect(0, 0, window.width, window.height), kWindowBottom);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, window.height);
    fill.setColorAt(0, kWindowTop);
    fill.setColorAt(1, kWindowBottom);
    p.setPen(QPen(kWindowEdge, 1));
    p.setBrush(fill);
    p.drawPath(windowShape(window));
    // A faint accent haze in the upper left gives the flat dark some depth.
    QRadialGradient haze(QPointF(window.width * 0.25, 0), window.width * 0.6);
    haze.setColorAt(0, withAlpha(kAccent, 22));
    haze.setColorAt(1, withAlpha(kAccent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(haze);
    p.drawPath(windowShape(window));
}

QImage sheetImage(const WindowDescription& window, int scale) {
    int width = 1;
    int height = 1;
    for (const Item& item : window.items) {
        if (item.style == "sheetframe") {
            width = std::max(width, item.x - 1 + item.width);
            height = std::max(height, item.y - 1 + item.height);
        }
    }
    QImage sheet = scaledCanvas(QSize(width, height), scale, QImage::Format_RGB32);
    sheet.fill(theme::kPlate.lighter(130));
    QPainter p(&sheet);
    for (const Item& item : window.items) {
        if (item.style == "sheetframe") {
            const QRectF frame(item.x - 1, item.y - 1, item.width, item.height);
            paintIcon(p, frame, QString::fromStdString(item.label), theme::kAccent);
        }
    }
    return sheet;
}

QImage maskImage(const WindowDescription& window, int scale) {
    QImage mask(window.width, window.height, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter p(&mask);
    // Hard edges: the window shape is a set of whole pixels.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(windowShape(window));
    p.end();
    // A window's shape is made of whole window pixels at every screen density,
    // so the larger mask is the same shape with each pixel doubled. Two
    // colours are all a mask has: one bit a pixel is a 32nd of the file the
    // window reads at every start.
    return mask.scaled(mask.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

std::string rectValue(const Item& item) {
    return std::to_string(item.x) + "," + std::to_string(item.y) + "," +
           std::to_string(item.width) + "," + std::to_string(item.height);
}

} // namespace

QImage renderWindowPicture(const WindowDescription& window, const std::string& page,
                           PictureState state, const QString& version, int scale) {
    QImage picture = scaledCanvas(QSize(window.width, window.height), scale, QImage::Format_RGB32);
    QPainter p(&picture);
    paintWindowBackground(p, window);
    for (const Item& item : window.items) {
        if (onPage(item, page) && isDrawn(item.style)) {
            paintItem(p, item, lookFor(item.style, state), version);
        }
    }
    return picture;
}

void writeWindowSkin(const WindowDescription& window, const std::filesystem::path& skinsFolder,
                     const QString& version) {
    IniDocument ini;
    for (const auto& [key, value] : window.screen) {
        ini.set(skin::kScreenSection, key, value);
    }
    for (const Item& item : window.items) {
        if (item.key != "-") {
            const auto section =
                item.style == "sheetframe" ? skin::kFrameSection : skin::kButtonSection;
            ini.set(section, item.key, rectValue(item));
        }
    }
    if (!ini.save(skinsFolder / window.iniFile)) {
        throw std::runtime_error("cannot write " + window.iniFile);
    }
    for (const Picture& picture : window.pictures) {
        saveAtEveryScale(skinsFolder / picture.file, "JPEG", 95, [&](int scale) {
            return renderWindowPicture(window, picture.page, picture.state, version, scale);
        });
    }
    const auto screenFile = [&](const std::string& key) -> std::string {
        for (const auto& [name, value] : window.screen) {
            if (name == key) {
                return value;
            }
        }
        return {};
    };
    const std::string background = screenFile("Main");
    if (!background.empty()) {
        const std::string firstPage =
            window.pages().empty() ? std::string() : window.pages().front();
        saveAtEveryScale(skinsFolder / background, "BMP", -1, [&](int scale) {
            return renderWindowPicture(window, firstPage, PictureState::Normal, version, scale);
        });
    }
    const std::string mask = screenFile("Mask");
    if (!mask.empty()) {
        saveAtEveryScale(skinsFolder / mask, "BMP", -1,
                         [&](int scale) { return maskImage(window, scale); });
    }
    if (!window.sheetFile.empty()) {
        saveAtEveryScale(skinsFolder / window.sheetFile, "JPEG", 95,
                         [&](int scale) { return sheetImage(window, scale); });
    }
}

} // namespace kw::skingen
