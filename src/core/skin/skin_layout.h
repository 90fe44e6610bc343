#pragma once
// Skin layout files: where every control of a window sits and which part of a
// whole-window picture is its face.

#include "core/base/ini_file.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kw::skin {

// Value used for a key the file does not have: a 1 x 1 control at (1, 1).
inline constexpr std::string_view kDefaultRectValue = "1,1,1,1,x";
// Whole-window pictures are rendered this much larger than the window, so a
// face cut near the right or bottom edge still lies inside the picture.
inline constexpr int kPictureMargin = 100;

inline constexpr std::string_view kScreenSection = "SCREEN";
inline constexpr std::string_view kButtonSection = "BUTTONINFO";
inline constexpr std::string_view kFrameSection = "BUTTONINFO2";

struct SkinRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

struct FaceOrigin {
    int x = 0;
    int y = 0;
    friend bool operator==(const FaceOrigin&, const FaceOrigin&) = default;
};

// "x,y,width,height" read like "%d,%d,%d,%d": leading blanks before a number
// are skipped, anything after the fourth number is ignored, and numbers that
// are missing or unreadable count as 0.
SkinRect parseSkinRect(std::string_view value);

// A control still at the default place was not found in the skin; an image
// button there is disabled.
inline bool isDefaultPlacement(const SkinRect& rect) {
    return rect.x == 1 && rect.y == 1;
}

// A face is cut one pixel up and left of the control's own position.
inline FaceOrigin faceOrigin(const SkinRect& rect) {
    return {rect.x - 1, rect.y - 1};
}

// Whether a control's face lies inside a picture rendered for a window of the
// given client size (picture = window plus the margin each way right and down).
bool faceInsidePicture(const SkinRect& rect, int windowWidth, int windowHeight);

// Whether the control lies wholly inside the window's client area.
bool insideWindow(const SkinRect& rect, int windowWidth, int windowHeight);

bool overlaps(const SkinRect& a, const SkinRect& b);

// "KEY_%03X" of a key index.
std::string keyButtonSkinKey(unsigned keyIndex);
// "FUNC_G%d" of a G-key ordinal 0..8.
std::string gKeySkinKey(int ordinal);

enum class ArrowSide { Left, Right };
// Frame key of an arrow picture in "BUTTONINFO2", e.g. "UP_ARROW_LEFT1".
std::string arrowFrameKey(ArrowSide side, bool up);
// Position key of an arrow picture in "BUTTONINFO".
std::string_view arrowPositionKey(ArrowSide side);

// Suffix of the direction controls' placement keys for an effect ("2" for the
// column effects 1..3, "3" for the row effect 12, "" otherwise).
std::string_view directionKeySuffix(int effectCode);

// Address of the link and web-site buttons when the main skin names none.
inline constexpr std::string_view kDefaultLink = "https://keyweave.example.org/";

// One window's skin file, read once and then asked for many keys.
class SkinLayout {
public:
    SkinLayout() = default;
    // A missing or unreadable file gives a layout in which every key is missing.
    static SkinLayout load(const std::filesystem::path& iniFile);

    // The rectangle of a key, the default rectangle when the key is missing.
    SkinRect rect(std::string_view section, std::string_view key) const;
    SkinRect rect(std::string_view key) const { return rect(kButtonSection, key); }
    bool has(std::string_view section, std::string_view key) const;

    // File of the background and of the window shape ("SCREEN" "Main" and
    // "Mask"; an empty "Mask" falls back to "Main"); empty path when unnamed.
    std::filesystem::path backgroundFile() const;
    std::filesystem::path maskFile() const;
    // "SCREEN" "Link", or kDefaultLink.
    std::string link() const;

    // The folder of the skin file: background and lighting pictures live there.
    const std::filesystem::path& folder() const { return folder_; }
    const IniDocument& document() const { return document_; }

private:
    std::filesystem::path inFolder(std::string_view name) const;

    IniDocument document_;
    std::filesystem::path folder_;
};

} // namespace kw::skin
