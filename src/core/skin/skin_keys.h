#pragma once
// The skin files, keys and pictures each window reads. The key buttons of the
// drawn keyboard ("KEY_%03X", "FUNC_G%d") come from the key button tables.

#include <array>
#include <string_view>

namespace kw::skin {

inline constexpr std::string_view kSkinsFolder = "Skins";
inline constexpr std::string_view kMainSkinFile = "Main.ini";
inline constexpr std::string_view kCompositeSkinFile = "Composite.ini";
inline constexpr std::string_view kProfileSkinFile = "Profile.ini";
inline constexpr std::string_view kUpdateSkinFile = "UpdateDlg.ini";

// Main window image buttons besides the key buttons.
inline constexpr std::array<std::string_view, 32> kMainImageButtonKeys = {
    "KALMIR_LINK",   "FUNC_PROFILES", "FUNC_MACRO",       "CONTROL_OK",    "CONTROL_CANCEL",
    "CONTROL_HELP",  "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU",  "CONTROL2_APPLY",
    "LOCK_CAPS",     "LOCK_NUM",      "LOCK_SCROLL",      "LOCK_AB",       "FLIP_0",
    "FLIP_1",        "FLIP_2",        "KALMIR_VER",       "FUNC_PROFILE1", "FUNC_PROFILE2",
    "FUNC_PROFILE3", "FUNC_DEFAULT",  "FUNC_SWITCH",      "FUNC_REPORT1",  "FUNC_REPORT2",
    "FUNC_REPORT3",  "FUNC_REPORT4",  "KEY_FN",           "LEFT_ARROW",    "RIGHT_ARROW",
    "FUNC_UNDO",     "FUNC_REDO",
};

// The layer keys D1..D6 that stand in for F1..F4 in the second flip state.
inline constexpr std::array<std::string_view, 6> kLayerKeyButtonKeys = {
    "FUNC_D1", "FUNC_D2", "FUNC_D3", "FUNC_D4", "FUNC_D5", "FUNC_D6"};

// Main window controls placed by rectangle (labels, pictures, sliders, combo
// boxes, colour buttons, edits, web buttons).
inline constexpr std::array<std::string_view, 68> kMainControlKeys = {
    "CONTROL_UsbStatic",
    "CONTROL_RGBStatic",
    "CONTROL_DengStatic",
    "CONTROL_DengStaPic",
    "CONTROL_XGcombox",
    "CONTROL_JDTStatic",
    "CONTROL_LightStatic",
    "CONTROL_LightSlider",
    "CONTROL_SpeedStatic",
    "CONTROL_SpeedSlider",
    "CONTROL_BLFXStatic",
    "CONTROL_BLFXLStaPic",
    "CONTROL_BLFXRStaPic",
    "CONTROL_FYYSStatic",
    "CONTROL_FYYSButton",
    "CONTROL_FYSJSStaPic",
    "CONTROL_FYSJSStatic",
    "CONTROL_FYCFStatic",
    "CONTROL_FYdjcfStatic",
    "CONTROL_FYggcfStatc",
    "CONTROL_FYdjcfStaPic",
    "CONTROL_FYggcfStaPic",
    "CONTROL_HONGPIC",
    "CONTROL_HUANGPIC",
    "CONTROL_LVPIC",
    "CONTROL_LANPIC",
    "CONTROL_HXysStatic",
    "CONTROL_HXysButton",
    "CONTROL_HXsjsStatic",
    "CONTROL_HXsjsStaPic",
    "CONTROL_JTysStatic",
    "CONTROL_JTysButton",
    "CONTROL_USERysStatic",
    "CONTROL_USERysButton",
    "CONTROL_USERjsStatic",
    "CONTROL_USERjsButton",
    "CONTROL_USERgjStatic",
    "CONTROL_USERgjStaPic1",
    "CONTROL_USERgjStaPic2",
    "CONTROL_Color1",
    "CONTROL_Color2",
    "CONTROL_Color3",
    "CONTROL_Color4",
    "CONTROL_Color5",
    "CONTROL_Color6",
    "CONTROL_Color7",
    "CONTROL_Color8",
    "CONTROL_COMMUNITY",
    "CONTROL_VIDEO",
    "CONTROL_TSysStatic",
    "CONTROL_TSysButton",
    "CONTROL_TSsjsStatic",
    "CONTROL_TSsjsStaPic",
    "CONTROL_CDysStatic",
    "CONTROL_CDysButton",
    "CONTROL_CDsjsStatic",
    "CONTROL_CDsjsStaPic",
    "CONTROL_umCombo",
    "COLOR_R",
    "COLOR_G",
    "COLOR_B",
    "CONTROL_BLFXStatic2",
    "CONTROL_BLFXLStaPic2",
    "CONTROL_BLFXRStaPic2",
    "CONTROL_BLFXStatic3",
    "CONTROL_BLFXLStaPic3",
    "CONTROL_BLFXRStaPic3",
    "CONTROL_Network",
};

// Arrow picture frames, section "BUTTONINFO2".
inline constexpr std::array<std::string_view, 4> kMainFrameKeys = {
    "UP_ARROW_LEFT1", "DOWN_ARROW_LEFT1", "UP_ARROW_RIGHT1", "DOWN_ARROW_RIGHT1"};

// Whole-window pictures of the main window, relative to the program folder.
inline constexpr std::array<std::string_view, 6> kMainStatePictures = {
    "Skins/main_normal.jpg",  "Skins/main_over.jpg",   "Skins/main_down.jpg",
    "Skins/main_disable.jpg", "Skins/main_color0.jpg", "Skins/main_color1.jpg"};
inline constexpr std::string_view kArrowPicture = "Skins/Arrow.jpg";

// Lighting bitmaps of the main window's skin folder.
inline constexpr std::array<std::string_view, 37> kLightingPictures = {
    "dengup.bmp",    "dengdown.bmp",   "leftup.bmp",    "leftdown.bmp",   "rightup.bmp",
    "rightdown.bmp", "upup.bmp",       "updown.bmp",    "downup.bmp",     "downdown.bmp",
    "kuosan.bmp",    "kuosandown.bmp", "julong.bmp",    "julongdown.bmp", "hong.bmp",
    "hongok.bmp",    "huang.bmp",      "huangok.bmp",   "lv.bmp",         "lvok.bmp",
    "lan.bmp",       "lanok.bmp",      "sjsup.bmp",     "sjsdown.bmp",    "user1up.bmp",
    "user1down.bmp", "user2up.bmp",    "user2down.bmp", "Color1.bmp",     "Color2.bmp",
    "Color3.bmp",    "Color4.bmp",     "Color5.bmp",    "Color6.bmp",     "Color7.bmp",
    "Color8.bmp",    "logo_mask.bmp",
};
inline constexpr int kBusyFrameCount = 10;  // "jdt1.bmp" .. "jdt10.bmp"
inline constexpr int kSliderFaceCount = 26; // "0.bmp" .. "25.bmp"

inline constexpr std::array<std::string_view, 19> kCompositeImageButtonKeys = {
    "CONTROL_MASK",       "CONTROL_TITLE",    "CONTROL_OSK",       "CONTROL_CLEAR",
    "CONTROL_MEDIA",      "CONTROL_MACRO",    "CONTROL_KEY",       "CONTROL_FUNCTION",
    "CONTROL_OK",         "CONTROL_CANCEL",   "FUNC_MACRO_DELETE", "FUNC_MACRO_ADD",
    "FUNC_MACRO_UP_TOP",  "FUNC_MACRO_UP",    "FUNC_MACRO_DOWN",   "FUNC_MACRO_DOWN_BOTTOM",
    "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR", "FUNC_MACRO_RECORD",
};
inline constexpr std::array<std::string_view, 21> kCompositeControlKeys = {
    "FUNC_MACRO_RECORD_DELAY",
    "FUNC_MACRO_LIST2",
    "FUNC_MACRO_CYCLES",
    "FUNC_MACRO_CYCLES_PROMPT",
    "TISHI_SINGLE_STATIC",
    "MARCO_NAME_SETTING",
    "KEY_SETTING",
    "MEDIA_SETTING_TISHI",
    "FUNCTION_KEY_SETTING_TISHI",
    "FUNC_MACRO_RECORD_DELAY2",
    "FUNC_KEY_INPUT",
    "FUNC_MEDIA_SELECT",
    "FUNC_MACRO_LIST",
    "FUNC_FUNCTION_SELECT",
    "FUNC_KEY_RADIO_KB",
    "FUNC_KEY_RADIO_KB_STATIC",
    "FUNC_KEY_RADIO_MOU",
    "FUNC_KEY_RADIO_MOU_STATIC",
    "FUNC_KEY_COMBO_MOU",
    // The editor's Apply button has no key of its own in older skins; ours places it too.
    "CONTROL2_APPLY",
    // The name of the key being edited, beside the title picture.
    "CONTROL_TITLE_TEXT",
};
// Five page sets of four pictures: normal, over, down, disabled.
inline constexpr std::array<std::array<std::string_view, 4>, 5> kCompositePagePictures = {{
    {"Skins/key_normal.jpg", "Skins/key_over.jpg", "Skins/key_down.jpg", "Skins/key_normal.jpg"},
    {"Skins/macro_normal.jpg", "Skins/macro_over.jpg", "Skins/macro_down.jpg",
     "Skins/macro_disable.jpg"},
    {"Skins/macro2_normal.jpg", "Skins/macro2_over.jpg", "Skins/macro2_down.jpg",
     "Skins/macro2_disable.jpg"},
    {"Skins/media_normal.jpg", "Skins/media_over.jpg", "Skins/media_down.jpg",
     "Skins/media_normal.jpg"},
    {"Skins/function_normal.jpg", "Skins/function_over.jpg", "Skins/function_down.jpg",
     "Skins/function_normal.jpg"},
}};

inline constexpr std::array<std::string_view, 6> kProfileImageButtonKeys = {
    "CONTROL_OK", "CONTROL_CANCEL", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL2_APPLY"};
inline constexpr std::array<std::string_view, 2> kProfileControlKeys = {"PROGRAM_LIST",
                                                                        "CONTROL_TITLE_TEXT"};
inline constexpr std::array<std::string_view, 3> kProfilePictures = {
    "Skins/Profile_normal.jpg", "Skins/Profile_over.jpg", "Skins/Profile_down.jpg"};

inline constexpr std::array<std::string_view, 4> kUpdateImageButtonKeys = {
    "CONTROL_CUPButton", "CONTROL_UPButton", "CONTROL_OPENButton", "CONTROL_BACKUPButton"};
inline constexpr std::array<std::string_view, 3> kUpdateControlKeys = {
    "CONTROL_UPStatic", "CONTROL_UPCombox", "CONTROL_TITLE_TEXT"};
inline constexpr std::array<std::string_view, 2> kUpdatePictures = {"Skins/update_normal.jpg",
                                                                    "Skins/update_over.jpg"};

} // namespace kw::skin
