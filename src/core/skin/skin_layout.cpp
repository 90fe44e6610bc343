#include "core/skin/skin_layout.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace kw::skin {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One "%d": blanks, optional sign, digits. Saturates instead of overflowing.
bool readNumber(std::string_view text, std::size_t& at, int& out) {
    while (at < text.size() && isBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    const std::size_t digitsStart = at;
    long long value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        value =
            std::min<long long>(value * 10 + (text[at] - '0'), static_cast<long long>(INT_MAX) + 1);
        ++at;
    }
    if (at == digitsStart) {
        return false;
    }
    value = negative ? -value : value;
    out = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    return true;
}

} // namespace

SkinRect parseSkinRect(std::string_view value) {
    int numbers[4] = {0, 0, 0, 0};
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at >= value.size() || value[at] != ',') {
                break;
            }
            ++at;
        }
        if (!readNumber(value, at, numbers[i])) {
            break;
        }
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool faceInsidePicture(const SkinRect& rect, int windowWidth, int windowHeight) {
    const FaceOrigin origin = faceOrigin(rect);
    return origin.x >= 0 && origin.y >= 0 && rect.width >= 0 && rect.height >= 0 &&
           static_cast<long long>(origin.x) + rect.width <= windowWidth + kPictureMargin &&
           static_cast<long long>(origin.y) + rect.height <= windowHeight + kPictureMargin;
}

bool insideWindow(const SkinRect& rect, int windowWidth, int windowHeight) {
    return rect.x >= 0 && rect.y >= 0 && rect.width > 0 && rect.height > 0 &&
           static_cast<long long>(rect.x) + rect.width <= windowWidth &&
           static_cast<long long>(rect.y) + rect.height <= windowHeight;
}

bool overlaps(const SkinRect& a, const SkinRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

std::string keyButtonSkinKey(unsigned keyIndex) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "KEY_%03X", keyIndex);
    return buffer;
}

std::string gKeySkinKey(int ordinal) {
    return "FUNC_G" + std::to_string(ordinal + 1);
}

std::string arrowFrameKey(ArrowSide side, bool up) {
    std::string key = up ? "UP_ARROW_" : "DOWN_ARROW_";
    key += side == ArrowSide::Left ? "LEFT" : "RIGHT";
    return key + "1";
}

std::string_view arrowPositionKey(ArrowSide side) {
    return side == ArrowSide::Left ? "LEFT_ARROW" : "RIGHT_ARROW";
}

std::string_view directionKeySuffix(int effectCode) {
    if (effectCode >= 1 && effectCode <= 3) {
        return "2";
    }
    if (effectCode == 12) {
        return "3";
    }
    return "";
}

SkinLayout SkinLayout::load(const std::filesystem::path& iniFile) {
    SkinLayout layout;
    layout.document_ = IniDocument::load(iniFile);
    layout.folder_ = iniFile.parent_path();
    return layout;
}

SkinRect SkinLayout::rect(std::string_view section, std::string_view key) const {
    const std::optional<std::string> value = document_.value(section, key);
    return parseSkinRect(value ? std::string_view(*value) : kDefaultRectValue);
}

bool SkinLayout::has(std::string_view section, std::string_view key) const {
    return document_.value(section, key).has_value();
}

std::filesystem::path SkinLayout::inFolder(std::string_view name) const {
    if (name.empty()) {
        return {};
    }
    return folder_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::filesystem::path SkinLayout::backgroundFile() const {
    return inFolder(document_.value(kScreenSection, "Main").value_or(""));
}

std::filesystem::path SkinLayout::maskFile() const {
    const std::string mask = document_.value(kScreenSection, "Mask").value_or("");
    return mask.empty() ? backgroundFile() : inFolder(mask);
}

std::string SkinLayout::link() const {
    const std::string link = document_.value(kScreenSection, "Link").value_or("");
    return link.empty() ? std::string(kDefaultLink) : link;
}

} // namespace kw::skin
