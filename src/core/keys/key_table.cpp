#include "core/keys/key_table.h"

namespace kw {

namespace {

constexpr std::uint16_t kNone = kNotInKeyList;

struct KeyTableEntry {
    KeyCode code;
    std::uint8_t usageByte;
    std::uint16_t listPosition;
    std::string_view nameKey;
    std::string_view englishName;
};

// Every row that is not empty, in code order. The office functions are named
// by what they open, not by any one program.
constexpr KeyTableEntry kEntries[] = {
    {0x001, 0x29, 37, "IDS_KEYBOARD_ESC", "Esc"},
    {0x002, 0x1E, 26, "IDS_KEYBOARD_1", "1"},
    {0x003, 0x1F, 27, "IDS_KEYBOARD_2", "2"},
    {0x004, 0x20, 28, "IDS_KEYBOARD_3", "3"},
    {0x005, 0x21, 29, "IDS_KEYBOARD_4", "4"},
    {0x006, 0x22, 30, "IDS_KEYBOARD_5", "5"},
    {0x007, 0x23, 31, "IDS_KEYBOARD_6", "6"},
    {0x008, 0x24, 32, "IDS_KEYBOARD_7", "7"},
    {0x009, 0x25, 33, "IDS_KEYBOARD_8", "8"},
    {0x00A, 0x26, 34, "IDS_KEYBOARD_9", "9"},
    {0x00B, 0x27, 35, "IDS_KEYBOARD_0", "0"},
    {0x00C, 0x2D, 41, "IDS_KEYBOARD_MINUS", "-"},
    {0x00D, 0x2E, 42, "IDS_KEYBOARD_EQU", "="},
    {0x00E, 0x2A, 38, "IDS_KEYBOARD_BS", "Backspace"},
    {0x00F, 0x2B, 39, "IDS_KEYBOARD_TAB", "Tab"},
    {0x010, 0x14, 16, "IDS_KEYBOARD_Q", "Q"},
    {0x011, 0x1A, 22, "IDS_KEYBOARD_W", "W"},
    {0x012, 0x08, 4, "IDS_KEYBOARD_E", "E"},
    {0x013, 0x15, 17, "IDS_KEYBOARD_R", "R"},
    {0x014, 0x17, 19, "IDS_KEYBOARD_T", "T"},
    {0x015, 0x1C, 24, "IDS_KEYBOARD_Y", "Y"},
    {0x016, 0x18, 20, "IDS_KEYBOARD_U", "U"},
    {0x017, 0x0C, 8, "IDS_KEYBOARD_I", "I"},
    {0x018, 0x12, 14, "IDS_KEYBOARD_O", "O"},
    {0x019, 0x13, 15, "IDS_KEYBOARD_P", "P"},
    {0x01A, 0x2F, 43, "IDS_KEYBOARD_SB1", "["},
    {0x01B, 0x30, 44, "IDS_KEYBOARD_SB2", "]"},
    {0x01C, 0x28, 36, "IDS_KEYBOARD_ENTER", "Enter"},
    {0x01D, 0xE0, 98, "IDS_KEYBOARD_LCTRL", "Ctrl"},
    {0x01E, 0x04, 0, "IDS_KEYBOARD_A", "A"},
    {0x01F, 0x16, 18, "IDS_KEYBOARD_S", "S"},
    {0x020, 0x07, 3, "IDS_KEYBOARD_D", "D"},
    {0x021, 0x09, 5, "IDS_KEYBOARD_F", "F"},
    {0x022, 0x0A, 6, "IDS_KEYBOARD_G", "G"},
    {0x023, 0x0B, 7, "IDS_KEYBOARD_H", "H"},
    {0x024, 0x0D, 9, "IDS_KEYBOARD_J", "J"},
    {0x025, 0x0E, 10, "IDS_KEYBOARD_K", "K"},
    {0x026, 0x0F, 11, "IDS_KEYBOARD_L", "L"},
    {0x027, 0x33, 46, "IDS_KEYBOARD_SEM", ";"},
    {0x028, 0x34, 47, "IDS_KEYBOARD_QUOT", "'"},
    {0x029, 0x35, 48, "IDS_KEYBOARD_AID1", "`"},
    {0x02A, 0xE1, 99, "IDS_KEYBOARD_LSHIFT", "Shift"},
    {0x02B, 0x31, 45, "IDS_KEYBOARD_AV", "\\"},
    {0x02C, 0x1D, 25, "IDS_KEYBOARD_Z", "Z"},
    {0x02D, 0x1B, 23, "IDS_KEYBOARD_X", "X"},
    {0x02E, 0x06, 2, "IDS_KEYBOARD_C", "C"},
    {0x02F, 0x19, 21, "IDS_KEYBOARD_V", "V"},
    {0x030, 0x05, 1, "IDS_KEYBOARD_B", "B"},
    {0x031, 0x11, 13, "IDS_KEYBOARD_N", "N"},
    {0x032, 0x10, 12, "IDS_KEYBOARD_M", "M"},
    {0x033, 0x36, 49, "IDS_KEYBOARD_COMMA", ","},
    {0x034, 0x37, 50, "IDS_KEYBOARD_PER", "."},
    {0x035, 0x38, 51, "IDS_KEYBOARD_VIR", "/"},
    {0x036, 0xE5, 103, "IDS_KEYBOARD_RSHIFT", "Right Shift"},
    {0x037, 0x55, 81, "IDS_KEYBOARD_S_AST", "Num *"},
    {0x038, 0xE2, 100, "IDS_KEYBOARD_LALT", "Alt"},
    {0x039, 0x2C, 40, "IDS_KEYBOARD_SPACE", "Space"},
    {0x03A, 0x39, 78, "IDS_KEYBOARD_CAPS", "Caps Lock"},
    {0x03B, 0x3A, 52, "IDS_KEYBOARD_F1", "F1"},
    {0x03C, 0x3B, 53, "IDS_KEYBOARD_F2", "F2"},
    {0x03D, 0x3C, 54, "IDS_KEYBOARD_F3", "F3"},
    {0x03E, 0x3D, 55, "IDS_KEYBOARD_F4", "F4"},
    {0x03F, 0x3E, 56, "IDS_KEYBOARD_F5", "F5"},
    {0x040, 0x3F, 57, "IDS_KEYBOARD_F6", "F6"},
    {0x041, 0x40, 58, "IDS_KEYBOARD_F7", "F7"},
    {0x042, 0x41, 59, "IDS_KEYBOARD_F8", "F8"},
    {0x043, 0x42, 60, "IDS_KEYBOARD_F9", "F9"},
    {0x044, 0x43, 61, "IDS_KEYBOARD_F10", "F10"},
    {0x045, 0x48, 65, "IDS_KEYBOARD_PAUSE", "Pause"},
    {0x046, 0x47, 77, "IDS_KEYBOARD_SCROLL", "Scroll Lock"},
    {0x047, 0x5F, 91, "IDS_KEYBOARD_S_7", "Num 7"},
    {0x048, 0x60, 92, "IDS_KEYBOARD_S_8", "Num 8"},
    {0x049, 0x61, 93, "IDS_KEYBOARD_S_9", "Num 9"},
    {0x04A, 0x56, 82, "IDS_KEYBOARD_S_MINUS", "Num -"},
    {0x04B, 0x5C, 88, "IDS_KEYBOARD_S_4", "Num 4"},
    {0x04C, 0x5D, 89, "IDS_KEYBOARD_S_5", "Num 5"},
    {0x04D, 0x5E, 90, "IDS_KEYBOARD_S_6", "Num 6"},
    {0x04E, 0x57, 83, "IDS_KEYBOARD_S_PLUS", "Num +"},
    {0x04F, 0x59, 85, "IDS_KEYBOARD_S_1", "Num 1"},
    {0x050, 0x5A, 86, "IDS_KEYBOARD_S_2", "Num 2"},
    {0x051, 0x5B, 87, "IDS_KEYBOARD_S_3", "Num 3"},
    {0x052, 0x62, 94, "IDS_KEYBOARD_S_0", "Num 0"},
    {0x053, 0x63, 95, "IDS_KEYBOARD_S_DEL", "Num ."},
    {0x054, 0x00, kNone, "IDS_KEYBOARD_SYSREQ", "Sys Req"},
    {0x056, 0x64, 96, "IDS_KEYBOARD_K45", "K45"},
    {0x057, 0x44, 62, "IDS_KEYBOARD_F11", "F11"},
    {0x058, 0x45, 63, "IDS_KEYBOARD_F12", "F12"},
    {0x064, 0x00, kNone, "", "F13"},
    {0x070, 0x88, kNone, "IDS_KEYBOARD_ROMA", "ROMA (133)"},
    {0x071, 0x91, kNone, "IDS_KEYBOARD_KL", "KL"},
    {0x072, 0x90, kNone, "IDS_KEYBOARD_KR", "KR"},
    {0x073, 0x87, kNone, "IDS_KEYBOARD_K56", "K56"},
    {0x079, 0x8A, kNone, "IDS_KEYBOARD_CHG", "CHG (132)"},
    {0x07B, 0x8B, kNone, "IDS_KEYBOARD_N_CHG", "N-CHG (131)"},
    {0x07D, 0x89, kNone, "IDS_KEYBOARD_K14", "K14"},
    {0x07E, 0x85, kNone, "IDS_KEYBOARD_K107", "K107"},
    {0x110, 0xD0, kNone, "MEDIA_PREV_TRACK_4", "Prev Track"},
    {0x119, 0xD1, kNone, "MEDIA_Next_TRACK_5", "Next Track"},
    {0x11C, 0x58, 84, "IDS_KEYBOARD_S_ENTER", "Num Enter"},
    {0x11D, 0xE4, 102, "IDS_KEYBOARD_RCTRL", "Right Ctrl"},
    {0x120, 0xCD, kNone, "MEDIA_MUTE_8", "Mute"},
    {0x121, 0xC4, kNone, "MEDIA_CALC_17", "Calc"},
    {0x122, 0xCE, kNone, "MEDIA_PALY_PAUSE_2", "Play/Pause"},
    {0x124, 0xCF, kNone, "MEDIA_STOP_PALY_3", "Stop Play"},
    {0x12E, 0xC1, kNone, "MEDIA_V_LOW_6", "V-"},
    {0x130, 0xC0, kNone, "MEDIA_V_ADD_7", "V+"},
    {0x132, 0xC7, kNone, "MEDIA_WWW_HOME_9", "WWW Home"},
    {0x135, 0x54, 80, "IDS_KEYBOARD_S_VIR", "Num /"},
    // Right Shift's second row: the first row (0x036) wins every search by
    // list position or usage byte.
    {0x136, 0xE5, 103, "IDS_KEYBOARD_RSHIFT", "Right Shift"},
    {0x137, 0x46, 64, "IDS_KEYBOARD_PRINT", "Print Screen"},
    {0x138, 0xE6, 104, "IDS_KEYBOARD_RALT", "Right Alt"},
    {0x145, 0x53, 79, "IDS_KEYBOARD_NUM", "Num Lock"},
    {0x146, 0x48, 66, "IDS_KEYBOARD_BREAK", "Break"},
    {0x147, 0x4A, 69, "IDS_KEYBOARD_HOME", "Home"},
    {0x148, 0x52, 73, "IDS_KEYBOARD_UP", "\u2191"},
    {0x149, 0x4B, 71, "IDS_KEYBOARD_PAGE_UP", "Page Up"},
    {0x14B, 0x50, 75, "IDS_KEYBOARD_LEFT", "\u2190"},
    {0x14D, 0x4F, 76, "IDS_KEYBOARD_RIGHT", "\u2192"},
    {0x14F, 0x4D, 70, "IDS_KEYBOARD_END", "End"},
    {0x150, 0x51, 74, "IDS_KEYBOARD_DOWN", "\u2193"},
    {0x151, 0x4E, 72, "IDS_KEYBOARD_PAGE_DOWN", "Page Down"},
    {0x152, 0x49, 67, "IDS_KEYBOARD_INSERT", "Insert"},
    {0x153, 0x4C, 68, "IDS_KEYBOARD_DELETE", "Delete"},
    {0x15B, 0xE3, 101, "IDS_KEYBOARD_LWIN", "Win"},
    {0x15C, 0xE7, 105, "IDS_KEYBOARD_RWIN", "Right Win"},
    {0x15D, 0x65, 97, "IDS_KEYBOARD_APP", "App"},
    {0x15E, 0x81, kNone, "IDS_KEYBOARD_POWER", "Power"},
    {0x15F, 0x82, kNone, "IDS_KEYBOARD_SLEEP", "Sleep"},
    {0x161, 0xF4, 109, "IDS_KEYBOARD_ROLL_UP", "Roll Up"},
    {0x162, 0xF5, 110, "IDS_KEYBOARD_ROLL_DOWN", "Roll Down"},
    {0x163, 0x83, kNone, "IDS_KEYBOARD_WAKE", "Wake"},
    {0x165, 0xC6, kNone, "MEDIA_WWW_SEARCH_15", "WWW Search"},
    {0x166, 0xCC, kNone, "MEDIA_WWW_FAVORITE_14", "WWW Favorite"},
    {0x167, 0xCB, kNone, "MEDIA_WWW_REFRESH_10", "WWW Refresh"},
    {0x168, 0xCA, kNone, "MEDIA_WWW_STOP_11", "WWW Stop"},
    {0x169, 0xC9, kNone, "MEDIA_WWW_FORWARD_13", "WWW Forward"},
    {0x16A, 0xC8, kNone, "MEDIA_WWW_BACK_12", "WWW Back"},
    {0x16B, 0xC5, kNone, "MEDIA_MY_PC_16", "My PC"},
    {0x16C, 0xC3, kNone, "MEDIA_MAIL_18", "Mail"},
    {0x16D, 0xC2, kNone, "MEDIA_PALYER_1", "Media Player"},
    {0x16E, 0x00, kNone, "IDS_KEYBOARD_MOU_PANLEFT", "Pan Left"},
    {0x16F, 0x00, kNone, "IDS_KEYBOARD_MOU_PANRIGHT", "Pan Right"},
    {0x170, 0x00, kNone, "IDS_KEYBOARD_MOU_DBCLICK", "Double Click"},
    {0x171, 0xF1, 106, "IDS_KEYBOARD_MOU_LEFT", "Left Button"},
    {0x172, 0xF2, 107, "IDS_KEYBOARD_MOU_RIGHT", "Right Button"},
    {0x173, 0xF3, 108, "IDS_KEYBOARD_MOU_MIDDLE", "Middle Button"},
    {0x174, 0xD2, kNone, "IDS_KEYBOARD_FUNC_ZOOMOUT", "Zoom-"},
    {0x175, 0xD3, kNone, "IDS_KEYBOARD_FUNC_ZOOMIN", "Zoom+"},
    {0x176, 0x00, kNone, "IDS_KEYBOARD_FUNC_COPY", "Copy"},
    {0x177, 0x00, kNone, "IDS_KEYBOARD_FUNC_CUT", "Cut"},
    {0x178, 0x00, kNone, "IDS_KEYBOARD_FUNC_PASTE", "Paste"},
    {0x179, 0x00, kNone, "IDS_KEYBOARD_FUNC_MINI", "Minimize"},
    {0x17A, 0x00, kNone, "IDS_KEYBOARD_FUNC_MAXI", "Maximize"},
    {0x17B, 0xD4, kNone, "IDS_KEYBOARD_FUNC_WORD", "Word Processor"},
    {0x17C, 0xD5, kNone, "IDS_KEYBOARD_FUNC_EXCEL", "Spreadsheet"},
    {0x17D, 0x00, kNone, "IDS_KEYBOARD_FUNC_POWERPOINT", "Presentation"},
    {0x17E, 0x00, kNone, "IDS_KEYBOARD_FUNC_CALENDAR", "Calendar"},
};

constexpr KeyTableRows buildKeyTable() {
    KeyTableRows rows{};
    for (const auto& e : kEntries) {
        rows[KeyIndexOf(e.code)] = KeyRow{e.usageByte, e.listPosition, e.nameKey, e.englishName};
    }
    return rows;
}

constexpr bool entriesHaveDistinctRows() {
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        if (kEntries[i].code == 0 || kEntries[i].code >= 0x180) {
            return false;
        }
        for (std::size_t j = i + 1; j < std::size(kEntries); ++j) {
            if (KeyIndexOf(kEntries[i].code) == KeyIndexOf(kEntries[j].code)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(entriesHaveDistinctRows(), "two key codes would share a KeyTable row");

constexpr KeyTableRows kKeyTable = buildKeyTable();

} // namespace

const KeyTableRows& KeyTable() {
    return kKeyTable;
}

const KeyRow* KeyRowOf(KeyCode code) {
    const std::uint16_t index = KeyIndexOf(code);
    return index < kKeyTable.size() ? &kKeyTable[index] : nullptr;
}

KeyCode KeyCodeOfListPosition(std::uint16_t position) {
    if (position == kNotInKeyList) {
        return kNoKey;
    }
    for (std::uint16_t row = 0; row < kKeyTable.size(); ++row) {
        if (kKeyTable[row].listPosition == position) {
            return KeyCodeOfIndex(row);
        }
    }
    return kNoKey;
}

std::uint16_t ListPositionOf(KeyCode code) {
    const KeyRow* row = KeyRowOf(code);
    return row ? row->listPosition : kNotInKeyList;
}

} // namespace kw
