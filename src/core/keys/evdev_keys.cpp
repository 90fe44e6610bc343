#include "core/keys/evdev_keys.h"

#include <array>

namespace kw {

namespace {

using namespace evdev;

// Primary rows first: the reverse lookup takes the first row of a code.
constexpr EvdevKey kEvdevKeys[] = {
    {KEY_ESC, 0x001},
    {KEY_1, 0x002},
    {KEY_2, 0x003},
    {KEY_3, 0x004},
    {KEY_4, 0x005},
    {KEY_5, 0x006},
    {KEY_6, 0x007},
    {KEY_7, 0x008},
    {KEY_8, 0x009},
    {KEY_9, 0x00A},
    {KEY_0, 0x00B},
    {KEY_MINUS, 0x00C},
    {KEY_EQUAL, 0x00D},
    {KEY_BACKSPACE, 0x00E},
    {KEY_TAB, 0x00F},
    {KEY_Q, 0x010},
    {KEY_W, 0x011},
    {KEY_E, 0x012},
    {KEY_R, 0x013},
    {KEY_T, 0x014},
    {KEY_Y, 0x015},
    {KEY_U, 0x016},
    {KEY_I, 0x017},
    {KEY_O, 0x018},
    {KEY_P, 0x019},
    {KEY_LEFTBRACE, 0x01A},
    {KEY_RIGHTBRACE, 0x01B},
    {KEY_ENTER, 0x01C},
    {KEY_LEFTCTRL, 0x01D},
    {KEY_A, 0x01E},
    {KEY_S, 0x01F},
    {KEY_D, 0x020},
    {KEY_F, 0x021},
    {KEY_G, 0x022},
    {KEY_H, 0x023},
    {KEY_J, 0x024},
    {KEY_K, 0x025},
    {KEY_L, 0x026},
    {KEY_SEMICOLON, 0x027},
    {KEY_APOSTROPHE, 0x028},
    {KEY_GRAVE, 0x029},
    {KEY_LEFTSHIFT, 0x02A},
    {KEY_BACKSLASH, 0x02B},
    {KEY_Z, 0x02C},
    {KEY_X, 0x02D},
    {KEY_C, 0x02E},
    {KEY_V, 0x02F},
    {KEY_B, 0x030},
    {KEY_N, 0x031},
    {KEY_M, 0x032},
    {KEY_COMMA, 0x033},
    {KEY_DOT, 0x034},
    {KEY_SLASH, 0x035},
    {KEY_RIGHTSHIFT, 0x036},
    {KEY_KPASTERISK, 0x037},
    {KEY_LEFTALT, 0x038},
    {KEY_SPACE, 0x039},
    {KEY_CAPSLOCK, 0x03A},
    {KEY_F1, 0x03B},
    {KEY_F2, 0x03C},
    {KEY_F3, 0x03D},
    {KEY_F4, 0x03E},
    {KEY_F5, 0x03F},
    {KEY_F6, 0x040},
    {KEY_F7, 0x041},
    {KEY_F8, 0x042},
    {KEY_F9, 0x043},
    {KEY_F10, 0x044},
    // Num Lock is the extended 0x45 and Pause the plain one, the other way
    // round from their evdev names' order.
    {KEY_NUMLOCK, 0x145},
    {KEY_PAUSE, 0x045},
    {KEY_SCROLLLOCK, 0x046},
    {KEY_KP7, 0x047},
    {KEY_KP8, 0x048},
    {KEY_KP9, 0x049},
    {KEY_KPMINUS, 0x04A},
    {KEY_KP4, 0x04B},
    {KEY_KP5, 0x04C},
    {KEY_KP6, 0x04D},
    {KEY_KPPLUS, 0x04E},
    {KEY_KP1, 0x04F},
    {KEY_KP2, 0x050},
    {KEY_KP3, 0x051},
    {KEY_KP0, 0x052},
    {KEY_KPDOT, 0x053},
    {KEY_102ND, 0x056},
    {KEY_F11, 0x057},
    {KEY_F12, 0x058},
    {KEY_F13, 0x064},
    // Japanese, Korean and Brazilian keys, matched through their HID usages.
    {KEY_KATAKANAHIRAGANA, 0x070},
    {KEY_HANJA, 0x071},
    {KEY_HANGEUL, 0x072},
    {KEY_RO, 0x073},
    {KEY_HENKAN, 0x079},
    {KEY_MUHENKAN, 0x07B},
    {KEY_YEN, 0x07D},
    {KEY_KPCOMMA, 0x07E},
    {KEY_KPENTER, 0x11C},
    {KEY_RIGHTCTRL, 0x11D},
    {KEY_KPSLASH, 0x135},
    // Alt+Print Screen stays KEY_SYSRQ on Linux, so Sys Req never arrives.
    {KEY_SYSRQ, 0x137},
    {KEY_RIGHTALT, 0x138},
    {KEY_HOME, 0x147},
    {KEY_UP, 0x148},
    {KEY_PAGEUP, 0x149},
    {KEY_LEFT, 0x14B},
    {KEY_RIGHT, 0x14D},
    {KEY_END, 0x14F},
    {KEY_DOWN, 0x150},
    {KEY_PAGEDOWN, 0x151},
    {KEY_INSERT, 0x152},
    {KEY_DELETE, 0x153},
    {KEY_LEFTMETA, 0x15B},
    {KEY_RIGHTMETA, 0x15C},
    {KEY_COMPOSE, 0x15D},
    {KEY_SLEEP, 0x15F},
    // Media keys: the evdev keys the kernel gives the consumer usages of MediaKeyTable.
    {KEY_CONFIG, 0x16D},
    {KEY_PLAYPAUSE, 0x122},
    {KEY_STOPCD, 0x124},
    {KEY_PREVIOUSSONG, 0x110},
    {KEY_NEXTSONG, 0x119},
    {KEY_VOLUMEDOWN, 0x12E},
    {KEY_VOLUMEUP, 0x130},
    {KEY_MUTE, 0x120},
    {KEY_HOMEPAGE, 0x132},
    {KEY_REFRESH, 0x167},
    {KEY_STOP, 0x168},
    {KEY_BACK, 0x16A},
    {KEY_FORWARD, 0x169},
    {KEY_BOOKMARKS, 0x166},
    {KEY_SEARCH, 0x165},
    {KEY_FILE, 0x16B},
    {KEY_CALC, 0x121},
    {KEY_MAIL, 0x16C},
    // Other keyboards' media player and computer keys.
    {KEY_MEDIA, 0x16D},
    {KEY_COMPUTER, 0x16B},
};

// Evdev key codes stop below 0x300 (KEY_MAX); the table only needs its own range.
constexpr std::size_t kLookupSize = 256;

constexpr std::array<KeyCode, kLookupSize> buildLookup() {
    std::array<KeyCode, kLookupSize> codes{};
    for (const auto& key : kEvdevKeys) {
        codes[key.evdevCode] = key.code;
    }
    return codes;
}

constexpr bool evdevCodesAreDistinctAndInRange() {
    for (std::size_t i = 0; i < std::size(kEvdevKeys); ++i) {
        if (kEvdevKeys[i].evdevCode == 0 || kEvdevKeys[i].evdevCode >= kLookupSize) {
            return false;
        }
        for (std::size_t j = i + 1; j < std::size(kEvdevKeys); ++j) {
            if (kEvdevKeys[i].evdevCode == kEvdevKeys[j].evdevCode) {
                return false;
            }
        }
    }
    return true;
}
static_assert(evdevCodesAreDistinctAndInRange(), "an evdev key is listed twice or out of range");

constexpr std::array<KeyCode, kLookupSize> kLookup = buildLookup();

} // namespace

std::span<const EvdevKey> EvdevKeyTable() {
    return kEvdevKeys;
}

KeyCode KeyCodeOfEvdevKey(std::uint32_t evdevCode) {
    return evdevCode < kLookupSize ? kLookup[evdevCode] : kNoKey;
}

std::optional<std::uint16_t> EvdevKeyOfKeyCode(KeyCode code) {
    if (code == kNoKey) {
        return std::nullopt;
    }
    for (const auto& key : kEvdevKeys) {
        if (key.code == code) {
            return key.evdevCode;
        }
    }
    return std::nullopt;
}

KeyStroke KeyStrokeOfEvdevEvent(std::uint32_t evdevCode, KeyEventKind kind) {
    return {KeyCodeOfEvdevKey(evdevCode), kind};
}

std::optional<std::uint32_t> EvdevCodeOfXkbKeycode(std::uint32_t xkbKeycode) {
    constexpr std::uint32_t kXkbOffset = 8;
    if (xkbKeycode < kXkbOffset) {
        return std::nullopt;
    }
    return xkbKeycode - kXkbOffset;
}

} // namespace kw
