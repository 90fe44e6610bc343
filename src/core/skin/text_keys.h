#pragma once
// The keys of every text the program looks up in the language files, by the
// window that shows them. Code uses these constants, never a spelled-out key,
// and the language-file test walks the groups below, so a key added here that
// a language file lacks fails the build's tests.
//
// The keys keep their historic spellings ("CANCLE", "SEELCT", "TISHI"): they
// are the names inside the shipped language files.

#include <array>
#include <span>
#include <string_view>

namespace kw::text_keys {

inline constexpr std::string_view kTextSection = "TEXT";
inline constexpr std::string_view kLightSection = "LIGHT";
inline constexpr std::string_view kModeSection = "MODE";

// Main window: title, tray tip, tooltips, profile and action buttons, prompts.
inline constexpr std::string_view MAIN_CAPTION = "MAIN_CAPTION";
inline constexpr std::string_view KEYBOARD_TRAY_DESC = "KEYBOARD_TRAY_DESC";
inline constexpr std::string_view MAIN_HELP_PROMPT = "MAIN_HELP_PROMPT";
inline constexpr std::string_view MAIN_CLOSE_PROMPT = "MAIN_CLOSE_PROMPT";
inline constexpr std::string_view MAIN_MINIMIZE_PROMPT = "MAIN_MINIMIZE_PROMPT";
inline constexpr std::string_view MAIN_MENU_PROMPT = "MAIN_MENU_PROMPT";
inline constexpr std::string_view MAIN_UNDO_TIP = "MAIN_UNDO_TIP";
inline constexpr std::string_view MAIN_REDO_TIP = "MAIN_REDO_TIP";
inline constexpr std::string_view PROFILE_1 = "PROFILE_1";
inline constexpr std::string_view PROFILE_2 = "PROFILE_2";
inline constexpr std::string_view PROFILE_3 = "PROFILE_3";
inline constexpr std::string_view PROFILE_MACRO = "PROFILE_MACRO";
inline constexpr std::string_view PROFILE_DEFAULT = "PROFILE_DEFAULT";
inline constexpr std::string_view PROFILE_OK = "PROFILE_OK";
inline constexpr std::string_view PROFILE_CANCLE = "PROFILE_CANCLE";
inline constexpr std::string_view PROFILE_APPLY = "PROFILE_APPLY";
inline constexpr std::string_view MAIN_NO_DEVICE_PROMPT = "MAIN_NO_DEVICE_PROMPT";
inline constexpr std::string_view MAIN_PROMPT_DEFAULT = "MAIN_PROMPT_DEFAULT";
inline constexpr std::string_view MAIN_PROMPT_INPORT = "MAIN_PROMPT_INPORT";
inline constexpr std::string_view MAIN_DEFAULT_MATRIX_PROMPT = "MAIN_DEFAULT_MATRIX_PROMPT";
inline constexpr std::array kMainWindow = {
    MAIN_CAPTION,
    KEYBOARD_TRAY_DESC,
    MAIN_HELP_PROMPT,
    MAIN_CLOSE_PROMPT,
    MAIN_MINIMIZE_PROMPT,
    MAIN_MENU_PROMPT,
    MAIN_UNDO_TIP,
    MAIN_REDO_TIP,
    PROFILE_1,
    PROFILE_2,
    PROFILE_3,
    PROFILE_MACRO,
    PROFILE_DEFAULT,
    PROFILE_OK,
    PROFILE_CANCLE,
    PROFILE_APPLY,
    MAIN_NO_DEVICE_PROMPT,
    MAIN_PROMPT_DEFAULT,
    MAIN_PROMPT_INPORT,
    MAIN_DEFAULT_MATRIX_PROMPT,
};

// Tray menu (Open 32771, About 32773, Exit 32774) and the main window's button
// menu (Restore 32776, Back up 32777, About 32773, Exit 32779).
inline constexpr std::string_view MENU_11 = "MENU_11";
inline constexpr std::string_view MENU_22 = "MENU_22";
inline constexpr std::string_view MENU_33 = "MENU_33";
inline constexpr std::string_view MENU_1 = "MENU_1";
inline constexpr std::string_view MENU_2 = "MENU_2";
inline constexpr std::string_view MENU_3 = "MENU_3";
inline constexpr std::string_view MENU_4 = "MENU_4";
// Tray menu: the check item that starts the program with the user's session.
inline constexpr std::string_view MENU_AUTOSTART = "MENU_AUTOSTART";
// The autostart entry could not be written or removed (its path follows).
inline constexpr std::string_view AUTOSTART_FAILED = "AUTOSTART_FAILED";
inline constexpr std::array kMenus = {MENU_11, MENU_22, MENU_33,        MENU_1,          MENU_2,
                                      MENU_3,  MENU_4,  MENU_AUTOSTART, AUTOSTART_FAILED};

// The keyboard is there but its device nodes cannot be opened: the message
// (the node and the commands follow it), its copy button, the tray tip's line.
inline constexpr std::string_view KEYBOARD_ACCESS_DENIED = "KEYBOARD_ACCESS_DENIED";
inline constexpr std::string_view KEYBOARD_ACCESS_COPY = "KEYBOARD_ACCESS_COPY";
inline constexpr std::string_view KEYBOARD_ACCESS_TRAY = "KEYBOARD_ACCESS_TRAY";
inline constexpr std::array kAccess = {KEYBOARD_ACCESS_DENIED, KEYBOARD_ACCESS_COPY,
                                       KEYBOARD_ACCESS_TRAY};

// Colours in words, for screen readers (with the "#RRGGBB" after them).
inline constexpr std::array<std::string_view, 11> kColourWords = {
    "COLOUR_BLACK",  "COLOUR_WHITE",  "COLOUR_GREY",  "COLOUR_RED",
    "COLOUR_ORANGE", "COLOUR_YELLOW", "COLOUR_GREEN", "COLOUR_CYAN",
    "COLOUR_BLUE",   "COLOUR_PURPLE", "COLOUR_PINK"};

// Names for screen readers where the window shows no caption: what the
// lighting's direction buttons stand for, its two selectors, the report
// rates (a format), the top row's switch, Fn, and the macro list's buttons.
inline constexpr std::string_view ACCESS_RATE_HZ = "ACCESS_RATE_HZ";
inline constexpr std::array<std::string_view, 13> kAccessibleNames = {
    "ACCESS_UP",     "ACCESS_DOWN",      "ACCESS_LEFT",        "ACCESS_RIGHT", "ACCESS_SPREAD",
    "ACCESS_GATHER", "ACCESS_EFFECT",    "ACCESS_USER_MODE",   ACCESS_RATE_HZ, "ACCESS_FLIP",
    "ACCESS_FN_KEY", "ACCESS_MACRO_ADD", "ACCESS_MACRO_DELETE"};

// About dialog.
inline constexpr std::string_view LANG_ABOUT_TITLE = "LANG_ABOUT_TITLE";
inline constexpr std::string_view GUANYU_JIESHAO = "GUANYU_JIESHAO"; // product line
inline constexpr std::string_view GUANYU_BANQUAN = "GUANYU_BANQUAN"; // copyright line
inline constexpr std::string_view LANG_ABOUT_OK = "LANG_ABOUT_OK";
inline constexpr std::array kAbout = {LANG_ABOUT_TITLE, GUANYU_JIESHAO, GUANYU_BANQUAN,
                                      LANG_ABOUT_OK};

// Profile manager and profile files. PROFILE_FORMAT_ERROR is a format with one "%s" (the path).
inline constexpr std::string_view PROFILE_NEW = "PROFILE_NEW";
inline constexpr std::string_view PROFILE_FORMAT_ERROR = "PROFILE_FORMAT_ERROR";
inline constexpr std::string_view PROFILE_SELECT_PROMPT = "PROFILE_SELECT_PROMPT";
inline constexpr std::string_view PROFILE_SEELCT_PROMPT2 = "PROFILE_SEELCT_PROMPT2";
inline constexpr std::array kProfiles = {PROFILE_NEW, PROFILE_FORMAT_ERROR, PROFILE_SELECT_PROMPT,
                                         PROFILE_SEELCT_PROMPT2};

// Apply pipeline.
inline constexpr std::string_view EXTRA_MACRO_TOO_LONG = "EXTRA_MACRO_TOO_LONG";
inline constexpr std::string_view EXTRA_PROFILE_SPACE_TIGHT = "EXTRA_PROFILE_SPACE_TIGHT";
// Another program kept the keyboard ("%s" names it, or is KEYBOARD_BUSY_SOMEONE).
inline constexpr std::string_view KEYBOARD_BUSY = "KEYBOARD_BUSY";
inline constexpr std::string_view KEYBOARD_BUSY_SOMEONE = "KEYBOARD_BUSY_SOMEONE";
// The command line changed the keyboard while the window held unapplied edits.
inline constexpr std::string_view KEYBOARD_CHANGED_PROMPT = "KEYBOARD_CHANGED_PROMPT";
// A write sequence the keyboard did not complete; a configuration it could not give.
inline constexpr std::string_view KEYBOARD_NOT_TAKEN = "KEYBOARD_NOT_TAKEN";
inline constexpr std::string_view KEYBOARD_NOT_READ = "KEYBOARD_NOT_READ";
// An Apply found that another program wrote the keyboard since it was read.
inline constexpr std::string_view KEYBOARD_CHANGED_NOT_APPLIED = "KEYBOARD_CHANGED_NOT_APPLIED";
inline constexpr std::array kApply = {EXTRA_MACRO_TOO_LONG,    EXTRA_PROFILE_SPACE_TIGHT,
                                      KEYBOARD_BUSY,           KEYBOARD_BUSY_SOMEONE,
                                      KEYBOARD_CHANGED_PROMPT, KEYBOARD_NOT_TAKEN,
                                      KEYBOARD_NOT_READ,       KEYBOARD_CHANGED_NOT_APPLIED};

// Key button tooltips: name + KEY_PROMPT_SET + one of the others + assigned name + ")".
inline constexpr std::string_view KEY_PROMPT_SET = "KEY_PROMPT_SET";
inline constexpr std::string_view KEY_PROMPT_SINGLE = "KEY_PROMPT_SINGLE";
inline constexpr std::string_view KEY_PROMPT_MACRO = "KEY_PROMPT_MACRO";
inline constexpr std::string_view KEY_PROMPT_MEDIA = "KEY_PROMPT_MEDIA";
inline constexpr std::string_view KEY_PROMPT_FUNCTION = "KEY_PROMPT_FUNCTION";
inline constexpr std::array kKeyTooltips = {KEY_PROMPT_SET, KEY_PROMPT_SINGLE, KEY_PROMPT_MACRO,
                                            KEY_PROMPT_MEDIA, KEY_PROMPT_FUNCTION};

// Key names: the fallback for a code without a name (a format with one
// integer) and the eleven keyboard-side functions. The names of the key
// tables' rows (IDS_KEYBOARD_*, MEDIA_*) are kept with those tables.
inline constexpr std::string_view UNKNOWN_KEY = "UNKNOWN_KEY";
inline constexpr std::array kKeyNameFallback = {UNKNOWN_KEY};
inline constexpr std::array<std::string_view, 11> kFunctionKeyDescriptions = {
    "FUNC_KEY_DESC1", "FUNC_KEY_DESC2",  "FUNC_KEY_DESC3",  "FUNC_KEY_DESC4",
    "FUNC_KEY_DESC5", "FUNC_KEY_DESC6",  "FUNC_KEY_DESC7",  "FUNC_KEY_DESC8",
    "FUNC_KEY_DESC9", "FUNC_KEY_DESC10", "FUNC_KEY_DESC11",
};

// Composite key editor.
inline constexpr std::string_view MACRO_CYCLES = "MACRO_CYCLES";
inline constexpr std::string_view RECORD_DELAY = "RECORD_DELAY";
inline constexpr std::string_view IDS_MACRO_KB_KEY = "IDS_MACRO_KB_KEY";
inline constexpr std::string_view IDS_MACRO_MOU_KEY = "IDS_MACRO_MOU_KEY";
inline constexpr std::string_view SINGLE_STATIC = "SINGLE_STATIC";
inline constexpr std::string_view MACRO_NAME_SETTING = "MACRO_NAME_SETTING";
inline constexpr std::string_view MEDIA_EDIT_TISHI = "MEDIA_EDIT_TISHI";
inline constexpr std::string_view FUNCTION_TISHI = "FUNCTION_TISHI";
inline constexpr std::string_view MACRO_EDIT_TISHI = "MACRO_EDIT_TISHI";
inline constexpr std::string_view KEY_SETTING_TISHI = "KEY_SETTING_TISHI";
inline constexpr std::string_view SINGLE_KEY = "SINGLE_KEY";
inline constexpr std::string_view MULTI_MEDIA = "MULTI_MEDIA";
inline constexpr std::string_view FUNCTION_KEY = "FUNCTION_KEY";
inline constexpr std::string_view MACRO_SETTING = "MACRO_SETTING";
inline constexpr std::string_view A_RECORD = "A_RECORD";
inline constexpr std::string_view MACRO_OK = "MACRO_OK";
inline constexpr std::string_view MACRO_CANCLE = "MACRO_CANCLE";
inline constexpr std::string_view A_TOP = "A_TOP";
inline constexpr std::string_view A_UP = "A_UP";
inline constexpr std::string_view A_DOWN = "A_DOWN";
inline constexpr std::string_view A_BOTTOM = "A_BOTTOM";
inline constexpr std::string_view A_DELETE = "A_DELETE";
inline constexpr std::string_view A_CLEAR = "A_CLEAR";
inline constexpr std::string_view COMPOSITE_PROMPT_CLEAR = "COMPOSITE_PROMPT_CLEAR";
inline constexpr std::string_view COMPOSITE_PROMPT_OSK = "COMPOSITE_PROMPT_OSK";
// No on-screen keyboard is installed; a key was clicked before the keyboard
// said which profile is active.
inline constexpr std::string_view COMPOSITE_OSK_MISSING = "COMPOSITE_OSK_MISSING";
inline constexpr std::string_view KEY_EDITOR_NO_PROFILE = "KEY_EDITOR_NO_PROFILE";
inline constexpr std::array kCompositeEditor = {
    MACRO_CYCLES,
    RECORD_DELAY,
    IDS_MACRO_KB_KEY,
    IDS_MACRO_MOU_KEY,
    SINGLE_STATIC,
    MACRO_NAME_SETTING,
    MEDIA_EDIT_TISHI,
    FUNCTION_TISHI,
    MACRO_EDIT_TISHI,
    KEY_SETTING_TISHI,
    SINGLE_KEY,
    MULTI_MEDIA,
    FUNCTION_KEY,
    MACRO_SETTING,
    A_RECORD,
    MACRO_OK,
    MACRO_CANCLE,
    A_TOP,
    A_UP,
    A_DOWN,
    A_BOTTOM,
    A_DELETE,
    A_CLEAR,
    COMPOSITE_PROMPT_CLEAR,
    COMPOSITE_PROMPT_OSK,
    COMPOSITE_OSK_MISSING,
    KEY_EDITOR_NO_PROFILE,
};

// Macro editor and recording. MACRO_ERR_MAX and MACRO_ACTION_ERR_DELAY_MAX are
// formats with one integer; MACRO_ACTION_RECORD_DELAY also names the stored
// record-delay setting.
inline constexpr std::string_view MACRO_NEW_PREFIX = "MACRO_NEW_PREFIX";
inline constexpr std::string_view MACRO_ERR_MAX = "MACRO_ERR_MAX";
inline constexpr std::string_view MACRO_DELETE_CONFIRM_OF_KEYS = "MACRO_DELETE_CONFIRM_OF_KEYS";
inline constexpr std::string_view MACRO_KEYS_TISHI = "MACRO_KEYS_TISHI";
inline constexpr std::string_view MACRO_ACTION_TISHI = "MACRO_ACTION_TISHI";
inline constexpr std::string_view MACRO_DELAY_MS = "MACRO_DELAY_MS";
inline constexpr std::string_view MACRO_ACTION_RECORD = "MACRO_ACTION_RECORD";
inline constexpr std::string_view MACRO_ACTION_STOP_RECORD = "MACRO_ACTION_STOP_RECORD";
inline constexpr std::string_view MACRO_ACTION_RECORD_DELAY = "MACRO_ACTION_RECORD_DELAY";
inline constexpr std::string_view MACRO_ACTION_ERR_DELAY_MAX = "MACRO_ACTION_ERR_DELAY_MAX";
inline constexpr std::string_view MACRO_ACTION_ERR_MODIFY = "MACRO_ACTION_ERR_MODIFY";
inline constexpr std::string_view MACRO_ACTION_CLEAR_CONFIRM = "MACRO_ACTION_CLEAR_CONFIRM";
inline constexpr std::array kMacroEditor = {
    MACRO_NEW_PREFIX,
    MACRO_ERR_MAX,
    MACRO_DELETE_CONFIRM_OF_KEYS,
    MACRO_KEYS_TISHI,
    MACRO_ACTION_TISHI,
    MACRO_DELAY_MS,
    MACRO_ACTION_RECORD,
    MACRO_ACTION_STOP_RECORD,
    MACRO_ACTION_RECORD_DELAY,
    MACRO_ACTION_ERR_DELAY_MAX,
    MACRO_ACTION_ERR_MODIFY,
    MACRO_ACTION_CLEAR_CONFIRM,
};

// Captions and messages of the profile manager and the firmware-update dialog.
// The original design drew these as fixed Chinese strings; here they are
// language texts like every other caption.
inline constexpr std::string_view PROFILE_MANAGER_TITLE = "PROFILE_MANAGER_TITLE";
inline constexpr std::string_view PROFILE_COLUMN_ACTIVE = "PROFILE_COLUMN_ACTIVE";
inline constexpr std::string_view PROFILE_COLUMN_NAME = "PROFILE_COLUMN_NAME";
inline constexpr std::string_view PROFILE_COLUMN_PATH = "PROFILE_COLUMN_PATH";
inline constexpr std::string_view PROFILE_ADD = "PROFILE_ADD";
inline constexpr std::string_view PROFILE_LOAD = "PROFILE_LOAD";
inline constexpr std::string_view PROFILE_DELETE = "PROFILE_DELETE";
// New could not write the profile file (a folder without write access, a full disk).
inline constexpr std::string_view PROFILE_NEW_FAILED = "PROFILE_NEW_FAILED";
inline constexpr std::string_view MENU_UPDATE = "MENU_UPDATE"; // command 32780
inline constexpr std::string_view UPDATE_TITLE = "UPDATE_TITLE";
inline constexpr std::string_view UPDATE_OPEN = "UPDATE_OPEN";
inline constexpr std::string_view UPDATE_BACKUP = "UPDATE_BACKUP";
inline constexpr std::string_view UPDATE_START = "UPDATE_START";
inline constexpr std::string_view UPDATE_CANCEL = "UPDATE_CANCEL";
inline constexpr std::string_view UPDATE_ERR_FILE = "UPDATE_ERR_FILE";
inline constexpr std::string_view UPDATE_ERR_BOOT = "UPDATE_ERR_BOOT";
inline constexpr std::string_view UPDATE_ERR_RUN = "UPDATE_ERR_RUN";
inline constexpr std::string_view UPDATE_BACKUP_OK = "UPDATE_BACKUP_OK";
inline constexpr std::string_view UPDATE_BACKUP_FAILED = "UPDATE_BACKUP_FAILED";
inline constexpr std::array kManagerAndUpdate = {
    PROFILE_MANAGER_TITLE, PROFILE_COLUMN_ACTIVE, PROFILE_COLUMN_NAME,  PROFILE_COLUMN_PATH,
    PROFILE_ADD,           PROFILE_LOAD,          PROFILE_DELETE,       PROFILE_NEW_FAILED,
    MENU_UPDATE,           UPDATE_TITLE,          UPDATE_OPEN,          UPDATE_BACKUP,
    UPDATE_START,          UPDATE_CANCEL,         UPDATE_ERR_FILE,      UPDATE_ERR_BOOT,
    UPDATE_ERR_RUN,        UPDATE_BACKUP_OK,      UPDATE_BACKUP_FAILED,
};

// Every group of section "TEXT" above, for code that walks them all.
inline constexpr std::array<std::span<const std::string_view>, 14> kTextGroups = {
    kMainWindow,      kMenus,           kAccess,
    kAbout,           kProfiles,        kApply,
    kKeyTooltips,     kKeyNameFallback, kFunctionKeyDescriptions,
    kCompositeEditor, kMacroEditor,     kManagerAndUpdate,
    kColourWords,     kAccessibleNames,
};

// Texts that are formats: one integer ("%d") or, for the profile error and the busy keyboard, one
// "%s".
inline constexpr std::array kIntegerFormats = {UNKNOWN_KEY, MACRO_ERR_MAX,
                                               MACRO_ACTION_ERR_DELAY_MAX, ACCESS_RATE_HZ};
inline constexpr std::array kTextFormats = {PROFILE_FORMAT_ERROR, KEYBOARD_BUSY};

// Section "LIGHT": captions of the lighting group and of the report rate.
inline constexpr std::string_view LIGHT_TITLE = "Deng";
inline constexpr std::string_view LIGHT_BRIGHTNESS = "Light";
inline constexpr std::string_view LIGHT_SPEED = "Speed";
inline constexpr std::string_view LIGHT_DIRECTION = "FX";
inline constexpr std::string_view LIGHT_COLOUR = "Color";
inline constexpr std::string_view LIGHT_BASE_COLOUR = "JColor";
inline constexpr std::string_view LIGHT_MULTICOLOUR = "DC";
inline constexpr std::string_view LIGHT_TOOL = "Tool";
inline constexpr std::string_view LIGHT_REPORT_RATE = "Usb";
inline constexpr std::array kLightKeys = {LIGHT_TITLE,       LIGHT_BRIGHTNESS, LIGHT_SPEED,
                                          LIGHT_DIRECTION,   LIGHT_COLOUR,     LIGHT_BASE_COLOUR,
                                          LIGHT_MULTICOLOUR, LIGHT_TOOL,       LIGHT_REPORT_RATE};

// Section "MODE": the name of effect code n is the key n in decimal, 1..20.
inline constexpr int kFirstEffectCode = 1;
inline constexpr int kLastEffectCode = 20;

} // namespace kw::text_keys
